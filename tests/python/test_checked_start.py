"""zubrix_cef.initialize: what it says about settings, what it refuses
before CEF starts, and that it then starts CEF with the settings given."""
import logging
import os

import pytest

import _zubrix_cef
import zubrix_cef
import zubrix_cef.startup
from conftest import SUBPROCESS


@pytest.fixture
def started(monkeypatch):
    """The settings each call of the module's Initialize received; the
    module's Initialize itself is not run in the test process."""
    calls = []
    monkeypatch.setattr(_zubrix_cef, "Initialize", calls.append)
    # Each test starts as a fresh process would: nothing started yet.
    monkeypatch.setattr(zubrix_cef.startup, "_started", [])
    return calls


def messages(caplog, level):
    return [r.getMessage() for r in caplog.records
            if r.name == "zubrix_cef" and r.levelno == level]


def not_executable(tmp_path):
    path = tmp_path / "not_executable"
    path.write_bytes(b"")
    os.chmod(str(path), 0o644)
    return str(path)


@pytest.mark.parametrize("make_settings, error, words", [
    (lambda tmp: [], TypeError, ["settings must be a dict", "list"]),
    (lambda tmp: {"cache_path": 3}, TypeError, ["'cache_path'", "must be a string", "int"]),
    (lambda tmp: {"browser_subprocess_path": SUBPROCESS, "locales_dir_path": None},
     TypeError, ["'locales_dir_path'", "NoneType"]),
    (lambda tmp: {"browser_subprocess_path": "/no/such/zubrix_cef_subprocess"},
     ValueError, ["'browser_subprocess_path'", "no such file", "/no/such/"]),
    (lambda tmp: {"browser_subprocess_path": not_executable(tmp)},
     ValueError, ["'browser_subprocess_path'", "not an executable file"]),
    (lambda tmp: {"browser_subprocess_path": str(tmp)},
     ValueError, ["'browser_subprocess_path'", "not an executable file"]),
], ids=["not a dict", "number", "None", "missing", "not executable", "folder"])
def test_refusals_name_the_setting_and_start_nothing(
        tmp_path, started, make_settings, error, words):
    with pytest.raises(error) as raised:
        zubrix_cef.initialize(make_settings(tmp_path))
    for word in words:
        assert word in str(raised.value)
    assert started == []


def test_unknown_keys_and_missing_folders_are_warned_about_then_cef_starts(
        tmp_path, started, caplog):
    settings = {"cach_path": "c", "user_agent": "x", 7: "seven", "cach\u00e9_path": "c",
                "browser_subprocess_path": SUBPROCESS.encode("utf-8"),
                "resources_dir_path": str(tmp_path), "locales_dir_path": "/no/locales"}
    with caplog.at_level(logging.INFO, logger="zubrix_cef"):
        zubrix_cef.initialize(settings)
    assert started == [settings]
    warnings = messages(caplog, logging.WARNING)
    assert len(warnings) == 5, warnings
    for typo in ("'cach_path'", "'cach\u00e9_path'"):
        (warning,) = [w for w in warnings if typo in w]
        assert "did you mean 'cache_path'?" in warning
    assert any("'user_agent'" in w and "did you mean" not in w for w in warnings)
    assert any("7" in w and "unknown setting" in w for w in warnings)
    assert any("'locales_dir_path' names no folder" in w for w in warnings)
    (info,) = messages(caplog, logging.INFO)
    assert "starting CEF" in info and SUBPROCESS in info and str(tmp_path) in info
    assert "cach_path" not in info


@pytest.mark.parametrize("settings", [{}, {"browser_subprocess_path": ""}])
def test_missing_subprocess_path_warns_that_the_host_starts_itself(started, caplog, settings):
    with caplog.at_level(logging.WARNING, logger="zubrix_cef"):
        zubrix_cef.initialize(settings)
    (warning,) = messages(caplog, logging.WARNING)
    assert "no browser_subprocess_path" in warning and "zubrix_cef_subprocess" in warning
    assert started == [settings]


def test_checked_start_runs_the_module_initialize(run_host):
    outcome = run_host("""
        import logging, _cefsim, zubrix_cef
        logging.basicConfig(level=logging.INFO, stream=sys.stdout, format="LOG %(message)s")
        zubrix_cef.initialize({"browser_subprocess_path": SUBPROCESS, "cache_pth": "/tmp/c"})
        pid = _cefsim.start_render_process(20.0)
        refusals = []
        for stage in ("running", "shut down"):
            try:
                zubrix_cef.initialize({"browser_subprocess_path": SUBPROCESS,
                                       "cache_path": "/tmp/again"})
            except RuntimeError as error:
                refusals.append(str(error))
            if stage == "running":
                import _zubrix_cef
                _zubrix_cef.Shutdown()
        report([_cefsim.settings()["browser_subprocess_path"],
                _cefsim.settings()["cache_path"], pid > 0, _cefsim.initialize_count(),
                refusals])
    """)
    path, cache_path, started, count, refusals = outcome.result
    assert [path, cache_path, started, count] == [SUBPROCESS, "", True, 1]
    assert len(refusals) == 2
    for refusal in refusals:
        assert "already called" in refusal and SUBPROCESS in refusal
    logs = [line for line in outcome.stdout.splitlines() if line.startswith("LOG ")]
    assert len(logs) == 2 and "'cache_pth'" in logs[0] and "starting CEF" in logs[1]


def test_a_start_the_module_refused_may_be_tried_again(monkeypatch, started):
    def refuse(settings):
        raise RuntimeError("unable to cast")
    monkeypatch.setattr(_zubrix_cef, "Initialize", refuse)
    with pytest.raises(RuntimeError, match="unable to cast"):
        zubrix_cef.initialize({"browser_subprocess_path": SUBPROCESS})
    monkeypatch.setattr(_zubrix_cef, "Initialize", started.append)
    zubrix_cef.initialize({"browser_subprocess_path": SUBPROCESS})
    assert len(started) == 1
