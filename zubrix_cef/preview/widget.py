"""The preview's widget: a page shown by QtWebEngine with the module's
host object, start-up code and client: scheme, and a channel attached as
BrowserWidget attaches it in the host. F5 (or Ctrl+R) reloads, F12 opens
the developer tools."""
import functools

from PySide2 import QtCore, QtGui, QtWebEngineWidgets, QtWidgets

from zubrix_cef.preview import engine
from zubrix_cef.preview.browser import PreviewBrowser, PreviewPage
from zubrix_cef.preview.client_scheme import ClientSchemeHandler
from zubrix_cef.preview.registry import shared_registry

# Run before each client: request with its URL (the preview's panel folder
# repacks itself here).
before_client_request = []
_scheme_handler = []


def _run_before_request(url):
    for hook in list(before_client_request):
        hook(url)


def _default_profile():
    profile = QtWebEngineWidgets.QWebEngineProfile.defaultProfile()
    if not _scheme_handler:
        engine.check_scheme_registered()
        _scheme_handler.append(ClientSchemeHandler(_run_before_request, profile))
        profile.installUrlSchemeHandler(engine.SCHEME, _scheme_handler[0])
    return profile


def _forget(channel, listeners, browser):
    # Runs when Qt destroys the widget: the channel outlives it.
    if channel is not None:
        channel.remove_ready_listener(listeners[0])
        channel.remove_console_listener(listeners[1])
        if channel.browser is browser:
            channel.detach()
    browser.Close()


class PreviewWidget(QtWebEngineWidgets.QWebEngineView):
    # As BrowserWidget's: the channel's page is ready (after each load), and
    # a console message or uncaught error of the channel's page.
    channel_ready = QtCore.Signal(str)
    console_message = QtCore.Signal(str, str)
    # Every console line of the engine, of any page and frame: level
    # ("info", "warning", "error"), text, line, source.
    engine_console_line = QtCore.Signal(str, str, int, str)

    def __init__(self, url, channel=None, startup_code=None, parent=None, registry=None):
        super(PreviewWidget, self).__init__(parent)
        engine.warn_once_about_versions()
        page = PreviewPage(_default_profile(), self)
        self.setPage(page)
        page.console_line.connect(self.engine_console_line)
        self._url = url
        self._channel = channel
        self._browser = PreviewBrowser(page, registry or shared_registry())
        listeners = (lambda page_url: self.channel_ready.emit(page_url),
                     lambda message: self.console_message.emit(message.level, message.text))
        if channel is not None:
            channel.add_ready_listener(listeners[0])
            channel.add_console_listener(listeners[1])
            # Before the first load, as the host registers it before its
            # browser's first navigation.
            channel.attach(self._browser, startup_code)
        elif startup_code is not None:
            self._browser.RegisterStartupCode(startup_code)
        self.destroyed.connect(functools.partial(_forget, channel, listeners, self._browser))
        for keys, action in ((QtGui.QKeySequence.Refresh, self._browser.Reload),
                             ("Ctrl+R", self._browser.Reload),
                             ("F12", self._browser.ShowDevTools)):
            QtWidgets.QShortcut(QtGui.QKeySequence(keys), self, action)
        self.load(QtCore.QUrl.fromEncoded(url.encode("utf-8")))

    @property
    def url(self):
        return self._url

    @property
    def channel(self):
        return self._channel

    @property
    def browser(self):
        """The PreviewBrowser, the module's CefBrowser calls over this page."""
        return self._browser


def preview_widget(url, channel=None, startup_code=None, parent=None, registry=None):
    """A PreviewWidget showing url (a client:, file: or data: URL) with the
    channel attached; registry: where page calls go, the process's shared
    preview registry unless given (a channel must have been made with the
    same, e.g. Channel(registry=zubrix_cef.preview.shared_registry()))."""
    return PreviewWidget(url, channel, startup_code, parent, registry)
