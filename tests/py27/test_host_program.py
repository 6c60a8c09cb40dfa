"""The 2.7 host program itself: the exit status it gives for a script, and
its event loop turning without the interpreter lock."""
import os
import subprocess
import sys
import tempfile
import threading
import time

from harness import expect_error, run_tests

import host_app


def run_script(code):
    """Runs code as the script of a new host process; (status, stderr)."""
    handle, script = tempfile.mkstemp(suffix=".py")
    os.write(handle, code)
    os.close(handle)
    try:
        child = subprocess.Popen([sys.executable, script, "one", "two"],
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        out, err = child.communicate()
    finally:
        os.remove(script)
    return child.returncode, out, err


def test_the_exit_status_is_the_scripts():
    assert run_script("import sys; sys.stdout.write(repr(sys.argv[1:]))")[:2] == \
        (0, "['one', 'two']")
    assert run_script("import sys; sys.exit(3)")[0] == 3
    assert run_script("import sys; sys.exit()")[0] == 0
    status, _, err = run_script("import sys; sys.exit('no way')")
    assert (status, err.splitlines()[-1]) == (1, "no way")
    status, _, err = run_script("def f():\n    raise ValueError('bad')\nf()\n")
    assert status == 1 and "Traceback" in err and "ValueError: bad" in err
    assert run_script("import host_app\nhost_app.quit(5)\nhost_app.run_events(30)\n")[0] == 5


def test_the_loop_turns_without_the_interpreter_lock():
    ticks = []
    stop = []

    def count():
        while not stop:
            ticks.append(1)
            time.sleep(0.001)
    counter = threading.Thread(target=count)
    counter.start()
    try:
        before = len(ticks)
        host_app.run_events(0.3)
        during = len(ticks) - before
    finally:
        stop.append(True)
        counter.join()
    assert during > 20, during


def test_run_until_answers_whether_the_condition_came_true():
    asked = []
    assert host_app.run_until(lambda: asked.append(1) or len(asked) == 3, 5) is True
    assert len(asked) == 3
    started = time.time()
    assert host_app.run_until(lambda: False, 0.2) is False
    assert 0.15 < time.time() - started < 2


def test_windows_are_native_and_named_by_their_handle():
    handle = host_app.create_window(200, 100)
    assert isinstance(handle, int) and handle > 0
    host_app.show_window(handle)
    host_app.resize_window(handle, 300, 150)
    host_app.run_events(0.05)
    host_app.destroy_window(handle)
    for call in (host_app.show_window, host_app.destroy_window):
        expect_error(KeyError, call, handle)


run_tests(globals())
