"""QtWebEngine, set up for the preview before the QApplication exists: the
"client" scheme registered as the host has it (not standard: everything after
"client:" is the path), and the engine's sandbox off when running as root,
where Chromium refuses to start with it."""
import logging
import os
import re

logger = logging.getLogger("zubrix_cef")

if hasattr(os, "geteuid") and os.geteuid() == 0:
    os.environ.setdefault("QTWEBENGINE_DISABLE_SANDBOX", "1")

try:
    from PySide2 import QtCore
    # QtWebChannel also brings qwebchannel.js into Qt's resources.
    from PySide2 import QtWebChannel, QtWebEngineCore, QtWebEngineWidgets  # noqa: F401
except ImportError as error:
    raise ImportError("the preview needs PySide2 with QtWebEngine and QtWebChannel, for "
                      "Python 3 (Debian: python3-pyside2.qtwebenginewidgets, "
                      "python3-pyside2.qtwebenginecore, python3-pyside2.qtwebchannel): %s"
                      % error)

SCHEME = b"client"
# The Chromium the host's panels run on.
TARGET_CHROMIUM = 61


def _register_scheme():
    if QtCore.QCoreApplication.instance() is not None:
        return False
    # QtWebEngine shares its OpenGL context with the widgets that show it.
    QtCore.QCoreApplication.setAttribute(QtCore.Qt.AA_ShareOpenGLContexts)
    scheme = QtWebEngineCore.QWebEngineUrlScheme(SCHEME)
    scheme.setSyntax(QtWebEngineCore.QWebEngineUrlScheme.Syntax.Path)
    QtWebEngineCore.QWebEngineUrlScheme.registerScheme(scheme)
    return True


SCHEME_REGISTERED = _register_scheme()


def check_scheme_registered():
    if not SCHEME_REGISTERED:
        raise RuntimeError("import zubrix_cef.preview before the QApplication is created: "
                           "the client: scheme can only be registered before")


def chromium_version(user_agent):
    """The Chromium major version a user agent names, or None."""
    found = re.search(r"Chrome/(\d+)", user_agent)
    return int(found.group(1)) if found else None


_warned = []


def warn_once_about_versions():
    """Says once per process that the preview's Chromium is not the host's."""
    if _warned:
        return
    _warned.append(True)
    agent = QtWebEngineWidgets.QWebEngineProfile.defaultProfile().httpUserAgent()
    version = chromium_version(agent)
    logger.warning("the preview runs Chromium %s (QtWebEngine); panels in the host run on "
                   "Chromium %d: JavaScript, CSS and APIs newer than Chromium %d work here "
                   "and fail there", version or "(unknown)", TARGET_CHROMIUM, TARGET_CHROMIUM)


def qwebchannel_source():
    """Qt's qwebchannel.js, from the resources of Qt's web channel module."""
    script = QtCore.QFile(":/qtwebchannel/qwebchannel.js")
    if not script.open(QtCore.QIODevice.ReadOnly):
        raise RuntimeError("Qt's qwebchannel.js is missing: is QtWebChannel installed?")
    try:
        return bytes(script.readAll()).decode("utf-8")
    finally:
        script.close()
