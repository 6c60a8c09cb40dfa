"""One page-side scenario, two browsers: the stand-in (the module and
BrowserWidget in a Qt host) or the preview (QtWebEngine). A scenario gets a
Backend and uses only what both offer. Imported by the snippets that
test_channel_backends runs, each in a process of its own."""
import os
import time

# Without a session bus Qt's accessibility asks libdbus to autolaunch one; a
# render process spawned meanwhile inherits that pipe and show() then blocks.
os.environ.setdefault("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus")


class Backend(object):
    """pump_until(condition), channel(allowed_urls), register(fn) -> id,
    open(url, channel=None, startup_code=None) -> widget (shown), reload(widget),
    console_lines() (every frame's console, page and engine), finish()."""

    def __init__(self):
        from PySide2 import QtWidgets
        self.app = QtWidgets.QApplication.instance() or QtWidgets.QApplication([])
        self.widgets = []

    def pump_until(self, condition, timeout=20.0):
        end = time.time() + timeout
        while time.time() < end:
            self.app.processEvents()
            if condition():
                return True
            time.sleep(0.005)
        return False

    def channel(self, allowed_urls=("client:",)):
        from zubrix_cef.channel import Channel
        return Channel(allowed_urls, registry=self.registry)

    def register(self, function):
        return self.registry.RegisterPyCallback(function)

    def reload(self, widget):
        widget.browser.Reload()

    def _forget_widgets(self):
        from PySide2 import QtCore
        for widget in self.widgets:
            widget.deleteLater()
        self.widgets = []
        QtCore.QCoreApplication.sendPostedEvents(None, QtCore.QEvent.DeferredDelete)


class StandInBackend(Backend):
    def __init__(self, subprocess_path):
        Backend.__init__(self)
        import _zubrix_cef
        from zubrix_cef.browser_widget import browser_widget_class
        self.registry = _zubrix_cef
        self._widget_class = browser_widget_class()
        _zubrix_cef.Initialize({"browser_subprocess_path": subprocess_path})

    def open(self, url, channel=None, startup_code=None):
        widget = self._widget_class(url, startup_code, channel=channel)
        widget.resize(320, 240)
        widget.show()
        self.widgets.append(widget)
        return widget

    def console_lines(self):
        import _cefsim
        return [m["message"] for m in _cefsim.console()]

    def finish(self):
        import _zubrix_cef
        self._forget_widgets()
        _zubrix_cef.Shutdown()


class PreviewBackend(Backend):
    def __init__(self):
        from zubrix_cef import preview  # before the QApplication
        Backend.__init__(self)
        self._preview = preview
        self.registry = preview.shared_registry()
        self._lines = []

    def open(self, url, channel=None, startup_code=None):
        widget = self._preview.preview_widget(url, channel, startup_code)
        widget.engine_console_line.connect(
            lambda level, text, line, source: self._lines.append(text))
        widget.resize(320, 240)
        widget.show()
        self.widgets.append(widget)
        return widget

    def console_lines(self):
        return list(self._lines)

    def finish(self):
        self._forget_widgets()


# QtWebEngine's Chromium is not built for ThreadSanitizer: preloaded into it,
# TSan reports races among Chromium's own threads (in its libstdc++,
# libevent and fontconfig calls) that no suppression could name without
# hiding the project's own.
QTWEBENGINE_UNDER_TSAN = "libtsan" in os.environ.get("LD_PRELOAD", "")


def make_backend(name, subprocess_path):
    if name == "preview":
        return PreviewBackend()
    return StandInBackend(subprocess_path)
