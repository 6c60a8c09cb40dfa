"""Cookie access: CefCookie's fields through the module's string conversion,
and what SetCookie puts into CEF's global store."""
import pytest

STRING_FIELDS = ["name", "domain", "path", "value"]
INT_FIELDS = ["has_expires", "httponly"]


def test_fresh_cookie_is_empty_and_typed(run_host):
    fields = run_host("""
        import _zubrix_cef
        c = _zubrix_cef.CefCookie()
        report({f: [getattr(c, f), type(getattr(c, f)).__name__]
                for f in %r})
    """ % (STRING_FIELDS + INT_FIELDS)).result
    assert fields == {"name": ["", "str"], "domain": ["", "str"],
                      "path": ["", "str"], "value": ["", "str"],
                      "has_expires": [0, "int"], "httponly": [0, "int"]}


@pytest.mark.parametrize("given, expected", [
    ("''", ""),
    ("'abc'", "abc"),
    ("'caf\\u00e9 \\u4e2d\\u6587'", "caf\u00e9 \u4e2d\u6587"),
    ("'\\U0001F600x\\U0010FFFF'", "\U0001F600x\U0010FFFF"),
    # Leading code units that look like byte-order marks are text.
    ("'\\ufeffa'", "\ufeffa"),
    ("'\\ufffea'", "\ufffea"),
    ("b'abc'", "abc"),
    ("'caf\\u00e9'.encode('utf-8')", "caf\u00e9"),
    ("type('S', (str,), {})('sub')", "sub"),
    ("type('B', (bytes,), {})(b'subbytes')", "subbytes"),
])
def test_string_fields_round_trip(run_host, given, expected):
    values = run_host("""
        import _zubrix_cef
        c = _zubrix_cef.CefCookie()
        out = []
        for field in %r:
            setattr(c, field, "old")
            setattr(c, field, %s)
            out.append([getattr(c, field), type(getattr(c, field)).__name__])
        report(out)
    """ % (STRING_FIELDS, given)).result
    assert values == [[expected, "str"]] * 4


@pytest.mark.parametrize("field, bad", [
    (field, bad) for field in STRING_FIELDS
    for bad in ["b'\\xff\\xfe'", "b'caf\\xe9'", "'\\ud800'", "3", "None",
                "bytearray(b'abc')", "['abc']"]
] + [
    (field, bad) for field in INT_FIELDS
    for bad in ["'1'", "1.5", "2 ** 31", "-2 ** 31 - 1", "None", "b'1'"]
])
def test_refused_values_raise_type_error_and_keep_the_old_value(
        run_host, field, bad):
    outcome = run_host("""
        import _zubrix_cef
        c = _zubrix_cef.CefCookie()
        old = 7 if %(field)r in ("has_expires", "httponly") else "old"
        setattr(c, %(field)r, old)
        try:
            setattr(c, %(field)r, %(bad)s)
            raised = None
        except Exception as e:
            raised = type(e).__name__
        report([raised, getattr(c, %(field)r) == old])
    """ % {"field": field, "bad": bad}).result
    assert outcome == ["TypeError", True]


def test_int_fields_take_the_whole_signed_32_bit_range(run_host):
    values = run_host("""
        import _zubrix_cef
        c = _zubrix_cef.CefCookie()
        out = []
        for value in (2 ** 31 - 1, -2 ** 31, True):
            c.has_expires = value
            c.httponly = value
            out.append([c.has_expires, c.httponly])
        report(out)
    """).result
    assert values == [[2 ** 31 - 1] * 2, [-2 ** 31] * 2, [1, 1]]


def test_types_have_only_their_documented_constructors(run_host):
    outcome = run_host("""
        import _zubrix_cef
        out = []
        for make in (lambda: _zubrix_cef.CefCookieManager(),
                     lambda: _zubrix_cef.CefCookie(1),
                     lambda: _zubrix_cef.CefCookieManager.GetGlobalManager(1)):
            try:
                make()
                out.append(None)
            except Exception as e:
                out.append(type(e).__name__)
        names = [n for n in vars(_zubrix_cef)
                 if n in ("CefCookieManager", "CefCookie", "Initialize")]
        report([out, names])
    """).result
    assert outcome == [["TypeError"] * 3,
                       ["CefCookieManager", "CefCookie", "Initialize"]]


