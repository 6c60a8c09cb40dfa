"""The channel's page side in both browsers, from one table of cases: the
stand-in (the module's path) and the preview (QtWebEngine, a real Chromium
with a DOM). Each case is a page, the Python that drives it through a
Backend (channel_backends), and a check that holds for either. The widgets'
signals (channel_ready, console_message) are the same in both."""
import json
import re
import textwrap

import pytest

from channel_backends import QTWEBENGINE_UNDER_TSAN

BACKENDS = ["standin", "preview"]

PRELUDE = """
import logging
from channel_backends import make_backend
from zubrix_cef.pack import pack
SITE, ARCHIVE, BACKEND = %r, %r, %r
backend = make_backend(BACKEND, SUBPROCESS)
pack(SITE, ARCHIVE)
SITE_URL = "client://plovex/" + ARCHIVE + "/"
reports = []
records = []
handler = logging.Handler()
handler.emit = lambda record: records.append([record.levelname, record.getMessage()])
logging.getLogger("zubrix_cef").addHandler(handler)
logging.getLogger("zubrix_cef").setLevel(logging.INFO)

def report_from_page(*values):
    reports.append(list(values))
"""

READY = "(window.zubrixReady = window.zubrixReady || []).push(function (zubrix) {%s});"


def page(*scripts):
    return "".join('<script src="%s"></script>' % name for name in scripts)


@pytest.fixture
def run_case(run_host, tmp_path):
    """Runs code with backend, the site's files packed into an archive
    (SITE_URL) and internal the internal content folder; returns what the
    code reported."""
    def run(backend, site, code, internal=None):
        for folder, files in (("site", site), ("internal", internal or {})):
            (tmp_path / folder).mkdir()
            for name, text in files.items():
                (tmp_path / folder / name).write_text(text, encoding="utf-8")
        script = PRELUDE % (str(tmp_path / "site"), str(tmp_path / "site.plovex"), backend)
        outcome = run_host(script + textwrap.dedent(code) + "\nbackend.finish()\n",
                           env={"CEF_PLOVEX_INTERNAL": str(tmp_path / "internal"),
                                "QTWEBENGINE_CHROMIUM_FLAGS": "--disable-gpu"}, timeout=90)
        return outcome
    return run


ECHOED = [1.5, {"k": [1, None], "nested": {"x": -0.25}}, None, "a\u0000b",
          "\u2028 </script> \u00e9 \U0001f600", [[]], True, 2147483648]


def check_answers(outcome):
    received, page_reports, records = outcome.result
    assert received == [ECHOED, [None, None]]
    assert page_reports == [[[ECHOED, [True, "ValueError", "refused: bad name"],
                              ["LookupError",
                               'no Python function named "missing" is exposed on this channel'],
                              [None, None]]]]
    assert any(level == "ERROR" and text.startswith(
        "the exposed function fail, called by client://plovex/") for level, text in records)


def check_order(outcome):
    ready_early, page_reports, ready_urls, records = outcome.result
    assert ready_early is False
    assert page_reports == [[[["tick", 1, {"a": None}], ["global", "before the browser"],
                              ["tick", 2.5, []], ["exposed", "\u0000 zero"]]]]
    assert len(ready_urls) == 1 and ready_urls[0].endswith("/index.html")
    # The page's console error, logged once with the page's other lines.
    assert any("no_such_function" in text for level, text in records)


def check_reload(outcome):
    ready_count, page_reports = outcome.result
    assert ready_count == 2
    assert page_reports.count(["loaded"]) == 2
    assert ["note", "around the reload"] in page_reports
    assert page_reports[-1] == ["note", "after the reload"]


def check_console(outcome):
    messages, records = outcome.result
    assert messages[:2] == [["log", 'plain {"a":1} [2]'], ["warn", "careful"]]
    assert [level for level, _ in messages[2:]] == ["error"] * 2
    assert messages[2][1].startswith("Uncaught Error: ready function failed")
    assert "TypeError: handler failed" in messages[3][1]
    # Each line is logged once, as "<url>:<line>: <text>" on zubrix_cef.page,
    # whatever the channel forwards.
    page_lines = [level for level, text in records if re.match(r"\S*:\d+: ", text)]
    assert page_lines == ["INFO", "INFO", "WARNING", "WARNING"]
    assert not [text for _, text in records if text.startswith("page console")]


def check_uncaught_events(outcome):
    texts = outcome.result
    assert len(texts) == 2
    assert any(text.startswith("Uncaught RangeError: from a timer") for text in texts)
    assert any(text.startswith("Uncaught (in promise) Error: rejected") for text in texts)


