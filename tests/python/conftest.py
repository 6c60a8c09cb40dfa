"""Shared helpers: each scenario runs as a host process of its own, since CEF
keeps process-wide state and a crash must fail only its own test."""
import json
import os
import re
import subprocess
import sys
import textwrap

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get("ZUBRIX_BUILD_DIR", os.path.join(ROOT, "build"))
SUBPROCESS = os.path.join(BUILD, "zubrix_cef_subprocess")
PYTHON = "/usr/bin/python3"
# What the stand-in logs when CEF is shut down with browsers still open,
# which CEF does not survive on the target: every host run fails on it.
OPEN_BROWSERS_AT_SHUTDOWN = re.compile(r"CefShutdown with \d+ browser")

PRELUDE = """
import json, os, sys
sys.path[:0] = [{build!r}, {root!r}]
SUBPROCESS = {subprocess!r}
sys.path.insert(0, os.path.join({root!r}, "tests", "python"))
def report(value):
    sys.stdout.write("RESULT:" + json.dumps(value) + "\\n")
    sys.stdout.flush()
"""


class HostRun:
    def __init__(self, completed):
        self.returncode = completed.returncode
        self.stdout = completed.stdout
        self.stderr = completed.stderr
        self.results = [json.loads(line[len("RESULT:"):])
                        for line in completed.stdout.splitlines()
                        if line.startswith("RESULT:")]

    @property
    def result(self):
        assert self.results, "no result; stderr:\n" + self.stderr
        return self.results[-1]


@pytest.fixture
def run_host():
    """Runs a Python snippet as a fresh host process and returns its reports."""
    def run(code, timeout=60, env=None, expect_ok=True,
            browsers_open_at_shutdown=False):
        script = PRELUDE.format(build=BUILD, root=ROOT, subprocess=SUBPROCESS)
        script += textwrap.dedent(code)
        full_env = dict(os.environ)
        full_env.update(env or {})
        completed = subprocess.run([PYTHON, "-c", script], capture_output=True,
                                   text=True, timeout=timeout, env=full_env)
        run_result = HostRun(completed)
        if not browsers_open_at_shutdown:
            assert not OPEN_BROWSERS_AT_SHUTDOWN.search(completed.stderr), (
                "CEF was shut down with browsers open\nstderr:\n%s"
                % completed.stderr)
        if expect_ok:
            assert completed.returncode == 0, (
                "host exited with %d\nstdout:\n%s\nstderr:\n%s"
                % (completed.returncode, completed.stdout, completed.stderr))
        return run_result
    return run


@pytest.fixture
def needs_placeholder(run_host):
    """Skips a test of the window placeholder when the stand-in was built
    without its painter."""
    if not run_host("import _cefsim\nreport(_cefsim.placeholder_built())").result:
        pytest.skip("the stand-in was built without its placeholder painter")


@pytest.fixture
def run_qt_host(run_host):
    """Like run_host, with the Qt host helpers of qt_host imported."""
    def run(code, **kwargs):
        return run_host("import _zubrix_cef, _cefsim\nfrom qt_host import *\n"
                        "SUBPROCESS_PATH[0] = SUBPROCESS\n"
                        + textwrap.dedent(code), **kwargs)
    return run
