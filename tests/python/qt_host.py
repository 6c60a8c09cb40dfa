"""A small host for scenarios: a Qt application with one parent window, CEF
started with the sub-process executable, and helpers to wait while the Qt
event loop delivers queued calls. Imported by the snippets run_host runs."""
import os
import re
import subprocess
import time

from PySide2 import QtWidgets

import _cefsim
import _zubrix_cef

# Without a session bus Qt's accessibility asks libdbus to autolaunch one; a
# render process spawned meanwhile inherits that pipe and show() then blocks.
os.environ.setdefault("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus")
app = QtWidgets.QApplication.instance() or QtWidgets.QApplication([])


def make_window(width=320, height=240):
    window = QtWidgets.QWidget()
    window.resize(width, height)
    window.show()
    wait_for(lambda: x_viewable(handle(window)))
    return window


class ClosingWindow(QtWidgets.QWidget):
    """A host window that counts the close requests it hears."""

    def __init__(self):
        QtWidgets.QWidget.__init__(self)
        self.close_requests = 0

    def closeEvent(self, event):
        self.close_requests += 1
        event.accept()


def make_closing_window(width=320, height=240):
    window = ClosingWindow()
    window.resize(width, height)
    window.show()
    wait_for(lambda: x_viewable(handle(window)))
    return window


def handle(window):
    return int(window.winId())


def pump(seconds):
    """Turns the Qt event loop for a while."""
    end = time.time() + seconds
    while time.time() < end:
        app.processEvents()
        time.sleep(0.005)


def pump_until(condition, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        app.processEvents()
        if condition():
            return True
        time.sleep(0.005)
    return False


def wait_for(condition, timeout=20.0):
    """Turns the loop until condition() holds; fails the scenario when the
    deadline passes first."""
    assert pump_until(condition, timeout), "still waiting after %ss" % timeout


# A call that marks the end of what a page has sent so far.
MARKER = "marker: all earlier calls are in"


def flush_calls(browser, calls, callback_id=0, timeout=20.0):
    """Returns once every call that the browser's page has made so far has
    arrived in calls: the page makes one more call, and a page's calls arrive
    in order. The marker call is taken out of calls again. This is how a
    scenario shows that a call never comes, without guessing a time."""
    browser.ExecuteJavascript("host.call_python_callback(%d, [%r])"
                              % (callback_id, MARKER))

    def is_marker(call):
        return MARKER in repr(call)
    wait_for(lambda: any(is_marker(c) for c in calls), timeout)
    calls[:] = [c for c in calls if not is_marker(c)]


def reload_and_flush(browser, browser_id, calls, timeout=20.0):
    """Reloads the page and returns once the new load has ended (so its
    start-up code has been sent) and every call made so far has arrived."""
    browser.Reload()
    # wait_loaded counts a navigation asked for however recently.
    assert _cefsim.wait_loaded(browser_id, timeout)
    flush_calls(browser, calls, timeout=timeout)


def start(subprocess_path):
    _zubrix_cef.Initialize({"browser_subprocess_path": subprocess_path})


def browser_records():
    return _cefsim.browsers()


def wait_for_browsers(count, timeout=10.0):
    assert pump_until(lambda: len(_cefsim.browsers()) >= count, timeout), \
        _cefsim.browsers()
    return _cefsim.browsers()


def x_geometry(window_id):
    """(x, y, width, height, parent id) as the X server reports them, or None
    when the window does not exist."""
    tree = subprocess.run(["xwininfo", "-children", "-id", str(window_id)],
                          capture_output=True, text=True)
    info = subprocess.run(["xwininfo", "-id", str(window_id)],
                          capture_output=True, text=True)
    if info.returncode != 0 or tree.returncode != 0:
        return None
    values = {}
    for key in ("Relative upper-left X", "Relative upper-left Y", "Width", "Height"):
        values[key] = int(re.search(key + r":\s+(-?\d+)", info.stdout).group(1))
    parent = int(re.search(r"Parent window id: (0x[0-9a-f]+)", tree.stdout).group(1), 16)
    return (values["Relative upper-left X"], values["Relative upper-left Y"],
            values["Width"], values["Height"], parent)


def x_viewable(window_id):
    """Whether the X server shows the window (it and its ancestors mapped)."""
    info = subprocess.run(["xwininfo", "-id", str(window_id)],
                          capture_output=True, text=True)
    return "Map State: IsViewable" in info.stdout


def data_url(html):
    """A page given inline, percent-escaped so that any text survives."""
    from urllib.parse import quote
    return "data:text/html," + quote(html)


def create_browser(html_or_url, width=320, height=240):
    """Starts CEF if needed and asks for a browser on the page (a URL, or
    HTML given inline) in a new window, without waiting for it. Returns
    (browser, window)."""
    if _cefsim.initialize_count() == 0:
        start(SUBPROCESS_PATH[0])
    window = make_window(width, height)
    url = html_or_url if ":" in html_or_url[:12] else data_url(html_or_url)
    return _zubrix_cef.CreateBrowserSync(handle(window), url), window


def browser_ids():
    return {r["id"] for r in _cefsim.browsers()}


def load_while_the_loop_stands(known, timeout=20.0):
    """Waits, without turning Qt's loop, until a browser that is not among
    the known ids exists and its page has loaded; returns its id. Every call
    the page made while it loaded then waits in Qt's queue: CEF hands the
    calls on before the load's end."""
    end = time.time() + timeout
    while not browser_ids() - known:
        assert time.time() < end, "no new browser after %ss" % timeout
        time.sleep(0.005)
    browser_id = max(browser_ids() - known)
    # A pump that does nothing: by default wait_loaded turns Qt's loop.
    assert _cefsim.wait_loaded(browser_id, timeout, lambda: None)
    return browser_id


def open_page(html_or_url, width=320, height=240, timeout=15.0):
    """Like create_browser, and waits until the page has loaded. Returns
    (browser, window, browser id)."""
    known = browser_ids()
    browser, window = create_browser(html_or_url, width, height)
    assert pump_until(lambda: browser_ids() - known, timeout)
    browser_id = max(browser_ids() - known)
    assert _cefsim.wait_loaded(browser_id, timeout)
    return browser, window, browser_id


def flush_browser_tasks():
    """Returns once every browser task asked for so far has run: CEF's UI
    thread runs them in order, so a browser opened now comes after them.
    Returns that marker browser's id, for the scenario to leave out."""
    return open_page("<p>marker</p>")[2]


def console_messages(browser_id=None):
    return [m["message"] for m in _cefsim.console()
            if browser_id is None or m["browser_id"] == browser_id]


def texts_received():
    """Registers a callable that keeps the one text each call carries,
    decoded, and returns the list that it fills."""
    received = []
    _zubrix_cef.RegisterPyCallback(lambda text: received.append(text.decode()))
    return received


class Recorder:
    """A callable that records every call's arguments."""

    def __init__(self):
        self.calls = []

    def __call__(self, *args):
        self.calls.append(args)


SUBPROCESS_PATH = [None]
