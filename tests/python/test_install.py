"""cmake --install: one folder that a host puts on its Python path, used
from a fresh process outside the repository and the build folder."""
import os
import subprocess
import sys
import textwrap
import zipfile

import pytest

from conftest import BUILD, PYTHON
from content_files import write_files

PANEL = {
    "index.html": "<html><head><title>installed</title>"
                  "<script src='js/panel.js'></script></head></html>",
    # The start-up code that defines pyCallbacks may run after this script.
    "js/panel.js": "(function call() { if (!window.pyCallbacks) return setTimeout(call, 5);"
                   " host.call_python_callback(pyCallbacks.ready, [location.href, 7]); })();",
    ".git/HEAD": "ref: refs/heads/main",
}

HOST = """
import os, sys
os.environ.setdefault("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus")
from PySide2 import QtCore, QtWidgets
import _zubrix_cef, zubrix_cef
from zubrix_cef.browser_widget import browser_widget_class
from zubrix_cef.callbacks import CallbackRegistry
from zubrix_cef.pack import pack

with open("/proc/self/maps") as maps:
    libraries = sorted(set(line.split()[-1] for line in maps
                           if "libcef" in line or "zubrix" in line))
print("LOADED " + " ".join([_zubrix_cef.__file__, zubrix_cef.__file__] + libraries))

app = QtWidgets.QApplication([])
zubrix_cef.initialize({"browser_subprocess_path": sys.argv[1] + "/zubrix_cef_subprocess"})
archive = os.path.abspath("panel.plovex")
print("PACKED " + " ".join(pack("panel", archive)))

callbacks = CallbackRegistry()
@callbacks.callback
def ready(url, number):
    print("CALLED %s %d" % (url.decode("utf-8"), number))
    app.quit()

panel = browser_widget_class(QtWidgets)("client://plovex/%s/index.html" % archive,
                                        startup_code=callbacks.javascript())
panel.resize(200, 150)
panel.show()
QtCore.QTimer.singleShot(20000, lambda: app.exit(3))
code = app.exec_()
_zubrix_cef.Shutdown()
sys.exit(code)
"""


@pytest.fixture(scope="module")
def installed(tmp_path_factory):
    folder = str(tmp_path_factory.mktemp("installed"))
    done = subprocess.run(["cmake", "--install", BUILD, "--prefix", folder],
                          capture_output=True, text=True)
    assert done.returncode == 0, done.stdout + done.stderr
    return folder


def outside_run(args, folder, cwd):
    """Runs Debian's Python in cwd with only the installed folder on its path."""
    env = dict(os.environ, PYTHONPATH=folder)
    return subprocess.run([PYTHON] + args, cwd=cwd, env=env, capture_output=True,
                          text=True, timeout=60)


def test_folder_holds_the_module_runtime_package_and_stubs(installed):
    names = set(os.listdir(installed))
    assert {"zubrix_cef_subprocess", "libcef.so", "libzubrix_platform.so",
            "_zubrix_cef.pyi", "zubrix_cef"} <= names
    assert [n for n in names if n.startswith("_zubrix_cef.") and n.endswith(".so")]
    assert not [n for n in names if n.startswith("_cefsim")]
    package = set(os.listdir(os.path.join(installed, "zubrix_cef")))
    for module in ("__init__", "browser_widget", "callbacks", "pack", "startup"):
        assert {module + ".py", module + ".pyi"} <= package
    assert "__pycache__" not in package


@pytest.mark.skipif(not sys.platform.startswith("linux"), reason="ELF symbols")
def test_installed_libcef_exports_no_test_hooks(installed):
    exported = subprocess.run(
        ["nm", "-D", "--defined-only", "-C", os.path.join(installed, "libcef.so")],
        capture_output=True, text=True, check=True).stdout
    assert "CefInitialize" in exported
    assert "cefsim_inspect::" not in exported


@pytest.mark.skipif(not sys.platform.startswith("linux"), reason="ELF run paths")
def test_binaries_find_each_other_only_in_their_own_folder(installed):
    binaries = [n for n in os.listdir(installed) if n.endswith(".so")]
    for name in binaries + ["zubrix_cef_subprocess"]:
        dynamic = subprocess.run(["readelf", "-d", os.path.join(installed, name)],
                                 capture_output=True, text=True).stdout
        paths = [line.split("[", 1)[1].rstrip("]") for line in dynamic.splitlines()
                 if "RUNPATH" in line or "RPATH" in line]
        assert paths == ["$ORIGIN"], (name, paths)


def test_host_outside_the_repository_opens_a_packed_panel(installed, tmp_path):
    write_files(tmp_path / "panel", PANEL)
    done = outside_run(["-c", textwrap.dedent(HOST), installed], installed, str(tmp_path))
    assert done.returncode == 0, done.stdout + done.stderr
    lines = dict(line.split(" ", 1) for line in done.stdout.splitlines() if " " in line)
    loaded = lines["LOADED"].split()
    assert loaded and all(path.startswith(installed + os.sep) for path in loaded), loaded
    assert lines["PACKED"] == "index.html js/panel.js"
    assert lines["CALLED"] == "client://plovex/%s/panel.plovex/index.html 7" % tmp_path


def test_packer_runs_as_a_command_from_any_folder(installed, tmp_path):
    (tmp_path / "site" / ".cache").mkdir(parents=True)
    (tmp_path / "site" / "index.html").write_text("<p>")
    (tmp_path / "site" / ".cache" / "x").write_text("x")
    (tmp_path / "elsewhere").mkdir()
    done = outside_run(["-m", "zubrix_cef.pack", "../site", "../site.plovex", "--verbose"],
                       installed, str(tmp_path / "elsewhere"))
    assert done.returncode == 0, done.stderr
    assert done.stdout.splitlines() == ["  index.html", "../site.plovex: 1 entries"]
    assert zipfile.ZipFile(str(tmp_path / "site.plovex")).namelist() == ["index.html"]
