"""The demo host: a Qt main window with a web panel, written as a host
application's tool code would be.

It starts CEF with zubrix_cef_subprocess, packs examples/panel into a .plovex
archive and shows it in the panel, with a second page from the internal
content folder beside it, each with a channel of its own; sets a cookie; lets
the panel's page call Python through its channel and get an answer, whose
effect the page reports back; sends the page an event; then resizes the
window once and checks that the panel's browser window follows.
It exits 0 once all of that has happened, non-zero with the reason when it
does not within the time limit. --stay keeps the window open.

Run from the repository with the build folder in ZUBRIX_BUILD_DIR (default
build/): python3 examples/web_panel_demo.py [--stay] [--timeout SECONDS]
"""
import argparse
import logging
import os
import shutil
import sys
import tempfile

EXAMPLES = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(EXAMPLES)
BUILD = os.path.abspath(os.environ.get("ZUBRIX_BUILD_DIR", os.path.join(ROOT, "build")))
sys.path[:0] = [BUILD, ROOT]

from PySide2 import QtCore, QtWidgets  # noqa: E402

import _cefsim  # noqa: E402  (the stand-in's inspection module: where the windows are)
import _zubrix_cef  # noqa: E402
from zubrix_cef.browser_widget import browser_widget_class  # noqa: E402
from zubrix_cef.channel import Channel  # noqa: E402
from zubrix_cef.pack import pack  # noqa: E402

from demo_steps import Steps  # noqa: E402
from x_geometry import x_window_size  # noqa: E402

ANSWER = "hello from Python"
FIRST_SIZE = (900, 600)
SECOND_SIZE = (1100, 700)
COOKIE_URL = "https://panel.zubrix.example/"
STEPS = ["cookie", "page call", "answer", "event", "internal page", "resize"]


def set_cookie(steps):
    cookie = _zubrix_cef.CefCookie()
    cookie.name, cookie.value, cookie.path = "panel_session", "demo", "/"
    _zubrix_cef.CefCookieManager.GetGlobalManager().SetCookie(COOKIE_URL, cookie)
    stored = [c for c in _cefsim.cookies() if c["name"] == "panel_session"]
    if stored:
        steps.done("cookie", "cookie set for %s: %s" % (COOKIE_URL, stored[0]))


def browser_window(widget):
    """The X window of the browser that lives in widget, or None."""
    for record in _cefsim.browsers():
        if record["parent"] == widget.window_handle() and not record["is_devtools"]:
            return record["window"]
    return None