def test_set_cookie_reaches_the_global_store(run_host):
    cookies = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({})
        manager = _zubrix_cef.CefCookieManager.GetGlobalManager()
        c = _zubrix_cef.CefCookie()
        c.name = "session"
        c.value = "caf\\u00e9 \\U0001F600"
        c.httponly = 1
        assert manager.SetCookie("http://www.example.com/app/page", c) is None
        c.name, c.value, c.domain, c.path = b"wide", "1", "example.com", "/"
        c.httponly = 0
        manager.SetCookie(b"https://www.example.com/", c)
        report(_cefsim.cookies())
        _zubrix_cef.Shutdown()
    """).result
    assert cookies == [
        {"name": "session", "value": "caf\u00e9 \U0001F600",
         "domain": "www.example.com", "path": "/app", "secure": 0,
         "httponly": 1, "has_expires": 0},
        {"name": "wide", "value": "1", "domain": ".example.com", "path": "/",
         "secure": 0, "httponly": 0, "has_expires": 0},
    ]


def test_has_expires_alone_gives_a_session_cookie(run_host):
    # The expiry time cannot be set from Python and stays all zero, which is
    # no valid time: CEF keeps the cookie for the session.
    cookies = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({})
        c = _zubrix_cef.CefCookie()
        c.name, c.value, c.has_expires = "n", "v", 1
        _zubrix_cef.CefCookieManager.GetGlobalManager().SetCookie(
            "http://example.com/", c)
        report([c.has_expires, _cefsim.cookies()])
        _zubrix_cef.Shutdown()
    """).result
    assert cookies[0] == 1
    assert [(k["name"], k["has_expires"]) for k in cookies[1]] == [("n", 0)]


@pytest.mark.parametrize("url, cookie", [
    ("''", "c"),
    ("'not a url'", "c"),
    ("'http://example.com/'", "bad_value"),
    ("'http://example.com/'", "bad_domain"),
    ("'file:///tmp/page.html'", "c"),
])
def test_refused_cookies_return_none_and_store_nothing(run_host, url, cookie):
    outcome = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({})
        manager = _zubrix_cef.CefCookieManager.GetGlobalManager()
        c = _zubrix_cef.CefCookie()
        c.name, c.value = "n", "v"
        bad_value = _zubrix_cef.CefCookie()
        bad_value.name, bad_value.value = "n", "a;b"
        bad_domain = _zubrix_cef.CefCookie()
        bad_domain.name, bad_domain.domain = "n", "other.com"
        result = manager.SetCookie(%s, %s)
        report([result, _cefsim.cookies()])
        _zubrix_cef.Shutdown()
    """ % (url, cookie)).result
    assert outcome == [None, []]


@pytest.mark.parametrize("args", [
    "'http://example.com/', None",
    "'http://example.com/', 'cookie'",
    "3, _zubrix_cef.CefCookie()",
    "b'http://\\xff/', _zubrix_cef.CefCookie()",
    "'http://example.com/'",
    "url='http://example.com/', cookie=_zubrix_cef.CefCookie()",
])
def test_set_cookie_with_bad_arguments_raises_type_error(run_host, args):
    outcome = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({})
        manager = _zubrix_cef.CefCookieManager.GetGlobalManager()
        try:
            manager.SetCookie(%s)
            raised = None
        except Exception as e:
            raised = type(e).__name__
        report([raised, _cefsim.cookies()])
        _zubrix_cef.Shutdown()
    """ % args).result
    assert outcome == ["TypeError", []]


def test_a_manager_from_before_initialize_sets_nothing(run_host):
    outcome = run_host("""
        import _zubrix_cef, _cefsim
        c = _zubrix_cef.CefCookie()
        c.name, c.value = "n", "v"
        empty = _zubrix_cef.CefCookieManager.GetGlobalManager()
        before = empty.SetCookie("http://example.com/", c)
        _zubrix_cef.Initialize({})
        after = empty.SetCookie("http://example.com/", c)
        stored = _cefsim.cookies()
        _zubrix_cef.Shutdown()
        report([type(empty).__name__, before, after, stored])
    """).result
    assert outcome == ["CefCookieManager", None, None, []]


def test_each_global_manager_is_its_own_object_on_one_store(run_host):
    outcome = run_host("""
        import gc
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({})
        first = _zubrix_cef.CefCookieManager.GetGlobalManager()
        second = _zubrix_cef.CefCookieManager.GetGlobalManager()
        distinct = first is not second
        c = _zubrix_cef.CefCookie()
        c.name, c.value = "one", "1"
        first.SetCookie("http://example.com/", c)
        del first
        gc.collect()
        c.name = "two"
        second.SetCookie("http://example.com/", c)
        c.name = "one"
        c.value = "replaced"
        second.SetCookie("http://example.com/", c)
        report([distinct, [[k["name"], k["value"]] for k in _cefsim.cookies()]])
        _zubrix_cef.Shutdown()
    """).result
    assert outcome == [True, [["two", "1"], ["one", "replaced"]]]
