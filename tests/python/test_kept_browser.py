"""A CefBrowser that Python keeps after its browser has gone: closed by
Close(), closed by CEF, or closed by Shutdown (made before it or just before
it; CEF cannot start again). Every method must do nothing harmful; each case
runs in a host of its own, so that a crash fails that case alone."""
import pytest

ENDINGS = {
    "close": """
        browser.Close()
        assert pump_until(lambda: not _cefsim.browsers()[0]["window"]
                          or x_geometry(_cefsim.browsers()[0]["window"]) is None, 5.0)
    """,
    "closed_by_cef": """
        _cefsim.close_browser(browser_id)
        assert pump_until(lambda: [r["closed"] for r in _cefsim.browsers()
                                   if r["id"] == browser_id] == [True], 5.0)
    """,
    "shutdown": """
        _zubrix_cef.Shutdown()
    """,
    "shutdown_before_creation": """
        browser = _zubrix_cef.CreateBrowserSync(handle(window), data_url("<p>late</p>"))
        _zubrix_cef.Shutdown()
    """,
}


@pytest.mark.parametrize("ending", sorted(ENDINGS))
def test_every_method_of_a_kept_browser_is_harmless(run_qt_host, ending):
    outcome = run_qt_host("""
        received = texts_received()
        browser, window, browser_id = open_page("<p>kept</p>")
        %s
        # Twice, so that tasks posted by the first round meet the second.
        for _ in range(2):
            browser.ExecuteJavascript("host.call_python_callback(0, ['kept'])")
            browser.Reload()
            browser.Resize(1, 2, 30, 40)
            browser.ShowDevTools(handle(window))
            browser.RegisterStartupCode("host.call_python_callback(0, ['startup'])")
            browser.UnregisterStartupCode()
            browser.RegisterStartupCode("host.call_python_callback(0, ['startup'])")
            browser.Close()
        # The kept browser has no page left to send a later marker; this
        # pause gives anything it wrongly ran the time to arrive.
        pump(0.3)
        # The host goes on working: a new page calls Python as usual.
        if "%s".startswith("shutdown"):
            report([received, None])
        else:
            other, other_window, other_id = open_page(
                "<script>host.call_python_callback(0, ['new page'])</script>")
            pump_until(lambda: "new page" in received)
            report([received, other_id != browser_id])
        _zubrix_cef.Shutdown()
    """ % (ENDINGS[ending], ending)).result
    # Nothing of the kept browser ran anywhere: no script, no start-up code.
    if ending.startswith("shutdown"):
        assert outcome == [[], None]
    elif ending == "close":
        # Whether the browser ends with its window is the platform's matter;
        # the host must live on either way.
        assert outcome[0][-1] == "new page" and outcome[1] is True
    else:
        assert outcome == [["new page"], True]
