"""The examples run end to end: each exits 0 only once its pages did all
they show (the demo's round trip; the tool panel's list, rename, refusal and
event)."""
import os
import subprocess

import pytest

from conftest import BUILD, PYTHON, ROOT


@pytest.mark.parametrize("command", [["web_panel_demo.py"], ["tool_panel.py", "--check"]],
                         ids=["demo", "tool panel"])
def test_example_completes(command):
    env = dict(os.environ, ZUBRIX_BUILD_DIR=BUILD)
    completed = subprocess.run([PYTHON, os.path.join(ROOT, "examples", command[0])]
                               + command[1:] + ["--timeout", "30"],
                               capture_output=True, text=True, timeout=90, env=env)
    assert completed.returncode == 0, completed.stdout + completed.stderr
