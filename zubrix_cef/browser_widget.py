"""A QWidget that hosts a browser in its own native window.

The class is made for the Qt binding that the host uses, so this package
depends on none:

    BrowserWidget = browser_widget_class()          # or (PySide2.QtWidgets)
    panel = BrowserWidget("client://internal/ui/index.html")

The browser is created when the widget is first shown (its window exists
then), fills the widget and follows its size, and is closed when the widget
is destroyed.
"""
import functools

import _zubrix_cef

from zubrix_cef.qt_binding import find_qt_widgets
from zubrix_cef.window_handles import module_window_handle

_classes = {}


def browser_widget_class(qt_widgets=None):
    """The BrowserWidget class for a binding's QtWidgets module (the host's
    binding when not given); one class per binding."""
    qt_widgets = qt_widgets or find_qt_widgets()
    if qt_widgets not in _classes:
        _classes[qt_widgets] = _make_browser_widget_class(qt_widgets.QWidget)
    return _classes[qt_widgets]


class _BrowserSlot(object):
    """Holds the browser apart from the widget, so that it can still be closed
    when Qt destroys the widget."""

    def __init__(self):
        self.browser = None

    def close(self, *_):
        if self.browser is not None:
            self.browser.Close()


def _make_browser_widget_class(qwidget):
    class BrowserWidget(qwidget):
        def __init__(self, url, startup_code=None, parent=None):
            """startup_code, when given, runs in the page at every load start,
            the first included."""
            super(BrowserWidget, self).__init__(parent)
            self._url = url
            self._startup_code = startup_code
            self._slot = _BrowserSlot()
            # A partial, not a bound method: bindings keep it alive on their
            # own and may call it after the Python wrapper is gone.
            self.destroyed.connect(functools.partial(_BrowserSlot.close, self._slot))

        @property
        def url(self):
            return self._url

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
                self._slot.browser = _zubrix_cef.CreateBrowserSync(
                    self.window_handle(), self._url)
                if self._startup_code is not None:
                    self._slot.browser.RegisterStartupCode(self._startup_code)

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
