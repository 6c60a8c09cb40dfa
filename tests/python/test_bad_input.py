"""Bad input to every function, method and property of the module: each call
raises the binding's error (or gives its documented result) and leaves CEF,
the callback registry and the objects involved as they were."""

import textwrap

# Shared by the snippets: runs a call and names what it raised.
ATTEMPT = """
import _zubrix_cef, _cefsim
def attempt(call):
    try:
        call()
        return None
    except Exception as e:
        return type(e).__name__
"""

HUGE = 8 * 1024 * 1024


def with_attempt(snippet):
    return ATTEMPT + textwrap.dedent(snippet)


def test_module_functions_refuse_wrong_arguments_and_start_nothing(run_host):
    outcome = run_host(with_attempt("""
        target = []
        callable_id = _zubrix_cef.RegisterPyCallback(target.append)
        refs = sys.getrefcount(target.append.__self__)
        calls = {
            "Initialize()": lambda: _zubrix_cef.Initialize(),
            "Initialize(list)": lambda: _zubrix_cef.Initialize([("cache_path", "x")]),
            "Initialize(None)": lambda: _zubrix_cef.Initialize(None),
            "Initialize(str)": lambda: _zubrix_cef.Initialize("cache_path"),
            "Initialize(two)": lambda: _zubrix_cef.Initialize({}, {}),
            "Initialize(kw)": lambda: _zubrix_cef.Initialize(settings={}),
            "Shutdown(1)": lambda: _zubrix_cef.Shutdown(1),
            "Shutdown(kw)": lambda: _zubrix_cef.Shutdown(now=True),
            "Register()": lambda: _zubrix_cef.RegisterPyCallback(),
            "Register(two)": lambda: _zubrix_cef.RegisterPyCallback(len, len),
            "Register(kw)": lambda: _zubrix_cef.RegisterPyCallback(callable=len),
            "Unregister()": lambda: _zubrix_cef.UnregisterPyCallback(),
            "Unregister(kw)": lambda: _zubrix_cef.UnregisterPyCallback(callback_id=0),
            "Unregister(two)": lambda: _zubrix_cef.UnregisterPyCallback(0, 0),
        }
        for bad in (-1, -2 ** 31, 2 ** 32, 2 ** 64, -2 ** 64, 1.5, float("nan"),
                    "0", b"0", None, [0], 0j):
            calls["Unregister(%r)" % (bad,)] = (
                lambda bad=bad: _zubrix_cef.UnregisterPyCallback(bad))
        raised = {name: attempt(call) for name, call in calls.items()}
        report({
            "raised": raised,
            "started": [_cefsim.initialize_count(), _cefsim.processes()],
            "registration kept": sys.getrefcount(target.append.__self__) == refs,
            "next id": _zubrix_cef.RegisterPyCallback(len),
        })
    """)).result
    assert {name: error for name, error in outcome["raised"].items()
            if error != "TypeError"} == {}
    assert outcome["started"] == [0, []]
    assert outcome["registration kept"]
    assert outcome["next id"] == 1


def test_setting_values_that_are_no_strings_raise_before_cef_starts(run_host):
    outcome = run_host(with_attempt("""
        keys = ["resources_dir_path", "locales_dir_path",
                "browser_subprocess_path", "cache_path"]
        raised = []
        for key in keys:
            for bad in (None, 3, 1.5, ["x"], {"x": 1}, memoryview(b"x"),
                        object(), "\\ud800"):
                # Good values for the keys read before, so that the bad one
                # is what stops the start.
                settings = {k: "fine" for k in keys[:keys.index(key)]}
                settings[key] = bad
                raised.append(attempt(lambda: _zubrix_cef.Initialize(settings)))
        report([sorted(set(raised)), len(raised), _cefsim.initialize_count()])
    """)).result
    assert outcome == [["RuntimeError"], 32, 0]


