"""Pages calling Python: host.call_python_callback from a page's script to
the registered callable on the host's main thread, with the arguments as
they arrive there."""
import pytest

# Each script runs in its own page; the callable is registered as id 0.
CASES = [
    ("host.call_python_callback(0, ['a', 2, true])", [(b"a", 2, True)]),
    ("host.call_python_callback(0, [])", [()]),
    ("host.call_python_callback(0, ['x', 5, false, [1, ['y']]])",
     [(b"x", 5, False, (1, (b"y",)))]),
    ("host.call_python_callback(0, ['\\u00e9'])", [(b"\xc3\xa9",)]),
    ("host.call_python_callback(0, ['a\\u0000b', '\\ud83d\\ude00'])",
     [(b"a", "\U0001F600".encode("utf-8"))]),
    ("host.call_python_callback(0, [-5, 2147483647, -2147483648])",
     [(-5, 2147483647, -2147483648)]),
    ("host.call_python_callback(0, [1.5, 2147483648, NaN])", [()]),
    # Integers past int32 are dropped, never wrapped to negatives.
    ("host.call_python_callback(0, [3000000000, 4294967295, [2147483648], -0, 5])",
     [(None, None, (), None, 5)]),
    ("host.call_python_callback(0, [1, {k: 1}])", [(1,)]),
    ("host.call_python_callback(0, [{k: 1}, null, undefined, 1])",
     [(None, None, None, 1)]),
    ("host.call_python_callback(0, [[]])", [((),)]),
    ("host.call_python_callback(7.0, [1]); host.call_python_callback(0.0, [2])",
     [(2,)]),
]

REFUSED = [
    "host.call_python_callback(0)",
    "host.call_python_callback('0', [1])",
    "host.call_python_callback(0.5, [1])",
    "host.call_python_callback(true, [1])",
    "host.call_python_callback(null, [1])",
    "host.call_python_callback(0, {0: 'a', length: 1})",
    "host.call_python_callback(0, 'abc')",
    "host.call_python_callback(2147483648, [1])",
]


def run_page(run_qt_host, script, extra=""):
    return run_qt_host("""
        recorder = Recorder()
        assert _zubrix_cef.RegisterPyCallback(recorder) == 0
        %s
        browser, window, browser_id = open_page(
            "<script>" + %r + "</script>")
        flush_calls(browser, recorder.calls)
        report([repr(c) for c in recorder.calls])
        _zubrix_cef.Shutdown()
    """ % (extra, script)).result


@pytest.mark.parametrize("script, expected", CASES)
def test_accepted_calls_arrive_converted(run_qt_host, script, expected):
    assert run_page(run_qt_host, script) == [repr(c) for c in expected]


@pytest.mark.parametrize("script", REFUSED)
def test_refused_calls_do_not_arrive(run_qt_host, script):
    # A later accepted call shows the page went on and nothing arrived before.
    calls = run_page(run_qt_host, script + "; host.call_python_callback(0, ['after'])")
    assert calls == [repr((b"after",))]


def test_the_call_returns_undefined_and_the_script_goes_on_first(run_qt_host):
    outcome = run_qt_host("""
        order = []
        _zubrix_cef.RegisterPyCallback(lambda *a: order.append(("python", a)))
        browser, window, browser_id = open_page(
            "<script>var r = host.call_python_callback(0, [1]);"
            "console.log('returned ' + typeof r);"
            "console.log('threw ' + (function() { try {"
            "  host.call_python_callback(); return 'no'; } catch (e) { return 'yes'; } })());"
            "</script>")
        wait_for(lambda: any(m.startswith("threw ") for m in console_messages(browser_id)))
        flush_calls(browser, order)
        report([console_messages(browser_id), [repr(o) for o in order]])
        _zubrix_cef.Shutdown()
    """).result
    messages, order = outcome
    assert "returned undefined" in messages
    assert "threw no" in messages
    assert order == [repr(("python", (1,)))]


def test_callable_runs_on_the_main_thread_only_when_the_loop_turns(run_qt_host):
    outcome = run_qt_host("""
        import threading
        threads = []
        _zubrix_cef.RegisterPyCallback(
            lambda *a: threads.append(threading.current_thread() is threading.main_thread()))
        known = browser_ids()
        browser, window = create_browser("<script>host.call_python_callback(0, [])</script>")
        load_while_the_loop_stands(known)
        before = list(threads)
        pump_until(lambda: threads)
        report([before, threads])
        _zubrix_cef.Shutdown()
    """).result
    assert outcome == [[], [True]]


def test_calls_from_iframes_reach_the_same_browser(run_qt_host):
    outcome = run_qt_host("""
        recorder = Recorder()
        _zubrix_cef.RegisterPyCallback(recorder)
        inner = data_url("<script>host.call_python_callback(0, ['frame'])</script>")
        browser, window, browser_id = open_page(
            "<iframe src='%s'></iframe><iframe src='%s'></iframe>"
            "<script>host.call_python_callback(0, ['main'])</script>" % (inner, inner))
        pump_until(lambda: len(recorder.calls) >= 3)
        # Frames load after the main page's script, so the marker comes last.
        flush_calls(browser, recorder.calls)
        report(sorted(repr(c) for c in recorder.calls))
        _zubrix_cef.Shutdown()
    """).result
    assert outcome == sorted([repr((b"frame",))] * 2 + [repr((b"main",))])


def test_a_burst_of_calls_arrives_complete_and_in_order(run_qt_host):
    outcome = run_qt_host("""
        received = []
        _zubrix_cef.RegisterPyCallback(lambda n: received.append(n))
        browser, window, browser_id = open_page(
            "<script>for (var i = 0; i < 2000; ++i) host.call_python_callback(0, [i]);</script>")
        pump_until(lambda: len(received) >= 2000, 20.0)
        flush_calls(browser, received)
        report(received == list(range(2000)))
        _zubrix_cef.Shutdown()
    """, timeout=120).result
    assert outcome is True


