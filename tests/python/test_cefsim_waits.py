"""The stand-in's wait for a page load waits for the navigation it was asked
about, however soon after the request it is called."""


def test_wait_loaded_never_reports_a_load_that_has_not_happened(run_qt_host):
    outcome = run_qt_host("""
        start(SUBPROCESS)
        early = []
        for i in range(40):
            window = make_window()
            known = {r["id"] for r in _cefsim.browsers()}
            page = data_url("<script>console.log('page %d')</script>" % i)
            browser = _zubrix_cef.CreateBrowserSync(handle(window), page)
            # Asked the moment the browser shows, without giving way.
            new = set()
            while not new:
                new = {r["id"] for r in _cefsim.browsers()} - known
            browser_id = new.pop()
            assert _cefsim.wait_loaded(browser_id, 15.0)
            record = [b for b in _cefsim.browsers() if b["id"] == browser_id][0]
            if record["loading"] or console_messages(browser_id) != ["page %d" % i]:
                early.append(["open", i, record["frames"][0]["url"],
                              console_messages(browser_id)])
            browser.Reload()
            assert _cefsim.wait_loaded(browser_id, 15.0)
            if console_messages(browser_id) != ["page %d" % i] * 2:
                early.append(["reload", i, console_messages(browser_id)])
            _cefsim.close_browser(browser_id)
            window.close()
        report(early)
        _zubrix_cef.Shutdown()
    """, timeout=180).result
    assert outcome == []
