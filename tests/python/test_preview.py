"""The preview as a new user meets it: the command on the tool panel
example (a screenshot of what it draws), a panel folder with a DOM that is
changed and reloaded, --expose mistakes said plainly; and the preview's
registry, which must hand page calls to Python as the module does."""
import json
import os
import subprocess
import sys
import textwrap

import pytest

from channel_backends import QTWEBENGINE_UNDER_TSAN
from conftest import BUILD, PYTHON, ROOT

needs_qtwebengine = pytest.mark.skipif(QTWEBENGINE_UNDER_TSAN,
                                       reason="QtWebEngine is not built for ThreadSanitizer")

ENV = dict(os.environ, PYTHONPATH=os.pathsep.join([BUILD, ROOT]),
           QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu",
           DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/no-session-bus")


def preview(args, cwd=ROOT, timeout=90):
    return subprocess.run([PYTHON, "-m", "zubrix_cef.preview"] + args, cwd=cwd, env=ENV,
                          capture_output=True, text=True, timeout=timeout)


@needs_qtwebengine
def test_the_tool_panel_example_is_drawn_with_its_python_functions(tmp_path):
    from PySide2 import QtGui
    shot = str(tmp_path / "tool_panel.png")
    done = preview(["examples/tool_panel", "--expose", "examples/tool_panel.py:preview_channel",
                    "--screenshot", shot, "--size", "360x300"])
    assert done.returncode == 0, done.stderr
    log = done.stderr
    assert log.count("the preview runs Chromium 87") == 1
    assert "panels in the host run on Chromium 61" in log
    assert log.index("items: persp camera, key light, ground") < log.index("screenshot saved")
    image = QtGui.QImage(shot)
    assert (image.width(), image.height()) == (360, 300)
    # The list and the buttons are drawn: many shades, not one blank page.
    colours = set(image.pixel(x, y) for x in range(0, 360, 3) for y in range(0, 120, 3))
    assert len(colours) > 8


def readme_block(after):
    """The first indented code block of README.md after the line holding
    after, without its indentation."""
    with open(os.path.join(ROOT, "README.md"), encoding="utf-8") as readme:
        lines = readme.read().split("\n")
    start = next(i for i, line in enumerate(lines) if after in line) + 1
    while not lines[start].startswith("    "):
        start += 1
    end = start
    while end < len(lines) and (lines[end].startswith("    ") or not lines[end].strip()):
        end += 1
    return textwrap.dedent("\n".join(lines[start:end])).strip() + "\n"


@needs_qtwebengine
def test_the_readmes_first_panel_previews_from_an_installed_folder(tmp_path):
    # What a new user does: install, write the README's page and functions,
    # preview them; the page's answer shows that the functions ran.
    installed = str(tmp_path / "zubrix")
    done = subprocess.run(["cmake", "--install", BUILD, "--prefix", installed],
                          capture_output=True, text=True)
    assert done.returncode == 0, done.stderr
    assert [n for n in os.listdir(installed) if n.startswith("_zubrix_preview_content")]
    panel = tmp_path / "my_panel"
    panel.mkdir()
    (panel / "index.html").write_text(readme_block("1. A folder with the page"))
    (panel / "panel.js").write_text(readme_block("`my_panel/panel.js`:"))
    (tmp_path / "my_functions.py").write_text(readme_block("--expose MODULE:NAME` names a factory"))
    env = dict(ENV, PYTHONPATH=installed)
    done = subprocess.run([PYTHON, "-m", "zubrix_cef.preview", "my_panel", "--expose",
                           "my_functions:make_channel", "--screenshot", "shot.png"],
                          cwd=str(tmp_path), env=env, capture_output=True, text=True,
                          timeout=90)
    assert done.returncode == 0, done.stderr
    assert "Python answered: Hello, Ada" in done.stderr
    assert "refused: ValueError: a name, please" in done.stderr
    assert os.path.isfile(str(tmp_path / "shot.png"))


@needs_qtwebengine
def test_expose_mistakes_are_said_before_anything_shows(tmp_path):
    (tmp_path / "panel").mkdir()
    (tmp_path / "panel" / "index.html").write_text("<p>panel</p>")
    (tmp_path / "tools.py").write_text(textwrap.dedent("""
        from zubrix_cef.channel import Channel
        class Registry(object):
            def RegisterPyCallback(self, fn): return 0
            def UnregisterPyCallback(self, id): pass
        module_channel = Channel(registry=Registry())
        def no_registry():
            return Channel(registry=Registry())
        def ignores_registry(registry=None):
            return Channel(registry=Registry())
        not_a_channel = 3
    """))
    expected = {
        "tools:module_channel": "was not made with the preview's registry",
        "tools:no_registry": "must take registry=",
        "tools:ignores_registry": "was not made with the preview's registry",
        "tools:not_a_channel": "neither a Channel nor a factory",
        "tools:missing": "tools has no missing",
        "tools": "--expose takes MODULE:NAME",
    }
    for spec, message in expected.items():
        done = preview([str(tmp_path / "panel"), "--expose", spec], cwd=str(tmp_path))
        assert done.returncode == 2 and message in done.stderr, (spec, done.stderr)
    done = preview([str(tmp_path / "nowhere")], cwd=str(tmp_path))
    assert done.returncode == 2 and "neither a folder nor a .plovex archive" in done.stderr


FOLDER_HOST = """
import json, os, sys
from zubrix_cef import preview
from zubrix_cef.preview.panel_source import PanelSource
from zubrix_cef.preview.widget import before_client_request
from zubrix_cef.channel import Channel
from PySide2 import QtWidgets
import time
app = QtWidgets.QApplication([])
folder = sys.argv[1]
source = PanelSource(folder)
before_client_request.append(source.refresh)
channel = Channel(registry=preview.shared_registry())
shown = []
channel.expose(lambda names: shown.append(names), "shown")
widget = preview.preview_widget(source.url, channel)
widget.show()

def wait_for(count):
    end = time.time() + 30
    while len(shown) < count and time.time() < end:
        app.processEvents()
        time.sleep(0.005)

wait_for(1)
with open(os.path.join(folder, "items.js"), "w") as script:
    script.write('var ITEMS = ["one", "two", "three"];')
widget.browser.Reload()
wait_for(2)

def developer_tools():
    return [view for view in app.topLevelWidgets() if view.isVisible()
            and view.windowTitle() == "Developer tools"
            and view.page().url().scheme() == "devtools"]

widget.browser.ShowDevTools()
end = time.time() + 30
while not developer_tools() and time.time() < end:
    app.processEvents()
    time.sleep(0.005)
print("RESULT:" + json.dumps([shown, len(developer_tools())]))
source.close()
"""

DOM_PAGE = """<!DOCTYPE html><html><body><ul id="list"></ul>
<script src="ITEMS.JS"></script>
<script>
(window.zubrixReady = window.zubrixReady || []).push(function (zubrix) {
  ITEMS.forEach(function (name) {
    var entry = document.createElement("li");
    entry.textContent = name;
    document.getElementById("list").appendChild(entry);
  });
  var drawn = [].map.call(document.querySelectorAll("li"), function (li) {
    return li.textContent + ":" + li.getBoundingClientRect().height;
  });
  zubrix.call("shown", drawn.concat([typeof SECRET]));
});
</script></body></html>"""


@needs_qtwebengine
def test_a_dom_panel_folder_is_packed_again_when_changed_and_has_developer_tools(tmp_path):
    folder = tmp_path / "my panel"
    folder.mkdir()
    (folder / "index.html").write_text(DOM_PAGE)
    (folder / "items.js").write_text('var ITEMS = ["one"];')
    # Left out of the archive, as the packer leaves dot-files out.
    (folder / ".secret.js").write_text("var SECRET = 1;")
    done = subprocess.run([PYTHON, "-c", FOLDER_HOST, str(folder)], env=ENV,
                          capture_output=True, text=True, timeout=90)
    assert done.returncode == 0, done.stderr
    results = [json.loads(line[len("RESULT:"):]) for line in done.stdout.splitlines()
               if line.startswith("RESULT:")]
    assert len(results) == 1, done.stderr
    (first, second), developer_tools = results[0]
    assert developer_tools == 1
    # The entry "items.js" answers "ITEMS.JS", as the host's archives do.
    assert [item.split(":")[0] for item in first[:-1]] == ["one"]
    assert [item.split(":")[0] for item in second[:-1]] == ["one", "two", "three"]
    assert all(float(item.split(":")[1]) > 0 for item in first[:-1] + second[:-1])
    assert first[-1] == second[-1] == "undefined"


@needs_qtwebengine
def test_the_registry_hands_page_values_to_python_as_the_module_does(capsys):
    from zubrix_cef.preview.registry import PreviewRegistry
    registry = PreviewRegistry()
    calls = []
    first = registry.RegisterPyCallback(lambda *args: calls.append(args))
    second = registry.RegisterPyCallback(lambda: sys.exit(3))
    third = registry.RegisterPyCallback(lambda *args: calls.append(("third",) + args))
    assert (first, second, third) == (0, 1, 2)
    registry.dispatch(first, json.dumps(["x", 5, False, [1, ["y"]], None, "a\u0000b",
                                         "\u00e9\U0001f600", []]))
    # A lone surrogate is replaced, as the module's UTF-16 to UTF-8 does.
    registry.dispatch(first, '["\\udc00z"]')
    registry.dispatch(second, "[]")
    registry.dispatch(first, "not json")
    registry.dispatch(first, '{"not": "an array"}')
    registry.dispatch(99, "[1]")
    registry.UnregisterPyCallback(third)
    registry.dispatch(third, "[1]")
    assert calls == [(b"x", 5, False, (1, (b"y",)), None, b"a",
                      "\u00e9\U0001f600".encode("utf-8"), ()),
                     ("\ufffdz".encode("utf-8"),)]
    assert "SystemExit: 3" in capsys.readouterr().err
    assert registry.RegisterPyCallback(len) == 3
    for bad in (-1, 1 << 32, "1", True, 1.0):
        with pytest.raises(TypeError):
            registry.UnregisterPyCallback(bad)
