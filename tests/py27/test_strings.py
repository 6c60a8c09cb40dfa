# -*- coding: utf-8 -*-
"""Python 2.7's two kinds of string at the module's boundary: settings
values, cookie fields and URLs given as str (bytes) or unicode, with the
interpreter's default encoding left at ASCII."""
import sys

from harness import SUBPROCESS, expect_error, run_in_new_host, run_tests
from pages import browser_ids, console_messages, make_window, open_page

import _cefsim
import _zubrix_cef
import host_app

PATH = u"C:/cache/\u00e9t\u00e9/\U0001F600"


# Each start in a host of its own: CEF starts once per process.
SETTINGS_AFTER_INITIALIZE = """
import json, _cefsim, _zubrix_cef
from harness import SUBPROCESS
_zubrix_cef.Initialize({"cache_path": %s, u"resources_dir_path": "r",
                        "locales_dir_path": u"l", "browser_subprocess_path": SUBPROCESS,
                        "user_agent": "ignored", "unknown": object()})
settings = _cefsim.settings()
_zubrix_cef.Shutdown()
sys.stdout.write(json.dumps([settings[key] for key in (
    "cache_path", "resources_dir_path", "locales_dir_path",
    "browser_subprocess_path", "user_agent")]))
"""


def test_the_default_encoding_is_ascii():
    assert sys.getdefaultencoding() == "ascii"


def test_initialize_takes_str_unicode_and_utf8_values_alike():
    for value in [PATH, PATH.encode("utf-8")]:
        settings = run_in_new_host(SETTINGS_AFTER_INITIALIZE % repr(value))
        assert settings == [PATH, u"r", u"l", SUBPROCESS, u""], repr(settings)


def test_initialize_refuses_values_that_are_no_strings_before_cef_starts():
    count = _cefsim.initialize_count()
    for value in [None, 3, 3L, [PATH]]:
        expect_error(RuntimeError, _zubrix_cef.Initialize,
                     {"resources_dir_path": "r", "cache_path": value})
    expect_error(TypeError, _zubrix_cef.Initialize, [("cache_path", "c")])
    assert _cefsim.initialize_count() == count


def cookie_with_name(value):
    cookie = _zubrix_cef.CefCookie()
    cookie.name = value
    return cookie.name


def test_cookie_strings_read_back_as_unicode():
    cookie = _zubrix_cef.CefCookie()
    for field in ("name", "value", "domain", "path"):
        assert type(getattr(cookie, field)) is unicode
    for given, expected in [("abc", u"abc"), (u"abc", u"abc"), ("", u""),
                            (u"\u00e9t\u00e9", u"\u00e9t\u00e9"),
                            (u"\U0001F600 and \U0010FFFF", u"\U0001F600 and \U0010FFFF"),
                            (u"a\x00b", u"a\x00b")]:
        got = cookie_with_name(given)
        assert (type(got), got) == (unicode, expected), (given, got)


def test_cookie_strings_refuse_non_ascii_bytes_and_keep_their_value():
    cookie = _zubrix_cef.CefCookie()
    cookie.value = u"kept"
    for refused in ["caf\xc3\xa9", "\xff", 3, None]:
        expect_error(TypeError, setattr, cookie, "value", refused)
        assert cookie.value == u"kept"


def test_create_browser_refuses_non_ascii_bytes_and_takes_ascii_bytes():
    _zubrix_cef.Initialize({"browser_subprocess_path": SUBPROCESS})
    window = make_window()
    expect_error(TypeError, _zubrix_cef.CreateBrowserSync, window,
                 "data:text/html,caf\xc3\xa9")
    host_app.run_events(0.3)
    assert browser_ids() == set()
    browser = _zubrix_cef.CreateBrowserSync(window, "data:text/html,ascii")
    assert isinstance(browser, _zubrix_cef.CefBrowser)
    assert host_app.run_until(lambda: len(browser_ids()) == 1)


def test_javascript_given_as_unicode_or_utf8_bytes_runs_alike():
    browser, window, browser_id = open_page("<p>page</p>")
    browser.ExecuteJavascript(u"console.log('u:\u00e9\U0001F600')")
    browser.ExecuteJavascript(u"console.log('b:\u00e9\U0001F600')".encode("utf-8"))
    expected = [u"u:\u00e9\U0001F600", u"b:\u00e9\U0001F600"]
    assert host_app.run_until(lambda: console_messages(browser_id) == expected, 5), \
        console_messages(browser_id)


run_tests(globals(), finish=_zubrix_cef.Shutdown)
