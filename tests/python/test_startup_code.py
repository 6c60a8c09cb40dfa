"""Start-up code: registered per browser, run in the main frame at every
load start of every frame, replaced and removed from the next load start."""

PAGE_WITH_TWO_IFRAMES = (
    "<iframe src='data:text/html,a'></iframe><iframe src='data:text/html,b'></iframe>")


def test_start_up_code_runs_in_the_main_frame_at_each_load_start(run_qt_host):
    outcome = run_qt_host("""
        recorder = Recorder()
        _zubrix_cef.RegisterPyCallback(recorder)
        browser, window = create_browser(%r)
        browser.RegisterStartupCode(
            "host.call_python_callback(0, [location.href.slice(0, 15)])")
        wait_for_browsers(1)
        _cefsim.wait_loaded(1, 15.0)
        flush_calls(browser, recorder.calls)
        report(sorted(repr(c) for c in recorder.calls))
        _zubrix_cef.Shutdown()
    """ % PAGE_WITH_TWO_IFRAMES).result
    # Three load starts (the page and its two frames), each running the code
    # in the main frame.
    assert outcome == [repr((b"data:text/html,",))] * 3


def test_start_up_code_is_replaced_and_removed_from_the_next_load_on(run_qt_host):
    outcome = run_qt_host("""
        recorder = Recorder()
        _zubrix_cef.RegisterPyCallback(recorder)
        browser, window, browser_id = open_page("<p>page</p>")
        def load_with(action):
            del recorder.calls[:]
            action()
            reload_and_flush(browser, browser_id, recorder.calls)
            return [repr(c) for c in recorder.calls]
        first = load_with(lambda: browser.RegisterStartupCode(
            "host.call_python_callback(0, ['first'])"))
        second = load_with(lambda: browser.RegisterStartupCode(
            "host.call_python_callback(0, ['second'])"))
        removed = load_with(browser.UnregisterStartupCode)
        report([first, second, removed])
        _zubrix_cef.Shutdown()
    """).result
    assert outcome == [[repr((b"first",))], [repr((b"second",))], []]


def test_a_page_that_needs_start_up_code_waits_for_it(run_qt_host):
    # The page's first script usually runs before the start-up code arrives;
    # nothing promises either order, so the page polls for what it needs.
    outcome = run_qt_host("""
        recorder = Recorder()
        _zubrix_cef.RegisterPyCallback(recorder)
        browser, window = create_browser(
            "<script>host.call_python_callback(0, ['page', String(window.ready)]);"
            "(function wait() {"
            "  if (window.ready) host.call_python_callback(0, ['page sees', String(window.ready)]);"
            "  else setTimeout(wait, 5);"
            "})();</script>")
        browser.RegisterStartupCode("window.ready = 1; host.call_python_callback(0, ['startup'])")
        wait_for_browsers(1)
        _cefsim.wait_loaded(1, 15.0)
        pump_until(lambda: len(recorder.calls) >= 3, 10.0)
        flush_calls(browser, recorder.calls)
        report(sorted(repr(c) for c in recorder.calls))
        _zubrix_cef.Shutdown()
    """).result
    sees, first_look, startup = outcome
    assert first_look in (repr((b"page", b"undefined")), repr((b"page", b"1")))
    assert [sees, startup] == [repr((b"page sees", b"1")), repr((b"startup",))]


def test_removal_right_after_registration_keeps_their_order(run_qt_host):
    outcome = run_qt_host("""
        recorder = Recorder()
        _zubrix_cef.RegisterPyCallback(recorder)
        def code(word):
            return "host.call_python_callback(0, ['%s'])" % word
        # Before the browser exists: both wait for its creation, in order.
        fresh, window = create_browser("<p>fresh</p>")
        fresh.RegisterStartupCode(code("fresh"))
        fresh.UnregisterStartupCode()
        wait_for_browsers(1)
        _cefsim.wait_loaded(1, 15.0)
        flush_calls(fresh, recorder.calls)
        at_creation = [repr(c) for c in recorder.calls]

        browser, window, browser_id = open_page("<p>page</p>")
        def load_after(*steps):
            del recorder.calls[:]
            for step in steps:
                step()
            reload_and_flush(browser, browser_id, recorder.calls)
            return [repr(c) for c in recorder.calls]
        removed = load_after(lambda: browser.RegisterStartupCode(code("removed")),
                             browser.UnregisterStartupCode)
        last = load_after(lambda: browser.RegisterStartupCode(code("first")),
                          browser.UnregisterStartupCode,
                          lambda: browser.RegisterStartupCode(code("last")))
        report([at_creation, removed, last])
        _zubrix_cef.Shutdown()
    """).result
    assert outcome == [[], [], [repr((b"last",))]]
