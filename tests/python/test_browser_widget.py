"""The helper's browser widget: a browser on its own window once shown,
sized with the widget, gone with the widget."""
import textwrap

import pytest

from content_files import write_files

WIDGET_PRELUDE = """
from zubrix_cef.browser_widget import browser_widget_class
from PySide2 import QtCore, QtWidgets
BrowserWidget = browser_widget_class()
start(SUBPROCESS)
"""


@pytest.fixture
def run_widget_host(run_qt_host):
    return lambda code: run_qt_host(WIDGET_PRELUDE + textwrap.dedent(code))


def test_browser_is_created_on_first_show_in_the_widgets_window(run_widget_host):
    outcome = run_widget_host("""
        widget = BrowserWidget("data:text/html,<p>x</p>")
        widget.resize(300, 200)
        # The widget asks CEF for nothing before it is shown, so no marker can
        # follow; a short turn of the loop gives a wrong request its chance.
        pump(0.1)
        before = [widget.browser is None, len(browser_records())]
        widget.show()
        browser_id = wait_for_browsers(1)[0]["id"]
        _cefsim.wait_loaded(browser_id)
        record = browser_records()[0]
        widget.hide()
        widget.show()
        marker_id = flush_browser_tasks()
        report([before, type(widget.browser).__name__,
                len([r for r in browser_records() if r["id"] != marker_id]),
                record["parent"] == widget.window_handle() == int(widget.winId()),
                record["window_info"]["width"], record["window_info"]["height"],
                record["frames"][0]["url"],
                BrowserWidget is browser_widget_class(QtWidgets)])
        _zubrix_cef.Shutdown()
    """)
    assert outcome.result == [[True, 0], "CefBrowser", 1, True, 300, 200,
                              "data:text/html,<p>x</p>", True]


def test_browser_window_follows_the_widgets_size_inside_a_layout(run_widget_host):
    outcome = run_widget_host("""
        window = QtWidgets.QWidget()
        layout = QtWidgets.QVBoxLayout(window)
        layout.setContentsMargins(0, 0, 0, 0)
        widget = BrowserWidget("data:text/html,x")
        layout.addWidget(widget)
        window.resize(320, 240)
        window.show()
        browser_window = wait_for_browsers(1)[0]["window"]
        sizes = []
        for size in [(500, 300), (200, 150)]:
            window.resize(*size)
            pump_until(lambda: (x_geometry(browser_window) or [0] * 4)[2:4] == size, 5)
            sizes.append(x_geometry(browser_window)[:4])
        report(sizes)
        _zubrix_cef.Shutdown()
    """)
    assert outcome.result == [[0, 0, 500, 300], [0, 0, 200, 150]]


def test_browser_window_goes_when_the_widget_is_destroyed(run_widget_host):
    outcome = run_widget_host("""
        parent = make_window(400, 300)
        widget = BrowserWidget("data:text/html,x", parent=parent)
        widget.resize(100, 100)
        widget.show()
        browser_window = wait_for_browsers(1)[0]["window"]
        pump_until(lambda: x_geometry(browser_window) is not None)
        widget.deleteLater()
        del widget
        QtCore.QCoreApplication.sendPostedEvents(None, QtCore.QEvent.DeferredDelete)
        gone = pump_until(lambda: x_geometry(browser_window) is None, 5)
        report([gone, x_geometry(handle(parent)) is not None])
        _zubrix_cef.Shutdown()
    """)
    assert outcome.result == [True, True]


def test_page_from_a_packed_archive_calls_a_named_callback(run_widget_host, tmp_path):
    site = tmp_path / "site"
    write_files(site, {
        "index.html": '<script src="js/lib/call.js"></script>',
        # Nothing promises that the start-up code, which defines ids, runs
        # before the page's scripts, so the script waits for it.
        "js/lib/call.js": "(function call() { if (!window.ids) return setTimeout(call, 5);"
                          " host.call_python_callback(ids.seen, ['nested entry', ids.seen]);"
                          " })();",
    })
    outcome = run_widget_host("""
        from zubrix_cef.callbacks import CallbackRegistry
        from zubrix_cef.pack import pack
        calls = []
        registry = CallbackRegistry()
        registry.register(len, name="unused")
        registry.register(lambda *args: calls.append(args), name="seen")
        archive = %r
        pack(%r, archive)
        widget = BrowserWidget("client://plovex/" + archive + "/index.html",
                               registry.javascript("ids"))
        widget.show()
        pump_until(lambda: calls, 15)
        report([[a.decode() if isinstance(a, bytes) else a for a in call] for call in calls])
        _zubrix_cef.Shutdown()
    """ % (str(tmp_path / "site.plovex"), str(site)))
    assert outcome.result == [["nested entry", 1]]
