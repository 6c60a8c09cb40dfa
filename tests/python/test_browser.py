"""The browser object: its window inside the host's window, the methods that
act on it, and what happens before it exists."""
import pytest

CHILD_STYLE = 0x56010000
POPUP_STYLE = 0x16CF0000
CW_USEDEFAULT = -2147483648


def test_browser_window_fills_the_parent_and_follows_resize(run_qt_host):
    outcome = run_qt_host("""
        start(SUBPROCESS)
        parent = make_window(320, 240)
        browser = _zubrix_cef.CreateBrowserSync(handle(parent), "data:text/html,<p>x</p>")
        record = wait_for_browsers(1)[0]
        window = record["window"]
        pump_until(lambda: x_geometry(window) is not None)
        filled = x_geometry(window)
        browser.Resize(10, 20, 100, 50)
        pump_until(lambda: x_geometry(window)[:4] == (10, 20, 100, 50))
        resized = x_geometry(window)
        browser.Resize(0, 0, 0, -5)
        pump_until(lambda: x_geometry(window)[:4] == (0, 0, 1, 1))
        report([record["window_info"], record["parent"], handle(parent),
                filled, resized, x_geometry(window)])
        _zubrix_cef.Shutdown()
    """)
    info, parent, parent_handle, filled, resized, degenerate = outcome.result
    assert info["style"] == CHILD_STYLE
    assert (info["x"], info["y"], info["width"], info["height"]) == (0, 0, 320, 240)
    assert info["parent_window"] == parent_handle == parent
    assert info["ex_style"] == 0 and info["window_name"] == "" and info["menu"] == 0
    assert filled == [0, 0, 320, 240, parent_handle]
    assert resized == [10, 20, 100, 50, parent_handle]
    # X has no empty windows: the smallest it keeps is 1x1.
    assert degenerate[:4] == [0, 0, 1, 1]


def test_resize_before_creation_takes_effect_once_the_browser_exists(run_qt_host):
    outcome = run_qt_host("""
        start(SUBPROCESS)
        parent = make_window(320, 240)
        browser = _zubrix_cef.CreateBrowserSync(handle(parent), "data:text/html,x")
        browser.Resize(5, 6, 70, 80)
        window = wait_for_browsers(1)[0]["window"]
        pump_until(lambda: (x_geometry(window) or [0])[0] == 5)
        report(x_geometry(window))
        _zubrix_cef.Shutdown()
    """)
    assert outcome.result[:4] == [5, 6, 70, 80]


def test_close_destroys_the_window_which_ends_the_browser(run_qt_host):
    outcome = run_qt_host("""
        start(SUBPROCESS)
        parent = make_window()
        browser = _zubrix_cef.CreateBrowserSync(handle(parent), "data:text/html,x")
        window = wait_for_browsers(1)[0]["window"]
        pump_until(lambda: x_geometry(window) is not None)
        def process_alive(pid):
            return [p["alive"] for p in _cefsim.processes() if p["pid"] == pid]
        # The browser's render process starts after its record appears.
        pump_until(lambda: process_alive(
            _cefsim.browsers()[0]["render_process_pid"]) == [True])
        record = _cefsim.browsers()[0]
        pid = record["render_process_pid"]
        before = [process_alive(pid), record["closed"]]
        browser.Close()
        gone = pump_until(lambda: x_geometry(window) is None, 5.0)
        # As on Windows, the browser ends with its window, and its render
        # process with it.
        ended = pump_until(lambda: process_alive(pid) == [False], 10.0)
        browser.Resize(1, 1, 10, 10)
        browser.Close()
        browser.Reload()
        flush_browser_tasks()
        report([before, gone, ended, x_geometry(window),
                _cefsim.browsers()[0]["closed"]])
        _zubrix_cef.Shutdown()
    """)
    assert outcome.result == [[[True], False], True, True, None, True]


