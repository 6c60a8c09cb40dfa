"""Serves "client:" URLs to the preview's pages through the module's own
route and readers (the _zubrix_preview_content binding): the same folder and
archive routes, the same not-found page, regular files only, no climbing.

Each request is read whole on the main thread, as it arrives; a folder
file larger than 256 MiB fails its request rather than take the
preview's memory (the host streams such files).
"""
import os

from PySide2 import QtCore, QtWebEngineCore

try:
    import _zubrix_preview_content
except ImportError as error:  # pragma: no cover - said at once, with the fix
    raise ImportError("the preview needs _zubrix_preview_content, built beside _zubrix_cef "
                      "(scripts/setup.sh, or the installed folder on PYTHONPATH): %s" % error)

_Error = QtWebEngineCore.QWebEngineUrlRequestJob.Error


def read_client_url(url):
    """(outcome, mime type, body) for a canonical client: URL: outcome is
    "served" (the not-found page among them), "refused" or "failed"."""
    return _zubrix_preview_content.read(url)


class ClientSchemeHandler(QtWebEngineCore.QWebEngineUrlSchemeHandler):
    """Answers the profile's client: requests. before_read(url), when given,
    runs before each one (the preview repacks a changed panel folder
    there)."""

    def __init__(self, before_read=None, parent=None):
        super(ClientSchemeHandler, self).__init__(parent)
        self._before_read = before_read

    def requestStarted(self, job):
        url = bytes(job.requestUrl().toEncoded()).decode("ascii", "replace")
        if self._before_read is not None:
            self._before_read(url)
        outcome, mime_type, body = read_client_url(url)
        if outcome == "refused":
            job.fail(_Error.RequestAborted)
        elif outcome == "failed":
            job.fail(_Error.RequestFailed)
        else:
            # The buffer lives as long as the job that reads it.
            buffer = QtCore.QBuffer(job)
            buffer.setData(body)
            buffer.open(QtCore.QIODevice.ReadOnly)
            job.reply(mime_type, buffer)


def archive_url(archive, page):
    """The client: URL of the page, an entry of the archive at that path."""
    return "client://plovex/%s/%s" % (os.path.abspath(archive).replace(os.sep, "/"),
                                      page.lstrip("/"))
