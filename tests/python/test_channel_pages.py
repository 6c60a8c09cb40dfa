"""Channels end to end: pages packed into archives, shown in browser widgets,
calling Python and hearing from it."""
import json
import re
import shutil
import textwrap

import pytest

from zubrix_cef.channel import SCRIPT_PATH

CHANNEL_PRELUDE = """
import logging
from zubrix_cef.browser_widget import browser_widget_class
from zubrix_cef.channel import Channel, current_channel
from zubrix_cef.pack import pack
from PySide2 import QtCore, QtWidgets
BrowserWidget = browser_widget_class()
start(SUBPROCESS)
pack(SITE, ARCHIVE)
SITE_URL = "client://plovex/" + ARCHIVE + "/"
reports = []

def report_from_page(*values):
    reports.append(list(values))

def text(value):
    return value.decode() if isinstance(value, bytes) else value
"""

# A page's ready function, pushed the documented way.
READY = "(window.zubrixReady = window.zubrixReady || []).push(function (zubrix) {%s});"


@pytest.fixture
def run_site(run_qt_host, tmp_path):
    """Packs the files (name: text) into an archive and runs code in a host
    where SITE_URL is the archive's URL prefix; the same files are the
    internal content folder unless env says otherwise."""
    def run(files, code, **kwargs):
        site = tmp_path / "site"
        site.mkdir()
        for name, content in files.items():
            if content is SCRIPT_PATH:
                shutil.copy(SCRIPT_PATH, str(site / name))
            else:
                (site / name).write_text(content, encoding="utf-8")
        setup = "SITE, ARCHIVE = %r, %r\n" % (str(site), str(tmp_path / "site.plovex"))
        env = {"CEF_PLOVEX_INTERNAL": str(site)}
        env.update(kwargs.pop("env", {}))
        return run_qt_host(setup + CHANNEL_PRELUDE + textwrap.dedent(code), env=env, **kwargs)
    return run


def page(script_names):
    return "".join('<script src="%s"></script>' % name for name in script_names)


def test_answers_rejections_and_json_values_travel_both_ways(run_site):
    values = [1.5, {"k": [1, None], "nested": {"x": -0.25}}, None, "a\u0000b",
              "\u2028 </script> \u00e9 \U0001f600", [[]], True, 2147483648]
    app = READY % """
      var values = %s;
      Promise.all([
        zubrix.call.apply(zubrix, ["echo"].concat(values)),
        zubrix.call("fail", "bad name").then(null, function (error) {
          return [error instanceof Error, error.name, error.message];
        }),
        zubrix.call("missing").then(null, function (error) {
          return [error.name, error.message];
        }),
        zubrix.call("echo", function () {}, undefined).then(function (value) {
          return value;
        })
      ]).then(function (all) { zubrix.call("report", all); });
    """ % json.dumps(values)
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        channel = Channel()
        received = []

        @channel.expose
        def echo(*args):
            received.append(list(args))
            return list(args)

        @channel.expose
        def fail(name):
            raise ValueError("refused: %s" % name)

        channel.expose(report_from_page, "report")
        widget = BrowserWidget(SITE_URL + "index.html", channel=channel)
        widget.show()
        pump_until(lambda: reports, 15)
        report([received, reports])
        _zubrix_cef.Shutdown()
    """)
    received, reports = outcome.result
    assert received == [values, [None, None]]
    assert reports == [[[values, [True, "ValueError", "refused: bad name"],
                         ["LookupError",
                          'no Python function named "missing" is exposed on this channel'],
                         [None, None]]]]
    assert "raised" in outcome.stderr and "ValueError: refused: bad name" in outcome.stderr


def test_events_and_page_calls_made_before_the_page_is_ready_arrive_in_order(run_site):
    app = """
      var seen = [];
      function globalShow(text) { seen.push(["global", text]); }
    """ + READY % """
      zubrix.on("tick", function (n, extra) { seen.push(["tick", n, extra]); });
      zubrix.expose("exposed", function (value) { seen.push(["exposed", value]); });
      zubrix.on("done", function () { zubrix.call("report", seen); });
    """
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        channel = Channel()
        channel.expose(report_from_page, "report")
        ready_before = []
        channel.emit("tick", 1, {"a": None})
        channel.call_page("globalShow", "before the browser")
        widget = BrowserWidget(SITE_URL + "index.html", channel=channel)
        widget.channel_ready.connect(lambda url: ready_before.append(url))
        widget.show()
        channel.emit("tick", 2.5, [])
        channel.call_page("exposed", "\\u0000 zero")
        channel.call_page("no_such_function", 1)
        ready_early = channel.ready
        pump_until(lambda: channel.ready, 15)
        channel.emit("done")
        pump_until(lambda: reports, 15)
        report([ready_early, reports, [text(u) for u in ready_before]])
        _zubrix_cef.Shutdown()
    """)
    ready_early, reports, ready_urls = outcome.result
    assert ready_early is False
    assert reports == [[[["tick", 1, {"a": None}], ["global", "before the browser"],
                         ["tick", 2.5, []], ["exposed", "\u0000 zero"]]]]
    assert len(ready_urls) == 1 and ready_urls[0].endswith("/index.html")
    assert "no_such_function" in outcome.stdout + outcome.stderr


