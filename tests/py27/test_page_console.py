# -*- coding: utf-8 -*-
"""Pages' console lines under Python 2.7: logged as unicode on the host's
main thread with Python 2's int levels, redirected or silenced by the host;
and the checked start refuses a second start."""
import logging
import threading

from harness import SUBPROCESS, expect_error, run_tests
from pages import Recorder, open_page

import _cefsim
import _zubrix_cef
import host_app
import zubrix_cef

records = []


class Keep(logging.Handler):
    def emit(self, record):
        records.append((record.name, record.levelno, record.getMessage(),
                        threading.current_thread().name))


logging.getLogger().addHandler(Keep())
logging.getLogger().setLevel(logging.DEBUG)
# Declared UTF-8: a page without a charset is read as ISO-8859-1.
PAGE = u"<meta charset='utf-8'><script>\nconsole.log('d\u00e9j\u00e0 vu');\nmissing();\n</script>"


def page_lines(name):
    return [r for r in records if r[0] == name]


def test_the_checked_start_starts_once():
    zubrix_cef.initialize({"browser_subprocess_path": SUBPROCESS})
    error = expect_error(RuntimeError, zubrix_cef.initialize,
                         {"browser_subprocess_path": SUBPROCESS})
    assert "already called" in str(error)
    assert _cefsim.initialize_count() == 1


def test_console_lines_are_logged_as_unicode_on_the_main_thread():
    browser, window, browser_id = open_page(PAGE)
    assert host_app.run_until(lambda: len(page_lines("zubrix_cef.page")) >= 2, 10)
    (first, second) = page_lines("zubrix_cef.page")
    assert first[1] == logging.INFO and type(first[2]) is unicode
    assert first[2].endswith(u":2: d\u00e9j\u00e0 vu"), first
    assert second[1] == logging.WARNING and u":3: Uncaught ReferenceError: " in second[2]
    assert first[3] == second[3] == threading.current_thread().name


def test_a_misspelt_archive_is_warned_about_with_its_url():
    url = "client://plovex//no/such/panle.plovex/index.html"
    open_page(url)
    warnings = lambda: [r for r in page_lines("zubrix_cef") if r[1] == logging.WARNING]
    assert host_app.run_until(warnings, 10)
    (warning,) = warnings()
    assert warning[2] == u"cannot load %s: no archive at /no/such/panle.plovex" % url


def test_the_host_redirects_and_silences_the_lines():
    expect_error(TypeError, _zubrix_cef.SetConsoleLogger, "zubrix_cef.page")
    calls = Recorder()
    callback_id = _zubrix_cef.RegisterPyCallback(calls)
    browser, window, browser_id = open_page(u"<p>quiet</p>")

    def say(text):
        # The call comes after the line, so the line has been handled once
        # the call arrives.
        browser.ExecuteJavascript("console.log('%s'); host.call_python_callback(%d, [])"
                                  % (text, callback_id))
        count = len(calls.calls)
        assert host_app.run_until(lambda: len(calls.calls) > count, 10)

    _zubrix_cef.SetConsoleLogger(logging.getLogger("tool.pages"))
    say("redirected")
    _zubrix_cef.SetConsoleLogger(None)
    say("silenced")
    assert [r[2].rsplit(": ", 1)[1] for r in page_lines("tool.pages")] == [u"redirected"]
    assert not [r for r in records if u"silenced" in r[2]]


run_tests(globals(), finish=_zubrix_cef.Shutdown)
