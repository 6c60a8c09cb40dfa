# -*- coding: utf-8 -*-
"""The helper package's channel under Python 2.7: its Python end with a fake
browser (the Python 3 suite's script, which runs on both, run here as it
is), then pages from a packed archive using it in a real browser, where the
page's strings reach Python as UTF-8 str."""
import os
import sys
import time

from harness import ROOT, TemporaryFolder, run_tests, write_tree
from pages import make_window, open_page, start

import _zubrix_cef
import host_app
from zubrix_cef.channel import Channel, current_channel, page_script
from zubrix_cef.pack import pack

sys.path.insert(0, os.path.join(ROOT, "tests", "python"))
import test_channel_messages  # noqa: E402

globals().update((name, value) for name, value in vars(test_channel_messages).items()
                 if name.startswith("test_"))

READY = u"(window.zubrixReady = window.zubrixReady || []).push(function (zubrix) {%s});"

# The page's values, as JavaScript, and as Python should get them.
PAGE_VALUES = (u"[1.5, {k: [1, null], x: -0.25}, null, 'd\\u00e9j\\u00e0 \\ud83d\\ude00',"
               u" 'a\\u0000b']")
PYTHON_VALUES = [1.5, {u"k": [1, None], u"x": -0.25}, None, u"d\u00e9j\u00e0 \U0001f600",
                 u"a\u0000b"]

# The page reports to a function whose name is not ASCII, which Python 2
# code names with a UTF-8 str.
APP = READY % u"""
  zubrix.on("note", function (text, value) {
    zubrix.call("r\\u00e9port", "note", text, value);
  });
  zubrix.call.apply(zubrix, ["echo"].concat(%s)).then(function (answer) {
    zubrix.call("r\\u00e9port", "answer", answer);
  });
  ["unicode", "utf8"].forEach(function (kind) {
    zubrix.call("refuse", kind, "caf\\u00e9").then(null, function (error) {
      zubrix.call("r\\u00e9port", "rejected", error instanceof Error, error.name, error.message);
    });
  });
""" % PAGE_VALUES


def typed(value):
    """The value with the type of every part spelled out, so that str cannot
    pass for unicode, nor int for float."""
    if isinstance(value, (tuple, list)):
        return (type(value).__name__, [typed(item) for item in value])
    if isinstance(value, dict):
        return ("dict", sorted((typed(k), typed(v)) for k, v in value.items()))
    return (type(value).__name__, value)


def packed_site(work, files):
    """Packs files into work/panel.plovex; returns the archive's URL prefix."""
    archive = os.path.join(work, "panel.plovex")
    pack(write_tree(os.path.join(work, "site"), files), archive)
    return "client://plovex/%s/" % archive


def show(url):
    """A browser on url, not yet loaded: start-up code registered now runs
    at its load's start, as in a widget."""
    start()
    return _zubrix_cef.CreateBrowserSync(make_window(), url)


def test_a_packed_page_gets_answers_rejections_and_events():
    reports, received, ready_urls = [], [], []
    with TemporaryFolder() as work:
        site_url = packed_site(work, {"index.html": "<script src='app.js'></script>",
                                      "app.js": APP})
        # The prefix as a str, as a 2.7 caller may well give it.
        channel = Channel([site_url.encode("utf-8")])

        @channel.expose
        def echo(*args):
            received.append((current_channel() is channel, args))
            return list(args) + ["caf\xc3\xa9"]

        @channel.expose
        def refuse(kind, name):
            if kind == u"unicode":
                raise ValueError(u"refused: " + name)
            raise RuntimeError("refused: " + name.encode("utf-8"))

        channel.expose(lambda *values: reports.append(values), "r\xc3\xa9port")

        def on_ready(url):
            ready_urls.append(url)
            channel.emit("note", u"\u00e9\u0000", {"n": 2.5})
        channel.add_ready_listener(on_ready)
        channel.attach(show(site_url + "index.html"))
        assert host_app.run_until(lambda: len(reports) == 4, 15), reports
        channel.unexpose("r\xc3\xa9port")
        assert channel.exposed == [u"echo", u"refuse"]
        channel.close()

    assert ready_urls == [site_url + "index.html"]
    assert typed(ready_urls[0]) == ("unicode", site_url + "index.html")
    assert typed(received) == typed([(True, tuple(PYTHON_VALUES))])
    by_kind = dict((report[0], report[1:]) for report in reports if report[0] != "rejected")
    assert typed(by_kind[u"answer"]) == typed((PYTHON_VALUES + [u"caf\u00e9"],))
    assert typed(by_kind[u"note"]) == typed((u"\u00e9\u0000", {u"n": 2.5}))
    rejections = sorted(report[1:] for report in reports if report[0] == "rejected")
    assert typed(rejections) == typed([
        (True, u"RuntimeError", u"refused: caf\u00e9"),
        (True, u"ValueError", u"refused: caf\u00e9")])