@pytest.mark.parametrize("include_script", [False, True], ids=["startup-only", "page-includes"])
@pytest.mark.parametrize("order", ["startup-first", "page-first"])
def test_page_code_runs_once_the_channel_is_installed_in_either_order(
        run_site, order, include_script):
    # Each order is made by construction, whatever the stand-in's timing:
    # page-first attaches the channel only after the page's scripts ran;
    # startup-first runs the page's code from a timer, after the start-up
    # code that the load start ran.
    code = """
      window.order = [];
      var ready = function (zubrix) {
        order.push("ready");
        setTimeout(function () {
          zubrix.call("report", order, typeof window.zubrix, window.zubrix === zubrix);
        }, 0);
      };
      if (window.zubrix) {
        order.push("zubrix defined");
        zubrix.call("early", "queued until installed");
      }
      (window.zubrixReady = window.zubrixReady || []).push(ready);
      order.push("pushed");
    """
    if order == "startup-first":
        code = "setTimeout(function () {%s}, 300);" % code
    scripts = (["channel.js"] if include_script else []) + ["app.js"]
    files = {"index.html": page(scripts), "app.js": code}
    if include_script:
        files["channel.js"] = SCRIPT_PATH
    outcome = run_site(files, """
        channel = Channel()
        channel.expose(report_from_page, "report")
        channel.expose(report_from_page, "early")
        ready_urls = []
        channel.add_ready_listener(ready_urls.append)
        window = make_window()
        if %r == "page-first":
            browser = _zubrix_cef.CreateBrowserSync(handle(window), SITE_URL + "index.html")
            browser_id = wait_for_browsers(1)[0]["id"]
            # Its load has ended, so the page's own scripts have run.
            assert _cefsim.wait_loaded(browser_id)
            channel.attach(browser)
        else:
            browser = _zubrix_cef.CreateBrowserSync(handle(window), SITE_URL + "index.html")
            channel.attach(browser)
        pump_until(lambda: channel.ready and len(reports) == %d, 15)
        marks = Recorder()
        flush_calls(browser, marks.calls, _zubrix_cef.RegisterPyCallback(marks))
        report([reports, len(ready_urls)])
        _zubrix_cef.Shutdown()
    """ % (order, 1 if order == "page-first" and not include_script else 2))
    reports, ready_count = outcome.result
    zubrix_first = include_script or order == "startup-first"
    first_steps = ["zubrix defined"] if zubrix_first else []
    if order == "page-first":
        steps = first_steps + ["pushed", "ready"]
    else:
        steps = first_steps + ["ready", "pushed"]
    expected = [[steps, "object", True]]
    if zubrix_first:
        expected.insert(0, ["queued until installed"])
    assert reports == expected
    assert ready_count == 1


