"""A page that calls window.close(). CEF's default asks the top-level window
that holds the browser to close, which here is the host application's own
window; the module's client ends only the page's browser instead."""


def test_a_page_closing_itself_ends_its_browser_and_leaves_the_host_window(run_qt_host):
    outcome = run_qt_host("""
        start(SUBPROCESS)
        window = make_closing_window()
        _zubrix_cef.CreateBrowserSync(handle(window), data_url("<p>stays</p>"))
        staying_id = wait_for_browsers(1)[0]["id"]
        assert _cefsim.wait_loaded(staying_id, 15.0)
        closing = _zubrix_cef.CreateBrowserSync(
            handle(window), data_url("<script>window.close()</script>"))
        closing_id = wait_for_browsers(2)[1]["id"]
        def closed(browser_id):
            return [r["closed"] for r in _cefsim.browsers() if r["id"] == browser_id]
        wait_for(lambda: closed(closing_id) == [True])
        # A close request sent to the window would have come before the
        # browser closed; the loop takes in whatever is left.
        pump(0.3)
        # Closing it again from Python is harmless.
        closing.Close()
        closing.ExecuteJavascript("window.close()")
        pump(0.3)
        report([window.close_requests, window.isVisible(), closed(staying_id)])
        _zubrix_cef.Shutdown()
    """)
    assert outcome.result == [0, True, [False]]


def test_a_host_window_hears_the_close_request_without_the_module_client(run_qt_host):
    # The stand-in's own client has no DoClose: CEF's default goes to the
    # host's window, as it would on Windows.
    outcome = run_qt_host("""
        start(SUBPROCESS)
        window = make_closing_window()
        browser_id = _cefsim.create_browser(
            handle(window), data_url("<script>window.close()</script>"))
        wait_for(lambda: window.close_requests > 0)
        report([window.close_requests, window.isVisible(),
                [r["closed"] for r in _cefsim.browsers() if r["id"] == browser_id]])
        # Not the module's browser: closed here, before CEF stops.
        _cefsim.close_browser(browser_id)
        wait_for(lambda: all(r["closed"] for r in _cefsim.browsers()))
        _zubrix_cef.Shutdown()
    """)
    # Qt hides a closed window without destroying it, so the browser stays.
    assert outcome.result == [1, False, [False]]
