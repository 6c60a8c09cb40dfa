"""A small tool panel over a host's scene items, written against the
channel: the page lists the items, renames them and shows or hides them with
its buttons; Python answers, refuses a bad name (the page shows why), and
sends events (the changed list, an autosave). An export runs in steps on
the host's loop and answers later: the page shows its progress and can
cancel it.

Run from the repository with the build folder in ZUBRIX_BUILD_DIR (default
build/): python3 examples/tool_panel.py [--check] [--timeout SECONDS]

--check plays the user through the page's own actions (a rename, a refused
rename, an export to its end and one cancelled) and an autosave event,
prints what the page showed, and exits 0 once all of it was shown, non-zero
with what was missing otherwise.

The same panel and functions in the preview, outside the host:
python3 -m zubrix_cef.preview examples/tool_panel --expose examples/tool_panel.py:preview_channel
"""
import argparse
import functools
import os
import shutil
import sys
import tempfile

EXAMPLES = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(EXAMPLES)
BUILD = os.path.abspath(os.environ.get("ZUBRIX_BUILD_DIR", os.path.join(ROOT, "build")))
sys.path[:0] = [BUILD, ROOT]

from PySide2 import QtCore, QtWidgets  # noqa: E402

import _zubrix_cef  # noqa: E402
from zubrix_cef.browser_widget import browser_widget_class  # noqa: E402
from zubrix_cef.channel import Channel  # noqa: E402
from zubrix_cef.pack import pack  # noqa: E402

from demo_steps import Steps  # noqa: E402

# What the page shows, as its console reports it, for each step of --check.
SHOWN = [("list", "items: persp camera, key light, ground"),
         ("rename", "status: renamed ground to floor"),
         ("refusal", "status: the name 'key light' is taken"),
         ("event", "status: autosaved to scene.ma in 0.4 s"),
         ("progress", "status: exporting scene.abc: 67%"),
         ("export", "status: exported 3 items to scene.abc"),
         ("cancel", "status: the export to draft.abc was cancelled")]
EXPORT_STEP_MS = 100
SAMPLE_ITEMS = ["persp camera", "key light", "ground"]


class SceneItems(object):
    """The host's side: named items that can be renamed, shown and hidden."""

    def __init__(self, names):
        self.items = [{"name": name, "visible": True} for name in names]

    def find(self, name):
        for item in self.items:
            if item["name"] == name:
                return item
        raise KeyError("no item is named %r" % name)

    def rename(self, old, new):
        new = new.strip()
        if not new:
            raise ValueError("a name cannot be empty")
        if any(item["name"] == new for item in self.items):
            raise ValueError("the name '%s' is taken" % new)
        item = self.find(old)
        item["name"] = new
        return item


def tool_channel(scene, registry=None):
    """The channel through which the panel's page works on scene; registry:
    the module's unless given (the preview gives its own)."""
    channel = Channel(registry=registry)

    @channel.expose
    def list_items():
        return scene.items

    @channel.expose
    def rename(old, new):
        item = scene.rename(old, new)
        channel.emit("items_changed", scene.items)
        return item

    @channel.expose
    def set_visible(name, visible):
        scene.find(name)["visible"] = bool(visible)
        channel.emit("items_changed", scene.items)

    @channel.expose(arg_types=(str,))
    def export(path):
        # One item per step on the host's loop, so the host stays
        # responsive; the page follows the progress and may cancel.
        reply = channel.reply()

        def step(done):
            if reply.cancelled:
                return
            if done < len(scene.items):
                reply.progress(float(done + 1) / len(scene.items))
                QtCore.QTimer.singleShot(EXPORT_STEP_MS, functools.partial(step, done + 1))
            else:
                reply.resolve({"path": path, "items": len(scene.items)})
        step(0)
        return reply

    return channel


def preview_channel(registry=None):
    """The panel's channel over the sample scene, for the preview."""
    return tool_channel(SceneItems(SAMPLE_ITEMS), registry)


def play_user(channel):
    """What --check does once the page is ready: the page's own actions, as
    its buttons would start them, and an event from Python."""
    channel.call_page("rename_item", "ground", "floor")
    channel.call_page("rename_item", "floor", "key light")
    channel.emit("autosaved", "scene.ma", 0.4)
    # The page's export answers once done; then a second one, which the
    # page's cancel button ends at its first progress report.
    channel.call_page("export_to", "scene.abc").add_done_callback(
        lambda call: channel.call_page("export_to", "draft.abc", True))


def main():
    parser = argparse.ArgumentParser(description="A tool panel over a channel.")
    parser.add_argument("--check", action="store_true", help="play the user and exit")
    parser.add_argument("--timeout", type=float, default=30.0, help="seconds (default 30)")
    args = parser.parse_args()

    # Without a session bus Qt's accessibility asks libdbus to autolaunch one;
    # a render process spawned meanwhile inherits that pipe and show() blocks.
    os.environ.setdefault("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus")
    app = QtWidgets.QApplication(sys.argv[:1])
    _zubrix_cef.Initialize({"browser_subprocess_path": os.path.join(BUILD, "zubrix_cef_subprocess")})
    temporary = tempfile.mkdtemp(prefix="zubrix_tool_panel_")
    try:
        archive = os.path.join(temporary, "tool_panel.plovex")
        pack(os.path.join(EXAMPLES, "tool_panel"), archive)
        channel = tool_channel(SceneItems(SAMPLE_ITEMS))
        panel = browser_widget_class(QtWidgets)(
            "client://plovex/%s/index.html" % archive.replace(os.sep, "/"), channel=channel)
        panel.setWindowTitle("Scene items")
        panel.resize(360, 420)

        steps = Steps([name for name, _ in SHOWN], app.quit)
        shown = dict((text, name) for name, text in SHOWN)

        def page_console(level, text):
            steps.say("page console.%s: %s" % (level, text))
            if args.check and text in shown:
                steps.done(shown[text], text)
        panel.console_message.connect(page_console)
        if args.check:
            panel.channel_ready.connect(lambda url: play_user(channel))
            QtCore.QTimer.singleShot(int(args.timeout * 1000), app.quit)
        panel.show()
        app.exec_()
        panel.deleteLater()
        QtCore.QCoreApplication.sendPostedEvents(None, QtCore.QEvent.DeferredDelete)
        channel.close()
    finally:
        _zubrix_cef.Shutdown()
        shutil.rmtree(temporary, ignore_errors=True)
    if args.check and not steps.complete:
        print("FAILED: the page never showed: %s" % ", ".join(steps.pending))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