def test_two_channels_in_two_widgets_answer_their_own_pages(run_site):
    # One page from the archive, one from the internal folder; the first
    # with start-up code of its own, which its ready function can rely on.
    app = READY % """
      zubrix.call("whoami").then(function (name) {
        zubrix.call("report", name, location.href, window.authorCode || null);
      });
    """
    outcome = run_site({"left.html": page(["app.js"]), "right.html": page(["app.js"]),
                        "app.js": app}, """
        channels = {"left": Channel(), "right": Channel()}
        names = dict((id(channel), name) for name, channel in channels.items())
        urls = {"left": SITE_URL + "left.html", "right": "client://internal/right.html"}
        widgets = []

        def whoami():
            return names[id(current_channel())]

        for name, channel in sorted(channels.items()):
            channel.expose(whoami)
            channel.expose(lambda *values, name=name: reports.append([name] + list(values)),
                           "report")
            widgets.append(BrowserWidget(urls[name], "var authorCode = 'mine';"
                                         if name == "left" else None, channel=channel))
            widgets[-1].show()
        pump_until(lambda: len(reports) == 2, 15)
        channels["left"].close()
        report(sorted(reports))
        _zubrix_cef.Shutdown()
    """)
    left, right = outcome.result
    assert left[:2] == ["left", "left"] and left[2].endswith("/site.plovex/left.html")
    assert left[3] == "mine"
    assert right == ["right", "right", "client://internal/right.html", None]


def test_pages_outside_the_allowed_urls_get_no_channel(run_site, tmp_path):
    # The allowed page goes to a page of the internal folder, which tries
    # every way in it has, then to a data: page, which does the same.
    intruder = """
      console.log("intruder " + location.href.slice(0, 9) + " sees " + typeof zubrix);
      window.zubrix = {_receive: function (text) { console.log("leaked " + text); },
                       _install: function (s) { console.log("leaked " + JSON.stringify(s)); }};
      for (var id = 0; id < 40; id++) {
        host.call_python_callback(id, ["0123456789abcdef0123456789abcdef", "x", "client://",
                                       '{"t":"call","id":1,"name":"touch","args":[]}']);
        host.call_python_callback(id, []);
      }
      console.log("intruder done");
    """
    data_page = "data:text/html,<script>%s;location.href='about:blank';</script>" % (
        intruder.replace("\n", " ").replace("%", "%25").replace("#", "%23"))
    internal = tmp_path / "internal"
    internal.mkdir()
    (internal / "other.html").write_text(
        "<script>%s\nlocation.href = %s;</script>" % (
            intruder, json.dumps(data_page).replace("</", "<\\/")))
    app = READY % """
      zubrix.on("go", function (url) { location.href = url; });
      zubrix.on("secret", function (text) { console.log("allowed page got " + text); });
      zubrix.call("touch");
    """
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        channel = Channel([SITE_URL])
        touched = []
        channel.expose(lambda: touched.append(1), "touch")
        channel.add_ready_listener(lambda url: channel.emit("secret", "first"))
        widget = BrowserWidget(SITE_URL + "index.html", "var authorCode = 1;", channel=channel)
        widget.show()
        pump_until(lambda: touched, 15)
        channel.emit("go", "client://internal/other.html")
        pump_until(lambda: "intruder done" in console_messages(), 15)
        channel.emit("secret", "second")
        pump_until(lambda: console_messages().count("intruder done") == 2, 15)
        channel.emit("secret", "third")
        # The emit runs in the page before this later script, whose log line
        # therefore comes after anything the emit could log.
        widget.browser.ExecuteJavascript("console.log('emits are over')")
        pump_until(lambda: "emits are over" in console_messages(), 15)
        report([touched, console_messages()])
        _zubrix_cef.Shutdown()
    """ % (), env={"CEF_PLOVEX_INTERNAL": str(internal)})
    touched, messages = outcome.result
    assert touched == [1]
    assert "allowed page got first" in messages
    assert not [m for m in messages if "leaked" in m or "second" in m or "third" in m]
    assert [m for m in messages if m.startswith("intruder ")] == [
        "intruder client:// sees undefined", "intruder done",
        "intruder data:text sees undefined", "intruder done"]


def test_console_messages_and_uncaught_errors_reach_python(run_site):
    app = READY % """
      console.log("plain", {"a": 1}, [2]);
      console.warn("careful");
      zubrix.on("boom", function () { throw new TypeError("handler failed"); });
      throw new Error("ready function failed");
    """
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        records = []
        handler = logging.Handler()
        handler.emit = lambda record: records.append([record.name, record.levelname,
                                                      record.getMessage()])
        logging.getLogger("zubrix_cef").addHandler(handler)
        logging.getLogger("zubrix_cef").setLevel(logging.INFO)
        channel = Channel()
        widget = BrowserWidget(SITE_URL + "index.html", channel=channel)
        signals = []
        widget.console_message.connect(lambda level, text: signals.append([level, text]))
        widget.show()
        pump_until(lambda: channel.ready, 15)
        channel.emit("boom")
        pump_until(lambda: len(signals) >= 4, 15)
        # The module's own line of the last message comes before the
        # channel's, which travels as a page call after it.
        report([signals, records])
        _zubrix_cef.Shutdown()
    """)
    signals, records = outcome.result
    assert signals[:2] == [["log", 'plain {"a":1} [2]'], ["warn", "careful"]]
    assert signals[2][0] == "error" and signals[2][1].startswith(
        "Uncaught Error: ready function failed")
    assert signals[3][0] == "error" and "TypeError: handler failed" in signals[3][1]
    # Each line is logged once, by the module, whatever the channel forwards.
    page_lines = [r for r in records if r[0] == "zubrix_cef.page"]
    assert [r[1] for r in page_lines] == ["INFO", "INFO", "WARNING", "WARNING"]
    # Through the channel's console wrapper, which is where the page's call
    # to the console then lands.
    assert re.match(r"client://plovex/.*:\d+: careful$", page_lines[1][2])
    assert [r[2] for r in records if r[0] == "zubrix_cef" and "careful" in r[2]] == []