def test_a_callable_unregistered_while_its_calls_wait_is_not_called(run_qt_host):
    outcome = run_qt_host("""
        first, second = Recorder(), Recorder()
        _zubrix_cef.RegisterPyCallback(first)
        known = browser_ids()
        browser, window = create_browser(
            "<script>host.call_python_callback(0, [1]); host.call_python_callback(1, [2])</script>")
        load_while_the_loop_stands(known)  # Both calls wait in Qt's queue.
        _zubrix_cef.UnregisterPyCallback(0)
        assert _zubrix_cef.RegisterPyCallback(second) == 1
        flush_calls(browser, second.calls, callback_id=1)
        report([first.calls, [repr(c) for c in second.calls]])
        _zubrix_cef.Shutdown()
    """).result
    assert outcome == [[], [repr((2,))]]


def test_an_array_that_contains_itself_neither_hangs_nor_kills_the_page(run_qt_host):
    outcome = run_qt_host("""
        depths = []
        def depth(*args):
            d = 1
            while args and isinstance(args[-1], tuple):
                args = args[-1]
                d += 1
            depths.append(d)
        _zubrix_cef.RegisterPyCallback(depth)
        marks = Recorder()
        _zubrix_cef.RegisterPyCallback(marks)
        browser, window, browser_id = open_page(
            "<script>var a = [1]; a.push(a); host.call_python_callback(0, a);"
            "host.call_python_callback(0, [2]);</script>")
        flush_calls(browser, marks.calls, callback_id=1)
        record = _cefsim.browsers()[0]
        alive = [p["alive"] for p in _cefsim.processes()
                 if p["pid"] == record["render_process_pid"]]
        report([depths, alive])
        _zubrix_cef.Shutdown()
    """).result
    depths, alive = outcome
    assert depths == [64, 1]
    assert alive == [True]


def test_exceptions_in_the_callable_are_printed_and_later_calls_work(run_qt_host):
    run = run_qt_host("""
        calls = []
        def failing(n):
            calls.append(n)
            raise ValueError("boom %d" % n)
        _zubrix_cef.RegisterPyCallback(failing)
        marks = Recorder()
        _zubrix_cef.RegisterPyCallback(marks)
        browser, window, browser_id = open_page(
            "<script>host.call_python_callback(0, [1]); host.call_python_callback(0, [2]);</script>")
        flush_calls(browser, marks.calls, callback_id=1)
        report(calls)
        _zubrix_cef.Shutdown()
    """)
    assert run.result == [1, 2]
    assert run.stderr.count("ValueError: boom") == 2


def test_system_exit_in_the_callable_is_printed_and_the_host_goes_on(run_qt_host):
    run = run_qt_host("""
        import sys
        calls = []
        def leave(how):
            calls.append(how)
            if how == 0:
                sys.exit()
            if how == 1:
                sys.exit(3)
            if how == 2:
                raise SystemExit("x")
        _zubrix_cef.RegisterPyCallback(leave)
        browser, window, browser_id = open_page(
            "<script>for (var i = 0; i < 4; ++i) host.call_python_callback(0, [i]);</script>")
        pump_until(lambda: len(calls) >= 4)
        browser.ExecuteJavascript("host.call_python_callback(0, [1]); host.call_python_callback(0, [5]);")
        pump_until(lambda: len(calls) >= 6)
        report([calls, sys.last_type.__name__])
        _zubrix_cef.Shutdown()
    """)
    assert run.result == [[0, 1, 2, 3, 1, 5], "SystemExit"]
    assert run.stderr.count("Traceback (most recent call last)") == 4
    assert run.stderr.count("SystemExit: 3") == 2
    assert run.stderr.count("SystemExit: x") == 1
    assert "in leave" in run.stderr


def test_an_array_that_holds_itself_twice_is_converted_in_bounded_time(run_qt_host):
    outcome = run_qt_host("""
        received = []
        _zubrix_cef.RegisterPyCallback(lambda *a: received.append(len(a)))
        browser, window, browser_id = open_page(
            "<script>var a = []; a.push(a, a); host.call_python_callback(0, a);"
            "host.call_python_callback(0, [2]);</script>", timeout=60.0)
        pump_until(lambda: len(received) >= 2, 60.0)
        report(received)
        _zubrix_cef.Shutdown()
    """, timeout=120).result
    # The budget runs out inside the first entry, so the second is dropped;
    # the call and the one after it both arrive.
    assert outcome == [1, 1]


def test_a_call_over_the_ipc_limit_ends_its_page_and_nothing_else(run_qt_host):
    # 64 Mi characters travel as 128 MiB of UTF-16: past Chromium's 128 MiB
    # message limit, which ends the render process instead of dropping the
    # call quietly. Python never sees it; other pages go on.
    outcome = run_qt_host("""
        received = texts_received()
        big, window, big_id = open_page(
            "<script>host.call_python_callback(0, ['x'.repeat(64 * 1024 * 1024)]);"
            "host.call_python_callback(0, ['after']);</script>", timeout=60.0)
        assert pump_until(
            lambda: [r["render_process_pid"] for r in _cefsim.browsers()
                     if r["id"] == big_id] == [-1], 60.0)
        other, _, _ = open_page("<script>host.call_python_callback(0, ['other'])</script>")
        flush_calls(other, received)
        report(received)
        _zubrix_cef.Shutdown()
    """, timeout=180).result
    assert outcome == ["other"]
