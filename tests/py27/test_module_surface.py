"""The module under Python 2.7: what it offers, with the signatures the
binding writes, which arguments its integers take, and the interpreter
check at import."""
import os

from harness import BUILD, expect_error, run_in_new_host, run_tests

import _zubrix_cef

FUNCTIONS = {
    "Initialize": "Initialize(arg0: dict) -> None",
    "Shutdown": "Shutdown() -> None",
    "CreateBrowserSync":
        "CreateBrowserSync(arg0: int, arg1: unicode) -> _zubrix_cef.CefBrowser",
    "RegisterPyCallback": "RegisterPyCallback(arg0: object) -> int",
    "UnregisterPyCallback": "UnregisterPyCallback(arg0: int) -> None",
    "SetConsoleLogger": "SetConsoleLogger(arg0: object) -> None",
}
BROWSER_METHODS = {
    "Resize": "arg0: int, arg1: int, arg2: int, arg3: int",
    "Close": "",
    "Reload": "",
    "ExecuteJavascript": "arg0: unicode",
    "ShowDevTools": "arg0: int",
    "RegisterStartupCode": "arg0: unicode",
    "UnregisterStartupCode": "",
}


def signature(function):
    return function.__doc__.strip()


def test_the_module_offers_its_functions_and_types_with_their_signatures():
    public = set(name for name in dir(_zubrix_cef) if not name.startswith("__"))
    assert public == set(FUNCTIONS) | set(["CefBrowser", "CefCookieManager", "CefCookie"]), public
    assert _zubrix_cef.__doc__ is None
    for name, text in FUNCTIONS.items():
        assert signature(getattr(_zubrix_cef, name)) == text, signature(getattr(_zubrix_cef, name))
    for name, parameters in BROWSER_METHODS.items():
        text = "%s(self: _zubrix_cef.CefBrowser%s) -> None" % (
            name, ", " + parameters if parameters else "")
        assert signature(getattr(_zubrix_cef.CefBrowser, name)) == text
    manager = _zubrix_cef.CefCookieManager
    assert signature(manager.GetGlobalManager) == \
        "GetGlobalManager() -> _zubrix_cef.CefCookieManager"
    assert signature(manager.SetCookie).startswith(
        "SetCookie(self: _zubrix_cef.CefCookieManager, arg0: unicode, arg1: ")


def test_only_cookies_can_be_made_and_keywords_are_refused():
    expect_error(TypeError, _zubrix_cef.CefBrowser)
    expect_error(TypeError, _zubrix_cef.CefCookieManager)
    assert isinstance(_zubrix_cef.CefCookie(), _zubrix_cef.CefCookie)
    expect_error(TypeError, _zubrix_cef.Initialize, settings={})
    expect_error(TypeError, _zubrix_cef.RegisterPyCallback, callable=len)


def test_callback_ids_are_plain_ints_and_long_ids_are_taken():
    first = _zubrix_cef.RegisterPyCallback(len)
    second = _zubrix_cef.RegisterPyCallback(len)
    assert (type(first), type(second)) == (int, int)
    assert second == first + 1
    assert _zubrix_cef.UnregisterPyCallback(long(first)) is None
    assert _zubrix_cef.UnregisterPyCallback(second) is None
    assert _zubrix_cef.UnregisterPyCallback(2 ** 32 - 1) is None
    assert _zubrix_cef.UnregisterPyCallback(long(2 ** 32 - 1)) is None
    for refused in (-1, 2 ** 32, long(-1), 1.0, "1"):
        expect_error(TypeError, _zubrix_cef.UnregisterPyCallback, refused)
    assert _zubrix_cef.RegisterPyCallback(len) == second + 1


def test_no_browser_is_made_before_initialize():
    error = expect_error(RuntimeError, _zubrix_cef.CreateBrowserSync, 1, u"about:blank")
    assert "call Initialize first" in str(error), str(error)


def test_coordinates_take_int_and_long_and_refuse_floats():
    # Handle 1 is no window: the browser never comes, the object still
    # checks its arguments.
    _zubrix_cef.Initialize({})
    browser = _zubrix_cef.CreateBrowserSync(1, u"about:blank")
    assert browser.Resize(0, 0L, 2 ** 31 - 1, long(-2 ** 31)) is None
    for refused in [(0, 0, 1.5, 10), (0, 0, 2 ** 31, 10), (0, 0, 10, -2 ** 31 - 1)]:
        expect_error(TypeError, browser.Resize, *refused)
    expect_error(TypeError, _zubrix_cef.CreateBrowserSync, 1.0, u"about:blank")


CHILD = """
import json, sys
try:
    import _zubrix_cef
    error = None
except ImportError as e:
    error = str(e)
try:
    import _zubrix_cef
    again = None
except ImportError as e:
    again = str(e)
sys.stdout.write(json.dumps([error, again, "_zubrix_cef" in sys.modules]))
"""


def import_reporting_version(version):
    """Imports the module in a new host process whose Py_GetVersion reports
    version; returns the ImportError texts of two tries (None when the
    import worked) and whether a module object was left behind."""
    env = dict(os.environ, ZUBRIX_FAKE_PYTHON_VERSION=version,
               LD_PRELOAD=os.path.join(BUILD, "libfake_python_version.so"))
    return run_in_new_host(CHILD, env)


def test_the_module_refuses_interpreters_other_than_2_7():
    for version in ["2.70.1 (default)", "3.6.1 (default, Mar 22 2017)", "2.6.9", "2.7"]:
        text = ("Python version mismatch: module was compiled for Python 2.7, but "
                "the interpreter version is incompatible: %s." % version)
        if version == "2.7":
            # Nothing after "2.7" is no digit after it.
            assert import_reporting_version(version) == [None, None, True]
        else:
            assert import_reporting_version(version) == [text, text, False], version
    assert import_reporting_version("2.7.18 (default)") == [None, None, True]


run_tests(globals(), finish=_zubrix_cef.Shutdown)
