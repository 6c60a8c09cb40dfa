"""The callback registry as Python sees it: ids, their lifetime, and the
arguments the functions accept."""
import pytest


def test_ids_count_up_from_zero_and_are_never_reused(run_host):
    ids = run_host("""
        import _zubrix_cef
        first = [_zubrix_cef.RegisterPyCallback(f) for f in (len, abs, repr)]
        _zubrix_cef.UnregisterPyCallback(1)
        after = _zubrix_cef.RegisterPyCallback(len)
        report([first, after, [type(i).__name__ for i in first]])
    """).result
    assert ids == [[0, 1, 2], 3, ["int", "int", "int"]]


def test_ids_continue_across_start_and_shutdown(run_host):
    ids = run_host("""
        import _zubrix_cef
        ids = [_zubrix_cef.RegisterPyCallback(len)]
        _zubrix_cef.Initialize({})
        ids.append(_zubrix_cef.RegisterPyCallback(len))
        _zubrix_cef.Shutdown()
        ids.append(_zubrix_cef.RegisterPyCallback(len))
        report(ids)
    """).result
    assert ids == [0, 1, 2]


def test_an_entry_keeps_its_callable_alive_until_unregistered(run_host):
    states = run_host("""
        import gc, weakref, _zubrix_cef
        class Callback:
            def __call__(self):
                pass
        def alive():
            gc.collect()
            return ref() is not None
        callback = Callback()
        ref = weakref.ref(callback)
        first = _zubrix_cef.RegisterPyCallback(callback)
        second = _zubrix_cef.RegisterPyCallback(callback)
        del callback
        states = [alive()]
        _zubrix_cef.UnregisterPyCallback(first)
        states.append(alive())
        _zubrix_cef.UnregisterPyCallback(first)
        states.append(alive())
        _zubrix_cef.UnregisterPyCallback(second)
        states.append(alive())
        report([first != second] + states)
    """).result
    assert states == [True, True, True, True, False]


def test_unregistering_unknown_or_removed_ids_does_nothing(run_host):
    outcome = run_host("""
        import _zubrix_cef
        kept = _zubrix_cef.RegisterPyCallback(len)
        gone = _zubrix_cef.RegisterPyCallback(len)
        results = [_zubrix_cef.UnregisterPyCallback(gone),
                   _zubrix_cef.UnregisterPyCallback(gone),
                   _zubrix_cef.UnregisterPyCallback(12345),
                   _zubrix_cef.UnregisterPyCallback(2**32 - 1)]
        report([results, _zubrix_cef.RegisterPyCallback(len), kept])
    """).result
    assert outcome == [[None, None, None, None], 2, 0]


def test_any_object_can_be_registered(run_host):
    ids = run_host("""
        import _zubrix_cef
        report([_zubrix_cef.RegisterPyCallback(o) for o in (42, None, "x")])
    """).result
    assert ids == [0, 1, 2]


@pytest.mark.parametrize("call", [
    "_zubrix_cef.UnregisterPyCallback(-1)",
    "_zubrix_cef.UnregisterPyCallback(2**32)",
    "_zubrix_cef.UnregisterPyCallback(1.5)",
    "_zubrix_cef.UnregisterPyCallback('0')",
    "_zubrix_cef.UnregisterPyCallback()",
    "_zubrix_cef.RegisterPyCallback()",
    "_zubrix_cef.RegisterPyCallback(len, len)",
    "_zubrix_cef.RegisterPyCallback(callable=len)",
])
def test_bad_arguments_raise_type_error_and_change_nothing(run_host, call):
    outcome = run_host("""
        import _zubrix_cef
        _zubrix_cef.RegisterPyCallback(len)
        try:
            %s
            raised = None
        except Exception as e:
            raised = type(e).__name__
        report([raised, _zubrix_cef.RegisterPyCallback(len)])
    """ % call).result
    assert outcome == ["TypeError", 1]


def test_a_registry_first_used_on_a_worker_thread_still_delivers_on_the_main_thread(
        run_qt_host):
    # The registry may be used from any Python thread, also before Initialize;
    # the bridge that delivers page calls must live on the host's main thread
    # all the same, or the calls would wait for a loop that never runs.
    outcome = run_qt_host("""
        import threading
        calls = []
        def record(*args):
            calls.append((args, threading.current_thread() is threading.main_thread()))
        worker = threading.Thread(
            target=lambda: _zubrix_cef.RegisterPyCallback(record))
        worker.start()
        worker.join()
        browser, window, browser_id = open_page(
            "<script>host.call_python_callback(0, ['hello'])</script>")
        pump_until(lambda: calls, 10)
        report([repr(c) for c in calls])
        browser.Close()
        _zubrix_cef.Shutdown()
    """)
    assert outcome.result == [repr(((b"hello",), True))]
