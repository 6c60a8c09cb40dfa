"""Pages calling Python 2.7 callables end to end: the page's arguments as
they arrive (strings as UTF-8 str), a callable that raises, and callables
that leave the registry while pages call them."""
import sys
from StringIO import StringIO

from harness import run_tests
from pages import Recorder, open_page

import _zubrix_cef
import host_app

# What a page's call with these arguments gives the callable.
CASES = [
    ("['a', 2, true]", [("a", 2, True)]),
    ("[]", [()]),
    ("['x', 5, false, [1, ['y']]]", [("x", 5, False, (1, ("y",)))]),
    ("['\\u00e9', '\\ud83d\\ude00']", [("\xc3\xa9", "\xf0\x9f\x98\x80")]),
    ("['a\\u0000b', '\\u0000']", [("a", "")]),
    ("[-5, 2147483647, -2147483648]", [(-5, 2147483647, -2147483648)]),
    ("[1.5, 2147483648, NaN]", [()]),
    ("[1, {k: 1}]", [(1,)]),
    ("[{k: 1}, null, undefined, 1]", [(None, None, None, 1)]),
    ("[[]]", [((),)]),
]


def typed(value):
    """The value with the type of every part spelled out, so that str and
    unicode, or int, long and bool, cannot pass for each other."""
    if isinstance(value, (tuple, list)):
        return (type(value).__name__, [typed(item) for item in value])
    return (type(value).__name__, value)


def calls_of_page(arguments):
    recorder = Recorder()
    callback_id = _zubrix_cef.RegisterPyCallback(recorder)
    open_page("<script>host.call_python_callback(%d, %s)</script>"
              % (callback_id, arguments))
    host_app.run_until(lambda: recorder.calls, 5)
    host_app.run_events(0.2)
    return recorder.calls


def test_arguments_arrive_as_str_int_bool_and_tuples():
    wrong = []
    for arguments, expected in CASES:
        calls = calls_of_page(arguments)
        if typed(calls) != typed(expected):
            wrong.append((arguments, expected, calls))
    assert not wrong, wrong


def test_a_raising_callable_prints_its_traceback_for_each_call():
    def failing(text):
        raise ValueError("refused " + text)
    later = Recorder()
    failing_id = _zubrix_cef.RegisterPyCallback(failing)
    later_id = _zubrix_cef.RegisterPyCallback(later)
    captured = StringIO()
    sys.stderr = captured
    try:
        open_page("<script>host.call_python_callback(%d, ['one']);"
                  "host.call_python_callback(%d, ['two']);"
                  "host.call_python_callback(%d, ['after'])</script>"
                  % (failing_id, failing_id, later_id))
        host_app.run_until(lambda: later.calls, 5)
    finally:
        sys.stderr = sys.__stderr__
    text = captured.getvalue()
    assert later.calls == [("after",)]
    assert text.count("Traceback (most recent call last):") == 2, text
    assert "ValueError: refused one" in text and "ValueError: refused two" in text
    assert "in failing" in text


def test_a_callable_that_unregisters_itself_runs_once():
    calls = []
    others = Recorder()

    def once(value):
        calls.append(value)
        _zubrix_cef.UnregisterPyCallback(own_id[0])
    own_id = [_zubrix_cef.RegisterPyCallback(once)]
    other_id = _zubrix_cef.RegisterPyCallback(others)
    open_page("<script>host.call_python_callback(%d, [1]);"
              "host.call_python_callback(%d, [2]);"
              "host.call_python_callback(%d, ['done'])</script>"
              % (own_id[0], own_id[0], other_id))
    host_app.run_until(lambda: others.calls, 5)
    host_app.run_events(0.2)
    assert calls == [1]
    assert others.calls == [("done",)]


def test_a_callable_unregistered_by_a_long_id_is_not_called():
    dropped, kept = Recorder(), Recorder()
    dropped_id = _zubrix_cef.RegisterPyCallback(dropped)
    kept_id = _zubrix_cef.RegisterPyCallback(kept)
    _zubrix_cef.UnregisterPyCallback(long(dropped_id))
    open_page("<script>host.call_python_callback(%d, [1]);"
              "host.call_python_callback(%d, [2])</script>" % (dropped_id, kept_id))
    host_app.run_until(lambda: kept.calls, 5)
    host_app.run_events(0.2)
    assert (dropped.calls, kept.calls) == ([], [(2,)])


run_tests(globals(), finish=_zubrix_cef.Shutdown)