def test_a_settings_lookup_that_raises_propagates_and_starts_nothing(run_host):
    outcome = run_host(with_attempt("""
        class CollidingKey:
            # Found in the bucket of "cache_path", then fails to compare.
            def __hash__(self):
                return hash("cache_path")
            def __eq__(self, other):
                raise ValueError("no comparing")
        class FailingSettings(dict):
            def __getitem__(self, key):
                raise KeyError(key)
        colliding = attempt(lambda: _zubrix_cef.Initialize({CollidingKey(): 1}))
        failing = attempt(lambda: _zubrix_cef.Initialize(
            FailingSettings(cache_path="x")))
        report([colliding, failing, _cefsim.initialize_count()])
    """)).result
    assert outcome == ["ValueError", "KeyError", 0]


def test_huge_and_nul_holding_setting_values_reach_cef_unchanged(run_host):
    outcome = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({"cache_path": "x" * %d + "\\u00e9",
                                "locales_dir_path": "a\\0b",
                                "resources_dir_path": b"r\\0s"})
        settings = _cefsim.settings()
        report([len(settings["cache_path"]), settings["cache_path"][-1],
                settings["locales_dir_path"], settings["resources_dir_path"]])
        _zubrix_cef.Shutdown()
    """ % HUGE).result
    assert outcome == [HUGE + 1, "\u00e9", "a\0b", "r\0s"]


def test_cookie_members_refuse_wrong_use_and_keep_their_values(run_host):
    outcome = run_host(with_attempt("""
        c = _zubrix_cef.CefCookie()
        c.name, c.value, c.domain, c.path = "n", "v", "d", "/p"
        c.has_expires, c.httponly = 1, 1
        before = [c.name, c.value, c.domain, c.path, c.has_expires, c.httponly]
        manager = _zubrix_cef.CefCookieManager.GetGlobalManager()
        Cookie, Manager = _zubrix_cef.CefCookie, _zubrix_cef.CefCookieManager
        calls = {
            "del name": lambda: delattr(c, "name"),
            "del has_expires": lambda: delattr(c, "has_expires"),
            "set secure": lambda: setattr(c, "secure", 1),
            "set expires": lambda: setattr(c, "expires", 1),
            "Cookie(kw)": lambda: Cookie(name="n"),
            "name getter on a manager": lambda: Cookie.name.fget(manager),
            "name setter on a manager": lambda: Cookie.name.fset(manager, "x"),
            "GetGlobalManager(kw)": lambda: Manager.GetGlobalManager(callback=None),
            "SetCookie on a cookie": lambda: Manager.SetCookie(c, "http://a/", c),
            "SetCookie()": lambda: manager.SetCookie(),
            "SetCookie(three)": lambda: manager.SetCookie("http://a/", c, None),
            "SetCookie(kw)": lambda: manager.SetCookie("http://a/", cookie=c),
            "SetCookie(manager)": lambda: manager.SetCookie("http://a/", manager),
            "SetCookie(cookie type)": lambda: manager.SetCookie("http://a/", Cookie),
        }
        for bad in (2 ** 31, -2 ** 31 - 1, 2 ** 64, 1.5, "1", None):
            calls["has_expires=%r" % (bad,)] = (
                lambda bad=bad: setattr(c, "has_expires", bad))
        for bad in (3, None, b"\\xff", "\\udfff", bytearray(b"x"), memoryview(b"x")):
            calls["value=%r" % (bad,)] = lambda bad=bad: setattr(c, "value", bad)
        raised = {name: attempt(call) for name, call in calls.items()}
        after = [c.name, c.value, c.domain, c.path, c.has_expires, c.httponly]
        report([raised, before == after])
    """)).result
    raised, unchanged = outcome
    # Python itself refuses deleting a member and setting one that the type
    # does not have.
    attribute_errors = {"del name", "del has_expires", "set secure",
                        "set expires"}
    assert {name for name, error in raised.items()
            if error == "AttributeError"} == attribute_errors
    assert {name: error for name, error in raised.items()
            if name not in attribute_errors and error != "TypeError"} == {}
    assert unchanged


def test_huge_and_nul_holding_cookie_strings_round_trip(run_host):
    outcome = run_host("""
        import _zubrix_cef
        c = _zubrix_cef.CefCookie()
        huge = ("\\U0001F600" + "x") * (%d // 2)
        c.value = huge
        c.name = "a\\0b\\0"
        c.path = b"/p\\0q"
        report([c.value == huge, c.name, c.path])
    """ % HUGE).result
    assert outcome == [True, "a\0b\0", "/p\0q"]


def test_set_cookie_with_odd_urls_and_cookies_answers_none_and_survives(
        run_host):
    outcome = run_host(with_attempt("""
        _zubrix_cef.Initialize({})
        manager = _zubrix_cef.CefCookieManager.GetGlobalManager()
        c = _zubrix_cef.CefCookie()
        c.name, c.value = "n", "v"
        results = []
        for url in ("http://example.com/\\0", "\\0", "http://\\0example.com/",
                    "http://example.com/" + "p" * %d, "x" * %d, "\\U0001F600:",
                    "http://[::1/", "http://example.com:99999/"):
            results.append(manager.SetCookie(url, c))
        nul_name = _zubrix_cef.CefCookie()
        nul_name.name, nul_name.value = "a\\0b", "v\\0w"
        results.append(manager.SetCookie("http://other.com/", nul_name))
        stored = [[k["name"], k["value"], k["domain"]] for k in _cefsim.cookies()]
        _zubrix_cef.Shutdown()
        # A manager kept past Shutdown still answers without effect.
        after = manager.SetCookie("http://example.com/", c)
        report([results, stored, after])
    """ % (HUGE, HUGE))).result
    results, stored, after = outcome
    assert results == [None] * 9
    assert after is None
    # Each odd URL that CEF takes sets the same cookie again; a name or value
    # with a NUL is refused.
    assert stored == [["n", "v", "example.com"]]


def test_browser_methods_refuse_wrong_arguments_and_change_nothing(run_qt_host):
    outcome = run_qt_host(with_attempt("""
        received = []
        _zubrix_cef.RegisterPyCallback(received.append)
        browser, parent, browser_id = open_page(
            "<script>host.call_python_callback(0, ['loaded'])</script>")
        window = _cefsim.browsers()[0]["window"]
        browser.Resize(1, 2, 100, 50)
        pump_until(lambda: (x_geometry(window) or [0])[:4] == (1, 2, 100, 50))
        geometry = x_geometry(window)
        Browser, cookie = _zubrix_cef.CefBrowser, _zubrix_cef.CefCookie()
        calls = {
            "CefBrowser()": lambda: Browser(),
            "Resize()": lambda: browser.Resize(),
            "Resize(three)": lambda: browser.Resize(0, 0, 1),
            "Resize(five)": lambda: browser.Resize(0, 0, 1, 1, 1),
            "Resize(kw)": lambda: browser.Resize(0, 0, 1, height=1),
            "Close(1)": lambda: browser.Close(1),
            "Reload(1)": lambda: browser.Reload(True),
            "Reload(kw)": lambda: browser.Reload(ignore_cache=True),
            "Execute()": lambda: browser.ExecuteJavascript(),
            "Execute(kw)": lambda: browser.ExecuteJavascript(code="1"),
            "Execute(two)": lambda: browser.ExecuteJavascript("1", "u"),
            "ShowDevTools()": lambda: browser.ShowDevTools(),
            "ShowDevTools(kw)": lambda: browser.ShowDevTools(parent=1),
            "Register()": lambda: browser.RegisterStartupCode(),
            "Register(kw)": lambda: browser.RegisterStartupCode(code="1"),
            "Unregister(1)": lambda: browser.UnregisterStartupCode(1),
            "Reload on a cookie": lambda: Browser.Reload(cookie),
        }
        # None in place of the browser: once a crash of the binding.
        for name, args in (("Resize", (0, 0, 1, 1)), ("Close", ()),
                           ("Reload", ()), ("ExecuteJavascript", ("1",)),
                           ("ShowDevTools", (handle(parent),)),
                           ("RegisterStartupCode", ("1",)),
                           ("UnregisterStartupCode", ())):
            calls[name + " on None"] = (
                lambda name=name, args=args: getattr(Browser, name)(None, *args))
        for bad in (2 ** 31, -2 ** 31 - 1, 2 ** 64, 1.5, float("inf"), "1",
                    b"1", None, [1], 1j):
            for position in range(4):
                values = [0, 0, 10, 10]
                values[position] = bad
                calls["Resize[%d]=%r" % (position, bad)] = (
                    lambda values=values: browser.Resize(*values))
            calls["ShowDevTools(%r)" % (bad,)] = (
                lambda bad=bad: browser.ShowDevTools(bad))
        for bad in (None, 1, 1.5, ["1"], {"1": 1}, "\\ud800", object()):
            calls["Execute(%r)" % (bad,)] = (
                lambda bad=bad: browser.ExecuteJavascript(bad))
            calls["Register(%r)" % (bad,)] = (
                lambda bad=bad: browser.RegisterStartupCode(bad))
        raised = {name: attempt(call) for name, call in calls.items()}
        flush_calls(browser, received)
        # No code was stored and nothing ran: a reload calls once more only.
        browser.Reload()
        pump_until(lambda: len(received) >= 2)
        assert _cefsim.wait_loaded(browser_id)
        flush_calls(browser, received)
        report({
            "raised": raised,
            "geometry kept": x_geometry(window) == geometry,
            "browsers": len(_cefsim.browsers()),
            "calls": [repr(c) for c in received],
        })
        _zubrix_cef.Shutdown()
    """)).result
    assert {name: error for name, error in outcome["raised"].items()
            if error != "TypeError"} == {}
    assert outcome["geometry kept"]
    assert outcome["browsers"] == 1
    assert outcome["calls"] == [repr(b"loaded")] * 2


def test_browser_code_that_is_huge_or_holds_nuls_runs_as_documented(
        run_qt_host):
    outcome = run_qt_host("""
        received = []
        _zubrix_cef.RegisterPyCallback(lambda *a: received.append(a))
        browser, parent, browser_id = open_page("<p>x</p>")
        huge = "x" * %d
        # Execution ends at the first NUL; bytes count as UTF-8.
        browser.ExecuteJavascript(
            "var s = '" + huge + "'; host.call_python_callback(0, [s.length])")
        browser.ExecuteJavascript(
            "host.call_python_callback(0, ['before'])\\0"
            "host.call_python_callback(0, ['after'])")
        browser.ExecuteJavascript(b"host.call_python_callback(0, ['\\xc3\\xa9'])")
        browser.ExecuteJavascript("\\0host.call_python_callback(0, ['none'])")
        pump_until(lambda: len(received) >= 3, 20.0)
        flush_calls(browser, received)
        executed = [repr(c) for c in received]
        del received[:]
        # Start-up code keeps its NULs: inside a literal they are text,
        # outside they make the script fail to parse, and nothing runs.
        browser.RegisterStartupCode(
            "host.call_python_callback(0, ['a\\0b'.length])")
        reload_and_flush(browser, browser_id, received)
        browser.RegisterStartupCode(
            "host.call_python_callback(0, ['x']);\\0host.call_python_callback(0, ['y'])")
        reload_and_flush(browser, browser_id, received)
        browser.RegisterStartupCode("var s = '" + huge + "';"
                                    "host.call_python_callback(0, [s.length])")
        reload_and_flush(browser, browser_id, received, timeout=60.0)
        report([executed, [repr(c) for c in received]])
        _zubrix_cef.Shutdown()
    """ % HUGE, timeout=120).result
    executed, started = outcome
    assert executed == [repr((HUGE,)), repr((b"before",)),
                        repr(("\u00e9".encode(),))]
    assert started == [repr((3,)), repr((HUGE,))]