def test_a_page_that_includes_the_script_gets_the_channel_after_it_loaded():
    reports, ready_urls = [], []
    with TemporaryFolder() as work:
        site_url = packed_site(work, {
            "index.html": "<script src='channel.js'></script><script src='app.js'></script>",
            "channel.js": page_script(),
            "app.js": READY % u"zubrix.call('report', typeof window.zubrix, '\\u4e2d');"})
        channel = Channel()
        channel.expose(lambda *values: reports.append(values), "report")
        channel.add_ready_listener(ready_urls.append)
        browser = open_page(site_url + "index.html")[0]
        host_app.run_events(0.3)
        assert (reports, channel.ready) == ([], False)
        channel.attach(browser)
        assert host_app.run_until(lambda: reports, 15)
        host_app.run_events(0.2)
        channel.close()
    assert typed(reports) == typed([(u"object", u"\u4e2d")])
    assert len(ready_urls) == 1 and typed(ready_urls[0])[0] == "unicode"


class PumpedLoop(object):
    """The channel's loop in this host, which has no Qt binding in Python:
    what it asks for runs when the test pumps, as the host's loop would."""

    def __init__(self):
        import threading
        self.thread = threading.current_thread()
        self.soon = []
        self.timers = []

    def call_soon(self, callback):
        self.soon.append(callback)

    def call_later(self, seconds, callback):
        timer = [time.time() + seconds, callback]
        self.timers.append(timer)

        class Handle(object):
            def cancel(handle):
                if timer in self.timers:
                    self.timers.remove(timer)
        return Handle()

    def pump(self):
        soon, self.soon = self.soon, []
        for callback in soon:
            callback()
        for timer in [t for t in self.timers if t[0] <= time.time()]:
            self.timers.remove(timer)
            timer[1]()


LATER = READY % u"""
  var seen = [];
  var first = zubrix.call("work", "caf\u00e9").progress(function (p) { seen.push(["p", p]); });
  first.then(function (v) {
    seen.push(["done", v]);
    var second = zubrix.call("work", "b").progress(function () { second.cancel(); });
    return second.then(null, function (e) { seen.push([e.name]); });
  }).then(function () { zubrix.call("report", seen); });
  zubrix.expose("ask", function (x) {
    return new Promise(function (resolve) { setTimeout(function () { resolve([x]); }, 10); });
  });
  zubrix.expose("fail", function () { throw new RangeError("\u00e9 too far"); });
"""


def test_replies_later_progress_cancel_and_page_results_under_27():
    from zubrix_cef.page_results import PageError
    reports, replies, results, cancelled = [], [], {}, []
    loop = PumpedLoop()
    with TemporaryFolder() as work:
        site_url = packed_site(work, {"index.html": "<meta charset='utf-8'>"
                                                    "<script src='app.js'></script>",
                                      "app.js": LATER})
        channel = Channel(loop=loop)
        channel.expose(lambda *values: reports.append(values), "report")

        @channel.expose(arg_types=(str,))
        def work(name):
            reply = channel.reply()
            reply.on_cancel(lambda r: cancelled.append(name))
            replies.append([reply, name, 0])
            return reply

        def advance():
            # The work of each open reply, a step per pump.
            for entry in replies:
                reply, name, steps = entry
                if reply.done:
                    continue
                entry[2] += 1
                if steps < 2:
                    reply.progress(steps * 0.5)
                else:
                    reply.resolve(name + u" done")
            loop.pump()
            return bool(reports)

        for name, args in [("ask", ("x",)), ("fail", ())]:
            channel.call_page(name, *args).add_done_callback(
                lambda call, name=name: results.__setitem__(name, call))
        channel.attach(show(site_url + "index.html"))
        assert host_app.run_until(advance, 15), reports
        assert host_app.run_until(lambda: loop.pump() or len(results) == 2, 15)
        channel.close()
    assert typed(reports) == typed([([[u"p", 0], [u"p", 0.5], [u"done", u"caf\u00e9 done"],
                                      [u"AbortError"]],)])
    assert cancelled == [u"b"]
    assert typed(results["ask"].result()) == typed([u"x"])
    error = results["fail"].exception()
    assert isinstance(error, PageError)
    assert typed([error.name, error.message]) == typed([u"RangeError", u"\u00e9 too far"])


run_tests(globals(), finish=_zubrix_cef.Shutdown)