def test_developer_tools_open_in_an_owned_popup(run_qt_host):
    outcome = run_qt_host("""
        start(SUBPROCESS)
        parent = make_window()
        owner = make_window(200, 100)
        browser = _zubrix_cef.CreateBrowserSync(handle(parent), "data:text/html,x")
        # ShowDevTools acts only once the browser object holds its browser,
        # which the creation task gives it after CEF lists the browser.
        flush_browser_tasks()
        browser.ShowDevTools(handle(owner))
        wait_for(lambda: any(r["is_devtools"] for r in _cefsim.browsers()))
        tools = [r for r in _cefsim.browsers() if r["is_devtools"]]
        report([tools[0]["window_info"], tools[0]["parent"], handle(owner)])
        _zubrix_cef.Shutdown()
    """)
    info, parent, owner = outcome.result
    assert info["style"] == POPUP_STYLE
    assert [info[k] for k in ("x", "y", "width", "height")] == [CW_USEDEFAULT] * 4
    assert info["window_name"] == "DevTools"
    assert info["parent_window"] == owner == parent


def test_without_running_cef_no_browser_is_made(run_qt_host):
    # Before Initialize and after Shutdown a browser would never load: the
    # call is refused, and neither a browser object nor a CEF browser is made.
    outcome = run_qt_host("""
        from zubrix_cef.browser_widget import browser_widget_class
        parent = make_window()
        errors = []

        def attempt():
            try:
                errors.append(repr(_zubrix_cef.CreateBrowserSync(handle(parent), "data:text/html,x")))
            except RuntimeError as e:
                errors.append(str(e))
        attempt()
        # A widget shown before Initialize: its showEvent meets the same error.
        widget = browser_widget_class()("data:text/html,w")
        widget.show()
        pump(0.1)
        widget_browser = widget.browser
        start(SUBPROCESS)
        _zubrix_cef.Shutdown()
        attempt()
        pump(0.1)
        report([errors, widget_browser is None, _cefsim.browsers()])
    """)
    errors, widget_without_browser, browsers = outcome.result
    assert errors[0] == "CreateBrowserSync: CEF is not running; call Initialize first"
    assert errors[1].startswith(errors[0])
    assert "cannot start again" in errors[1]
    assert widget_without_browser
    assert "call Initialize first" in outcome.stderr
    assert browsers == []


@pytest.mark.parametrize("call", [
    "_zubrix_cef.CreateBrowserSync(2**31, 'x')",
    "_zubrix_cef.CreateBrowserSync(1.5, 'x')",
    "_zubrix_cef.CreateBrowserSync(1, b'\\xff\\xfe')",
    "_zubrix_cef.CreateBrowserSync(1, 3)",
    "_zubrix_cef.CreateBrowserSync(parent=1, url='x')",
    "_zubrix_cef.CefBrowser()",
    "_zubrix_cef.CreateBrowserSync(-1, 'x').Resize(1.5, 0, 1, 1)",
    "_zubrix_cef.CreateBrowserSync(-1, 'x').Resize(0, 0, 2**31, 1)",
    "_zubrix_cef.CreateBrowserSync(-1, 'x').ShowDevTools(2**32)",
])
def test_bad_arguments_raise_type_error(run_host, call):
    outcome = run_host("""
        import _zubrix_cef
        _zubrix_cef.Initialize({})
        try:
            %s
            report(None)
        except Exception as e:
            report(type(e).__name__)
        _zubrix_cef.Shutdown()
    """ % call)
    assert outcome.result == "TypeError"


def test_a_parent_that_is_not_a_window_gets_no_browser(run_qt_host):
    outcome = run_qt_host("""
        start(SUBPROCESS)
        browser = _zubrix_cef.CreateBrowserSync(-2, "data:text/html,x")
        browser.Resize(0, 0, 10, 10)
        marker_id = flush_browser_tasks()
        browser.Reload()
        browser.ExecuteJavascript("1")
        report([r for r in _cefsim.browsers() if r["id"] != marker_id])
        _zubrix_cef.Shutdown()
    """)
    assert outcome.result == []


def test_browsers_collected_before_their_tasks_ran_do_not_break_them(run_qt_host):
    outcome = run_qt_host("""
        import gc
        start(SUBPROCESS)
        parent = make_window()
        for i in range(20):
            browser = _zubrix_cef.CreateBrowserSync(handle(parent), "data:text/html,%d" % i)
            browser.Resize(i, i, 50, 50)
            browser.RegisterStartupCode("1")
            del browser
            gc.collect()
        records = wait_for_browsers(20, 30.0)
        report(len(records))
        _zubrix_cef.Shutdown()
    """, timeout=120)
    assert outcome.result == 20
