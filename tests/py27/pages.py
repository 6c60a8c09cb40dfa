"""Driving pages from a test script: CEF started with the default build's
sub-process executable, windows of the host, pages opened and waited for,
and the host's event loop turned while queued calls arrive."""
import urllib

import _cefsim
import _zubrix_cef
import host_app

from harness import SUBPROCESS


def pump():
    """Lets the host's event loop handle what is pending."""
    host_app.run_events(0)


def start():
    if _cefsim.initialize_count() == 0:
        _zubrix_cef.Initialize({"browser_subprocess_path": SUBPROCESS})


def make_window(width=320, height=240):
    handle = host_app.create_window(width, height)
    host_app.show_window(handle)
    host_app.run_events(0.05)
    return handle


def data_url(html):
    """A page given inline, percent-escaped so that any text survives."""
    if isinstance(html, unicode):
        html = html.encode("utf-8")
    return "data:text/html," + urllib.quote(html)


def browser_ids():
    return set(record["id"] for record in _cefsim.browsers())


def open_page(html_or_url, timeout=15.0):
    """Starts CEF if needed, opens a browser on the page in a new window and
    waits until the page has loaded. Returns (browser, window, browser id)."""
    start()
    window = make_window()
    url = html_or_url if ":" in html_or_url[:12] else data_url(html_or_url)
    known = browser_ids()
    browser = _zubrix_cef.CreateBrowserSync(window, url)
    assert host_app.run_until(lambda: browser_ids() - known, timeout), \
        "no browser for %s" % url
    browser_id = max(browser_ids() - known)
    assert _cefsim.wait_loaded(browser_id, timeout, pump), "%s did not load" % url
    return browser, window, browser_id


def console_messages(browser_id):
    return [m["message"] for m in _cefsim.console() if m["browser_id"] == browser_id]


class Recorder(object):
    """A callable that records every call's arguments."""

    def __init__(self):
        self.calls = []

    def __call__(self, *args):
        self.calls.append(args)
