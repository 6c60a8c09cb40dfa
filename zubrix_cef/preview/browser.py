"""The preview's browser: the calls of the module's CefBrowser that tool
code and the channel make, over a QtWebEngine page.

- RegisterStartupCode(code) / UnregisterStartupCode(): code that runs in
  the main frame at every load, before the page's own scripts (a
  QWebEngineScript at document creation, in the page's own world).
- ExecuteJavascript(code): runs code in the main frame now.
- Reload(), Close(), ShowDevTools().

Every page of the main frame gets the module's host.call_python_callback,
carried to a registry (zubrix_cef.preview.registry) over Qt's web channel.
Sub-frames get no host object: Qt gives its web channel to the main frame
only.
"""
import logging
import os

from PySide2 import QtCore, QtWebChannel, QtWebEngineWidgets

from zubrix_cef.page_messages import decode_page_text, javascript_string
from zubrix_cef.preview.engine import qwebchannel_source

logger = logging.getLogger("zubrix_cef")
# Where the host's module logs every page's console lines, in its form.
page_logger = logging.getLogger("zubrix_cef.page")

_HOST_SCRIPT_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "page_host.js")
_SCRIPT_NAME = "zubrix host and start-up code"
_LEVELS = {QtWebEngineWidgets.QWebEnginePage.InfoMessageLevel: "info",
           QtWebEngineWidgets.QWebEnginePage.WarningMessageLevel: "warning",
           QtWebEngineWidgets.QWebEnginePage.ErrorMessageLevel: "error"}
_host_source = []


def host_script():
    """The page code that defines host.call_python_callback."""
    if not _host_source:
        with open(_HOST_SCRIPT_PATH, "rb") as script:
            text = script.read().decode("utf-8")
        _host_source.append(text.replace("/* qwebchannel.js */", qwebchannel_source(), 1))
    return _host_source[0]


class HostObject(QtCore.QObject):
    """What the page's host object calls over the web channel."""

    def __init__(self, registry, parent=None):
        super(HostObject, self).__init__(parent)
        self._registry = registry

    @QtCore.Slot(int, str)
    def call_python_callback(self, callback_id, arguments_json):
        self._registry.dispatch(callback_id, arguments_json)


class PreviewPage(QtWebEngineWidgets.QWebEnginePage):
    """A page whose engine console lines (every frame's, uncaught errors
    among them) are a signal: level ("info", "warning", "error"), text,
    line, source."""
    console_line = QtCore.Signal(str, str, int, str)

    def javaScriptConsoleMessage(self, level, text, line, source):
        level_name = _LEVELS.get(level, "info")
        # As the host logs them: CEF 3.3163 gives no level, so the text
        # decides.
        page_logger.log(logging.WARNING if text.startswith("Uncaught") else logging.INFO,
                        "%s:%d: %s", source, line, text)
        self.console_line.emit(level_name, text, line, source)


class PreviewBrowser(object):
    """page: a QWebEnginePage of the default profile; registry: where its
    host object's calls go."""

    def __init__(self, page, registry):
        self._page = page
        self._closed = False
        self._startup_code = None
        self._devtools = None
        self._host_object = HostObject(registry, page)
        web_channel = QtWebChannel.QWebChannel(page)
        web_channel.registerObject("zubrix_host", self._host_object)
        page.setWebChannel(web_channel)
        self._install_scripts()

    @property
    def page(self):
        return self._page

    @property
    def closed(self):
        return self._closed

    def RegisterStartupCode(self, code):
        self._startup_code = decode_page_text(code)
        self._install_scripts()

    def UnregisterStartupCode(self):
        self._startup_code = None
        self._install_scripts()

    def ExecuteJavascript(self, code):
        if not self._closed:
            self._page.runJavaScript(decode_page_text(code))

    def Reload(self):
        # Past Chromium's memory cache: the point of a reload here is to see
        # the panel's files as they are now.
        if not self._closed:
            self._page.triggerAction(QtWebEngineWidgets.QWebEnginePage.ReloadAndBypassCache)

    def Close(self):
        """Ends the page's work: it shows an empty document, and every
        later call does nothing."""
        if self._closed:
            return
        self._closed = True
        self._page.scripts().clear()
        self._page.setUrl(QtCore.QUrl("about:blank"))
        if self._devtools is not None:
            self._devtools.close()

    def ShowDevTools(self, parent_window=None):
        """Opens Chromium's developer tools for the page in a window of
        their own (parent_window is the module's and is not needed here)."""
        if self._closed:
            return
        if self._devtools is None:
            self._devtools = QtWebEngineWidgets.QWebEngineView()
            self._devtools.setWindowTitle("Developer tools")
            self._devtools.resize(900, 600)
            self._page.setDevToolsPage(self._devtools.page())
        self._devtools.show()
        self._devtools.raise_()

    def _install_scripts(self):
        # One script, so that the host object exists before the start-up
        # code runs: QtWebEngine keeps no order among scripts. The start-up
        # code runs as a script of its own would: an error in it, a syntax
        # error too, is the page's uncaught error and stops nothing else.
        source = host_script()
        if self._startup_code:
            source += u"\n;(0, eval)(%s);\n" % javascript_string(self._startup_code)
        scripts = self._page.scripts()
        for old in scripts.findScripts(_SCRIPT_NAME):
            scripts.remove(old)
        script = QtWebEngineWidgets.QWebEngineScript()
        script.setName(_SCRIPT_NAME)
        script.setSourceCode(source)
        script.setInjectionPoint(QtWebEngineWidgets.QWebEngineScript.DocumentCreation)
        script.setWorldId(QtWebEngineWidgets.QWebEngineScript.MainWorld)
        script.setRunsOnSubFrames(False)
        scripts.insert(script)