class Demo(object):
    def __init__(self, app, archive, stay):
        self.app = app
        self.stay = stay
        self.steps = Steps(STEPS, self.finish)
        self.panel_channel = Channel()
        self.panel_channel.expose(self.page_ready)
        self.panel_channel.expose(self.answer_seen)
        self.panel_channel.expose(self.event_seen)
        self.about_channel = Channel(["client://internal/"])
        self.about_channel.expose(self.about_loaded)
        self.steps.say("exposed to the panel: %s; to the second page: %s"
                       % (self.panel_channel.exposed, self.about_channel.exposed))

        browser_widget = browser_widget_class(QtWidgets)
        panel_url = "client://plovex/%s/index.html" % archive.replace(os.sep, "/")
        self.panel = browser_widget(panel_url, channel=self.panel_channel)
        self.about = browser_widget("client://internal/about.html", channel=self.about_channel)
        self.panel.console_message.connect(
            lambda level, text: self.steps.say("panel console.%s: %s" % (level, text)))
        self.window = self.main_window()
        self.steps.say("panel: %s" % panel_url)
        self.steps.say("second page: %s" % self.about.url)

    def main_window(self):
        window = QtWidgets.QMainWindow()
        window.setWindowTitle("Zubrix web panel demo")
        splitter = QtWidgets.QSplitter()
        splitter.addWidget(self.panel)
        splitter.addWidget(self.about)
        splitter.setStretchFactor(0, 3)
        splitter.setStretchFactor(1, 1)
        window.setCentralWidget(splitter)
        window.resize(*FIRST_SIZE)
        return window

    def page_ready(self, url, number, flag, nested, options):
        self.steps.done("page call", "the page called page_ready%r" % (
            (url, number, flag, nested, options),))
        self.steps.say("Python answers: %r" % ANSWER)
        return {"message": ANSWER, "scale": options.get("scale", 1) * 2}

    def answer_seen(self, message, title):
        if message != ANSWER:
            self.steps.say("the page saw a different answer: %r" % (message,))
            return
        self.steps.done("answer", "the page received Python's answer and reports "
                        "answer_seen%r; its title is now %r" % ((message, title), title))
        self.panel_channel.emit("greeting", {"from": "Python", "items": [1, 2.5, None]})

    def event_seen(self, payload):
        self.steps.done("event", "the page handled the event greeting%r" % (payload,))
        self.resize_once()

    def about_loaded(self, url):
        self.steps.done("internal page", "the internal page called about_loaded(%r)" % (url,))

    def resize_once(self):
        before = self.panel_browser_size()
        self.window.resize(*SECOND_SIZE)
        self.steps.say("window resized from %s to %s; panel browser window was %s"
                       % (FIRST_SIZE, SECOND_SIZE, before))
        self.poll(self.check_panel_follows)

    def panel_browser_size(self):
        window = browser_window(self.panel)
        return x_window_size(window) if window else None

    def check_panel_follows(self):
        ratio = self.panel.devicePixelRatioF()
        wanted = (int(round(self.panel.width() * ratio)), int(round(self.panel.height() * ratio)))
        if self.panel_browser_size() != wanted:
            return False
        self.steps.done("resize", "the panel's browser window (X window %#x) follows: "
                        "%dx%d, the panel's new size" % ((browser_window(self.panel),) + wanted))
        return True

    def poll(self, condition):
        timer = QtCore.QTimer(self.window)

        def check():
            if condition():
                timer.stop()
        timer.timeout.connect(check)
        timer.start(20)

    def finish(self):
        print("Round trip complete." + (" Staying open (--stay)." if self.stay else ""))
        if not self.stay:
            QtCore.QTimer.singleShot(0, self.app.quit)

    def deadline(self, seconds):
        if self.steps.complete:
            return
        print("Time limit of %gs reached." % seconds)
        for line in _cefsim.console():
            print("  page console: %s" % line["message"])
        if not self.stay:
            self.app.quit()

    def close(self):
        self.window.close()
        self.window.deleteLater()
        QtCore.QCoreApplication.sendPostedEvents(None, QtCore.QEvent.DeferredDelete)
        self.panel_channel.close()
        self.about_channel.close()


def main():
    parser = argparse.ArgumentParser(description="The _zubrix_cef demo host.")
    parser.add_argument("--stay", action="store_true", help="keep the window open")
    parser.add_argument("--timeout", type=float, default=30.0, help="seconds (default 30)")
    args = parser.parse_args()
    logging.basicConfig(format="  %(name)s %(levelname)s: %(message)s")

    # Without a session bus Qt's accessibility asks libdbus to autolaunch one;
    # a render process spawned meanwhile inherits that pipe and show() blocks.
    os.environ.setdefault("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus")
    app = QtWidgets.QApplication(sys.argv[:1])
    os.environ["CEF_PLOVEX_INTERNAL"] = os.path.join(EXAMPLES, "internal_content")
    subprocess_path = os.path.join(BUILD, "zubrix_cef_subprocess")
    print("Initialize: browser_subprocess_path = %s" % subprocess_path)
    print("CEF_PLOVEX_INTERNAL = %s" % os.environ["CEF_PLOVEX_INTERNAL"])
    _zubrix_cef.Initialize({"browser_subprocess_path": subprocess_path})

    temporary = tempfile.mkdtemp(prefix="zubrix_demo_")
    try:
        archive = os.path.join(temporary, "panel.plovex")
        entries = pack(os.path.join(EXAMPLES, "panel"), archive)
        print("Packed examples/panel into %s: %s" % (archive, ", ".join(entries)))

        demo = Demo(app, archive, args.stay)
        set_cookie(demo.steps)
        demo.window.show()
        QtCore.QTimer.singleShot(int(args.timeout * 1000), lambda: demo.deadline(args.timeout))
        app.exec_()
        demo.close()
        status = 0 if demo.steps.complete else 1
        if status:
            print("FAILED: never happened: %s" % ", ".join(demo.steps.pending))
    finally:
        _zubrix_cef.Shutdown()
        shutil.rmtree(temporary, ignore_errors=True)
    print("CEF shut down; exit status %d" % status)
    return status


if __name__ == "__main__":
    sys.exit(main())