def check_allowed_urls(outcome):
    touched, lines = outcome.result
    assert touched == [1]
    assert "allowed page got first" in lines
    assert not [line for line in lines if "leaked" in line or "second" in line]
    assert [line for line in lines if line.startswith("intruder ")] == [
        "intruder sees undefined", "intruder done"]


def check_forged(outcome):
    touched, done, records = outcome.result
    assert touched == [] and done == [["done"]]
    refusals = [text for level, text in records if level == "WARNING"]
    assert "refused a page message without the channel's secret" in refusals
    assert "refused a page message of an unknown form" in refusals


def check_host_values(outcome):
    calls = outcome.result
    assert calls == [
        ["x", 5, False, [1, ["y"]], None, None, "a", "\u00e9", -1, 2147483647, None, None, 7],
        [], ["last"]]


CASES = {
    # Answers, rejections and JSON values both ways.
    "answers": (check_answers, {"index.html": page("app.js"), "app.js": READY % """
      var values = %s;
      Promise.all([
        zubrix.call.apply(zubrix, ["echo"].concat(values)),
        zubrix.call("fail", "bad name").then(null, function (error) {
          return [error instanceof Error, error.name, error.message];
        }),
        zubrix.call("missing").then(null, function (error) {
          return [error.name, error.message];
        }),
        zubrix.call("echo", function () {}, undefined)
      ]).then(function (all) { zubrix.call("report", all); });
    """ % json.dumps(ECHOED)}, """
        channel = backend.channel()
        received = []

        @channel.expose
        def echo(*args):
            received.append(list(args))
            return list(args)

        @channel.expose
        def fail(name):
            raise ValueError("refused: %s" % name)

        channel.expose(report_from_page, "report")
        backend.open(SITE_URL + "index.html", channel)
        backend.pump_until(lambda: reports)
        report([received, reports, records])
    """, None),
    # Events and page calls sent before the page is ready arrive in order.
    "order": (check_order, {"index.html": page("app.js"), "app.js": """
      var seen = [];
      function globalShow(text) { seen.push(["global", text]); }
    """ + READY % """
      zubrix.on("tick", function (n, extra) { seen.push(["tick", n, extra]); });
      zubrix.expose("exposed", function (value) { seen.push(["exposed", value]); });
      zubrix.on("done", function () { zubrix.call("report", seen); });
    """}, """
        channel = backend.channel()
        channel.expose(report_from_page, "report")
        ready_urls = []
        channel.emit("tick", 1, {"a": None})
        channel.call_page("globalShow", "before the browser")
        widget = backend.open(SITE_URL + "index.html", channel)
        widget.channel_ready.connect(lambda url: ready_urls.append(url))
        channel.emit("tick", 2.5, [])
        channel.call_page("exposed", "\\u0000 zero")
        channel.call_page("no_such_function", 1)
        ready_early = channel.ready
        backend.pump_until(lambda: channel.ready)
        channel.emit("done")
        backend.pump_until(lambda: reports)
        report([ready_early, reports, ready_urls, records])
    """, None),
    # A reload makes the page ready again and loses no event.
    "reload": (check_reload, {"index.html": page("app.js"), "app.js": READY % """
      zubrix.on("note", function (text) { zubrix.call("report", "note", text); });
      zubrix.call("report", "loaded");
    """}, """
        channel = backend.channel()
        channel.expose(report_from_page, "report")
        ready_urls = []
        widget = backend.open(SITE_URL + "index.html", channel)
        widget.channel_ready.connect(lambda url: ready_urls.append(url))
        backend.pump_until(lambda: ready_urls)
        backend.reload(widget)
        channel.emit("note", "around the reload")
        backend.pump_until(lambda: len(ready_urls) == 2)
        channel.emit("note", "after the reload")
        backend.pump_until(lambda: ["note", "after the reload"] in reports)
        report([len(ready_urls), reports])
    """, None),
    # Console messages, and uncaught errors through the window's error and
    # unhandledrejection events.
    "console": (check_console, {"index.html": page("app.js"), "app.js": READY % """
      console.log("plain", {"a": 1}, [2]);
      console.warn("careful");
      zubrix.on("boom", function () { throw new TypeError("handler failed"); });
      throw new Error("ready function failed");
    """}, """
        channel = backend.channel()
        messages = []
        widget = backend.open(SITE_URL + "index.html", channel)
        widget.console_message.connect(lambda level, text: messages.append([level, text]))
        backend.pump_until(lambda: channel.ready)
        channel.emit("boom")
        backend.pump_until(lambda: len(messages) >= 4)
        report([messages, records])
    """, None),
    # Errors no script of the channel sees: the window's events report them.
    "uncaught-events": (check_uncaught_events, {"index.html": page("app.js"), "app.js": READY % """
      setTimeout(function () { throw new RangeError("from a timer"); }, 0);
      Promise.reject(new Error("rejected"));
    """}, """
        channel = backend.channel()
        texts = []
        channel.add_console_listener(lambda m: texts.append(m.text))
        backend.open(SITE_URL + "index.html", channel)
        backend.pump_until(lambda: len(texts) >= 2, 10)
        report(texts)
    """, None),
    # A page outside the allowed URLs gets no channel, whatever it tries.
    "allowed-urls": (check_allowed_urls, {"index.html": page("app.js"), "app.js": READY % """
      zubrix.on("go", function (url) { location.href = url; });
      zubrix.on("secret", function (text) { console.log("allowed page got " + text); });
      zubrix.call("touch");
    """}, """
        channel = backend.channel([SITE_URL])
        touched = []
        channel.expose(lambda: touched.append(1), "touch")
        channel.add_ready_listener(lambda url: channel.emit("secret", "first"))
        widget = backend.open(SITE_URL + "index.html", channel)
        backend.pump_until(lambda: touched)
        # The next page may run in another render process, whose console
        # lines can overtake this one's.
        backend.pump_until(lambda: "allowed page got first" in backend.console_lines())
        channel.emit("go", "client://internal/other.html")
        backend.pump_until(lambda: "intruder done" in backend.console_lines())
        channel.emit("secret", "second")
        widget.browser.ExecuteJavascript("console.log('emits are over')")
        backend.pump_until(lambda: "emits are over" in backend.console_lines())
        report([touched, backend.console_lines()])
    """, {"other.html": """<script>
      // What Python sends would land in these, were it sent here.
      console.log("intruder sees " + typeof zubrix);
      var leak = function (what) { console.log("leaked " + JSON.stringify(what)); };
      window.zubrix = {_receive: leak, _install: leak};
      var forged = '{"t":"call","id":1,"name":"touch","args":[]}';
      for (var guess = 0; guess < 40; guess++) {
        host.call_python_callback(guess, [String(guess), "load", location.href, forged]);
      }
      console.log("intruder done");
    </script>"""}),
    # An allowed page's messages without the channel's secret are refused.
    "forged": (check_forged, {"index.html": page("app.js"), "app.js": READY % """
      for (var id = 0; id < 40; id++) {
        host.call_python_callback(id, ["not the secret", "x", location.href,
                                       '{"t":"call","id":1,"name":"touch","args":[]}']);
        host.call_python_callback(id, [1, 2]);
      }
      zubrix.call("done");
    """}, """
        channel = backend.channel()
        touched, done = [], []
        channel.expose(lambda: touched.append(1), "touch")
        channel.expose(lambda: done.append(["done"]), "done")
        backend.open(SITE_URL + "index.html", channel)
        backend.pump_until(lambda: done)
        report([touched, done, records])
    """, None),
    # The host object itself: what reaches a registered callable.
    "host-values": (check_host_values, {"index.html": "<script>%s</script>" % """
      // The host's start-up code may run after this script: wait for it.
      (function callWhenStarted() {
      if (typeof CALLBACK !== "number") return setTimeout(callWhenStarted, 5);
      host.call_python_callback(CALLBACK, ["x", 5, false, [1, ["y"]], 1.5, null, "a\\u0000b",
                                           "\\u00e9", -1, 2147483647, undefined, {k: 1}, 7]);
      host.call_python_callback(CALLBACK, []);
      host.call_python_callback("" + CALLBACK, ["string id"]);
      host.call_python_callback(CALLBACK + 0.5, ["fraction id"]);
      host.call_python_callback(CALLBACK, {0: "array-like", length: 1});
      host.call_python_callback(CALLBACK);
      host.call_python_callback(CALLBACK, ["last"]);
      })();
    """}, """
        calls = []
        callback = backend.register(lambda *args: calls.append(args))
        backend.open(SITE_URL + "index.html", startup_code="var CALLBACK = %d;" % callback)
        backend.pump_until(lambda: calls and calls[-1] == (b"last",))

        def plain(value):
            if isinstance(value, tuple):
                return [plain(item) for item in value]
            return value.decode("utf-8") if isinstance(value, bytes) else value
        report([plain(call) for call in calls])
    """, None),
}


def cases():
    for case in sorted(CASES):
        for backend in BACKENDS:
            marks = []
            if backend == "preview" and QTWEBENGINE_UNDER_TSAN:
                marks.append(pytest.mark.skip(reason="QtWebEngine is not built for "
                                                     "ThreadSanitizer"))
            yield pytest.param(case, backend, marks=marks, id="%s-%s" % (case, backend))


@pytest.mark.parametrize("case,backend", list(cases()))
def test_channel_page_side(run_case, case, backend):
    check, site, code, internal = CASES[case]
    check(run_case(backend, site, code, internal))