def test_a_reload_makes_the_page_ready_again_and_loses_no_event(run_site):
    app = READY % """
      zubrix.on("note", function (text) { zubrix.call("report", "note", text); });
      zubrix.call("report", "loaded");
    """
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        channel = Channel()
        channel.expose(report_from_page, "report")
        ready_urls = []
        widget = BrowserWidget(SITE_URL + "index.html", channel=channel)
        widget.channel_ready.connect(ready_urls.append)
        widget.show()
        pump_until(lambda: ready_urls, 15)
        widget.browser.Reload()
        channel.emit("note", "around the reload")
        pump_until(lambda: len(ready_urls) == 2, 15)
        channel.emit("note", "after the reload")
        pump_until(lambda: ["note", "after the reload"] in reports, 15)
        report([len(ready_urls), reports])
        _zubrix_cef.Shutdown()
    """)
    ready_count, reports = outcome.result
    assert ready_count == 2
    assert reports.count(["loaded"]) == 2
    assert ["note", "around the reload"] in reports
    assert reports[-1] == ["note", "after the reload"]


def test_a_channel_outlives_its_widget_and_serves_the_next_one(run_site):
    app = READY % """
      zubrix.on("note", function (text) { zubrix.call("report", "note", text); });
    """
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        channel = Channel()
        channel.expose(report_from_page, "report")
        states = []
        first = BrowserWidget(SITE_URL + "index.html", channel=channel)
        first.show()
        pump_until(lambda: channel.ready, 15)
        first.deleteLater()
        del first
        QtCore.QCoreApplication.sendPostedEvents(None, QtCore.QEvent.DeferredDelete)
        states.append([channel.browser is None, channel.ready])
        channel.emit("note", "while no widget shows the page")
        second = BrowserWidget(SITE_URL + "index.html", channel=channel)
        readies = []
        second.channel_ready.connect(readies.append)
        second.show()
        pump_until(lambda: reports, 15)
        states.append([channel.browser is second.browser, len(readies)])
        report([states, reports])
        _zubrix_cef.Shutdown()
    """)
    states, reports = outcome.result
    assert states == [[True, False], [True, 1]]
    assert reports == [["note", "while no widget shows the page"]]
    assert "Traceback" not in outcome.stderr
