"""python3 -m zubrix_cef.preview PANEL [--expose MODULE:NAME] [--page PAGE]

Shows the panel (a folder or a .plovex archive) in QtWebEngine with a
channel, the one --expose names or else an empty one. A folder is packed
as the packer packs it and packed again when it changes, so F5 shows the
page as it is now; F12 opens the developer tools. The page's console
messages and uncaught errors, and what the channel checks, are logged.
"""
import argparse
import logging
import sys

from zubrix_cef.preview import engine  # before the QApplication

from PySide2 import QtCore, QtWidgets  # noqa: E402

from zubrix_cef.channel import Channel  # noqa: E402
from zubrix_cef.preview.exposed import exposed_channel  # noqa: E402
from zubrix_cef.preview.panel_source import PanelSource  # noqa: E402
from zubrix_cef.preview.registry import shared_registry  # noqa: E402
from zubrix_cef.preview.widget import before_client_request, preview_widget  # noqa: E402

logger = logging.getLogger("zubrix_cef")


def _size(text):
    try:
        width, height = (int(part) for part in text.lower().split("x"))
    except ValueError:
        raise argparse.ArgumentTypeError("a size is WIDTHxHEIGHT, such as 480x360")
    if width <= 0 or height <= 0:
        raise argparse.ArgumentTypeError("a size is WIDTHxHEIGHT, such as 480x360")
    return width, height


def parse_arguments(argv):
    parser = argparse.ArgumentParser(
        prog="python3 -m zubrix_cef.preview",
        description="Shows a panel in QtWebEngine's Chromium, newer than the host's "
                    "Chromium %d, with the same channel and Python functions."
                    % engine.TARGET_CHROMIUM)
    parser.add_argument("panel", help="a panel folder or a .plovex archive")
    parser.add_argument("--expose", metavar="MODULE:NAME",
                        help="the Channel, or a factory taking registry=, whose functions "
                             "the page calls (MODULE: a module name or a .py file)")
    parser.add_argument("--page", default="index.html", help="the page to open (index.html)")
    parser.add_argument("--devtools", action="store_true", help="open the developer tools")
    parser.add_argument("--size", type=_size, default=(480, 360), metavar="WxH",
                        help="the window's size (480x360)")
    parser.add_argument("--screenshot", metavar="PNG",
                        help="save the panel once its page is ready and has drawn, then exit")
    parser.add_argument("--timeout", type=float, default=30.0,
                        help="seconds --screenshot waits for the page (30)")
    parser.add_argument("--verbose", action="store_true",
                        help="also log every engine console line, of any frame")
    return parser.parse_args(argv)


class _Screenshot(object):
    """Saves the widget once its load has finished and its channel is ready,
    after a moment for the page's first answers to draw; then quits."""
    SETTLE_MS = 1000

    def __init__(self, widget, path, app):
        self._widget, self._path, self._app = widget, path, app
        self._loaded = self._ready = False
        self.saved = False
        widget.loadFinished.connect(self._on_loaded)
        widget.channel_ready.connect(self._on_ready)

    def _on_loaded(self, ok):
        self._loaded = True
        self._maybe_take()

    def _on_ready(self, url):
        self._ready = True
        self._maybe_take()

    def _maybe_take(self):
        if self._loaded and self._ready and not self.saved:
            QtCore.QTimer.singleShot(self.SETTLE_MS, self._take)

    def _take(self):
        if self.saved:
            return
        self.saved = self._widget.grab().save(self._path)
        logger.info("screenshot %s: %s", "saved to" if self.saved else "could not be saved to",
                    self._path)
        self._app.quit()


def main(argv=None):
    args = parse_arguments(argv)
    logging.basicConfig(level=logging.DEBUG if args.verbose else logging.INFO,
                        format="%(name)s %(levelname)s: %(message)s")
    try:
        source = PanelSource(args.panel, args.page)
    except ValueError as error:
        sys.stderr.write("preview: %s\n" % error)
        return 2
    app = QtWidgets.QApplication(sys.argv[:1])
    registry = shared_registry()
    try:
        channel = (exposed_channel(args.expose, registry) if args.expose
                   else Channel(registry=registry))
    except (ValueError, ImportError) as error:
        sys.stderr.write("preview: %s\n" % error)
        source.close()
        return 2
    before_client_request.append(source.refresh)
    widget = preview_widget(source.url, channel)
    widget.setWindowTitle("Preview: %s" % args.panel)
    widget.resize(*args.size)
    widget.show()
    logger.info("previewing %s (F5 reloads%s, F12 opens the developer tools)", source.url,
                ", repacking the folder when it changed" if source.folder else "")
    if args.devtools:
        widget.browser.ShowDevTools()
    screenshot = None
    if args.screenshot:
        screenshot = _Screenshot(widget, args.screenshot, app)
        QtCore.QTimer.singleShot(int(args.timeout * 1000), app.quit)
    app.exec_()
    channel.close()
    source.close()
    if screenshot is not None and not screenshot.saved:
        sys.stderr.write("preview: the page was not ready within %s s; no screenshot\n"
                         % args.timeout)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
