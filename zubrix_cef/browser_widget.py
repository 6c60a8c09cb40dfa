"""A QWidget that hosts a browser in its own native window.

The class is made for the Qt binding that the host uses, so this package
depends on none:

    BrowserWidget = browser_widget_class()          # or (PySide2.QtWidgets)
    panel = BrowserWidget("client://internal/ui/index.html")

The browser is created when the widget is first shown (its window exists
then), fills the widget and follows its size, and is closed when the widget
is destroyed. Given a channel (zubrix_cef.channel.Channel), the widget
attaches it to the browser as soon as that exists, and re-emits its
readiness and the page's console messages as Qt signals.
"""
import functools

import _zubrix_cef

from zubrix_cef.qt_binding import find_qt_widgets, signal_type
from zubrix_cef.window_handles import module_window_handle

_classes = {}


def browser_widget_class(qt_widgets=None):
    """The BrowserWidget class for a binding's QtWidgets module (the host's
    binding when not given); one class per binding."""
    qt_widgets = qt_widgets or find_qt_widgets()
    if qt_widgets not in _classes:
        _classes[qt_widgets] = _make_browser_widget_class(qt_widgets.QWidget,
                                                          signal_type(qt_widgets))
    return _classes[qt_widgets]


class _BrowserSlot(object):
    """Holds the browser and the channel apart from the widget, so that both
    can still be let go when Qt destroys the widget."""

    def __init__(self, channel):
        self.browser = None
        self.channel = channel
        self.listeners = []

    def listen(self, on_ready, on_console):
        self.listeners = [on_ready, on_console]
        self.channel.add_ready_listener(on_ready)
        self.channel.add_console_listener(on_console)

    def close(self, *_):
        if self.channel is not None:
            if self.listeners:
                self.channel.remove_ready_listener(self.listeners[0])
                self.channel.remove_console_listener(self.listeners[1])
            if self.channel.browser is self.browser:
                self.channel.detach()
        if self.browser is not None:
            self.browser.Close()


def _make_browser_widget_class(qwidget, signal):
    class BrowserWidget(qwidget):
        # The channel's page is ready (after each load): its URL.
        channel_ready = signal(str)
        # A console message or uncaught error of the channel's page: level
        # ("log", "info", "warn", "error", "debug") and text.
        console_message = signal(str, str)

        def __init__(self, url, startup_code=None, parent=None, channel=None):
            """startup_code, when given, runs in the page at every load start,
            the first included (after the channel's code, with a channel).
            channel: a zubrix_cef.channel.Channel, attached to the browser
            once it exists; what it sends meanwhile waits."""
            super(BrowserWidget, self).__init__(parent)
            self._url = url
            self._startup_code = startup_code
            self._slot = _BrowserSlot(channel)
            if channel is not None:
                self._slot.listen(
                    lambda page_url: self.channel_ready.emit(page_url),
                    lambda message: self.console_message.emit(message.level, message.text))
            # A partial, not a bound method: bindings keep it alive on their
            # own and may call it after the Python wrapper is gone.
            self.destroyed.connect(functools.partial(_BrowserSlot.close, self._slot))

        @property
        def url(self):
            return self._url

        @property
        def channel(self):
            return self._slot.channel

        @property
        def browser(self):
            """The CefBrowser, or None until the widget is first shown."""
            return self._slot.browser

        def window_handle(self):
            """The widget's native window as the module takes it."""
            return module_window_handle(self.winId())

        def showEvent(self, event):
            super(BrowserWidget, self).showEvent(event)
            if self._slot.browser is None:
                browser = _zubrix_cef.CreateBrowserSync(self.window_handle(), self._url)
                self._slot.browser = browser
                if self._slot.channel is not None:
                    self._slot.channel.attach(browser, self._startup_code)
                elif self._startup_code is not None:
                    browser.RegisterStartupCode(self._startup_code)

        def resizeEvent(self, event):
            super(BrowserWidget, self).resizeEvent(event)
            self._follow_size()

        def _follow_size(self):
            # The browser's window is sized in device pixels.
            if self._slot.browser is not None:
                ratio = self.devicePixelRatioF()
                self._slot.browser.Resize(0, 0, int(round(self.width() * ratio)),
                                          int(round(self.height() * ratio)))

    return BrowserWidget
