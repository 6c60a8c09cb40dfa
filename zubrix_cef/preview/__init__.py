"""A preview of a panel in QtWebEngine's Chromium, outside the host: the
same page, the same channel and the same Python functions, with a DOM that
draws and developer tools.

    python3 -m zubrix_cef.preview PANEL [--expose MODULE:NAME] [--page PAGE]

From Python (import this before creating the QApplication):

    from zubrix_cef import preview
    channel = Channel(registry=preview.shared_registry())
    widget = preview.preview_widget(url, channel)
    widget.show()

The preview's browser (widget.browser) has the module's CefBrowser calls
that the channel makes; its pages get the module's host object, start-up
code and client: URLs by the module's own rules. It runs Chromium 87 where
the host runs Chromium 61: it is a development tool, and the host stays the
reference. Python 3 only: QtWebEngine has no Python 2 binding.
"""
from zubrix_cef.preview.engine import TARGET_CHROMIUM  # noqa: F401
from zubrix_cef.preview.registry import PreviewRegistry, shared_registry  # noqa: F401
from zubrix_cef.preview.widget import PreviewWidget, preview_widget  # noqa: F401
