"""Channels end to end: pages packed into archives, shown in browser widgets,
calling Python and hearing from it. The cases that also run in the preview
(answers, order, console, reload, ...) are in test_channel_backends."""
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


EVIL = """
  console.log("evil sees " + typeof zubrix);
  for (var id = 0; id < 10; id++) {
    host.call_python_callback(id, ["", "", location.href, '{"t":"ready"}']);
  }
  console.log("evil done");
"""


def test_a_page_reached_through_dot_segments_gets_no_channel_and_is_reported(
        run_site, tmp_path):
    internal = tmp_path / "internal"
    (internal / "panel").mkdir(parents=True)
    (internal / "docs").mkdir()
    (internal / "docs" / "evil.html").write_text("<script>%s</script>" % EVIL)
    (internal / "panel" / "index.html").write_text("<script>%s</script>" % (READY % """
      zubrix.on("go", function (url) { location.href = url; });
      zubrix.call("touch");
    """))
    # The pages are internal ones; the packed site only needs to be packable.
    outcome = run_site({"unused.html": "<p>unused</p>"}, """
        records = []
        handler = logging.Handler()
        handler.emit = lambda r: records.append([r.levelname, r.getMessage()])
        logging.getLogger("zubrix_cef").addHandler(handler)
        channel = Channel(["client://internal/panel/"])
        touched = []
        channel.expose(lambda: touched.append(1), "touch")
        widget = BrowserWidget("client://internal/panel/index.html", channel=channel)
        widget.show()
        pump_until(lambda: touched, 15)
        states = [[channel.ready, channel.url]]
        for url in ["client://internal/panel/../docs/evil.html",
                    "client://internal/panel/./../docs/evil.html"]:
            channel.emit("go", url)
            # The page's console line and the browser's report of the URL
            # travel apart: wait for the report of this very URL.
            pump_until(lambda: not channel.ready and channel.url == url, 15)
            pump_until(lambda: console_messages().count("evil done") == len(states), 15)
            states.append([channel.ready, channel.url])
            widget.browser.ExecuteJavascript(
                "location.href = 'client://internal/panel/index.html'")
            pump_until(lambda: channel.ready, 15)
            # The next event once the panel's load has ended: under load, one
            # sent during that load was now and then not acted on.
            assert _cefsim.wait_loaded(_cefsim.browsers()[0]["id"], 15)
        # A browser that already shows such a page when the channel comes.
        other = Channel(["client://internal/panel/"])
        window = make_window()
        browser = _zubrix_cef.CreateBrowserSync(
            handle(window), "client://internal/panel/../docs/evil.html")
        assert _cefsim.wait_loaded(wait_for_browsers(2)[-1]["id"])
        other.attach(browser)
        pump_until(lambda: other.url, 15)
        browser.Reload()
        # The warning and the page's own console line travel apart.
        pump_until(lambda: len([r for r in records if "outside" in r[1]]) == 4
                   and console_messages().count("evil sees undefined") == 4, 15)
        report([states, touched, console_messages(), records, other.ready])
        _zubrix_cef.Shutdown()
    """, env={"CEF_PLOVEX_INTERNAL": str(internal)})
    states, touched, messages, records, other_ready = outcome.result
    assert states == [[True, "client://internal/panel/index.html"],
                      [False, "client://internal/panel/../docs/evil.html"],
                      [False, "client://internal/panel/./../docs/evil.html"]]
    assert touched == [1, 1, 1] and other_ready is False
    assert messages.count("evil sees undefined") == 4
    # Once at each load of such a page, and at the attach; beside them the
    # refusals of the page's own forged messages.
    warnings = [text for level, text in records if level == "WARNING" and "outside" in text]
    assert len(warnings) == 4, records
    assert all("docs/evil.html" in text and "client://internal/panel/" in text
               for text in warnings)


def test_the_page_check_of_urls_agrees_with_pythons(run_site):
    from zubrix_cef.page_urls import normalised_prefix, url_check_code, url_is_allowed
    prefixes = [normalised_prefix(p) for p in ["client://internal/panel/", "client://plovex//t/"]]
    urls = ["client://internal/panel/x.html", "client://internal/panel/../x.html",
            "client://internal/panel/a/b/../../x", "client://internal/panel/a/b/../../../x",
            "client://internal/panel//../x", "client://internal/panel/\\\\..\\\\x",
            "client://internal/panel/./x?q=/../..", "client://internal/panel/x#/../../",
            "client://internal/panel/.../x", "client://internal/panel/. ./x",
            "client://internal/panel/..", "client://internal/panel/%2e%2e/x",
            "client://internal/panel/\u00e9/../x", "client://plovex//t/../t/a.plovex/i",
            "client://plovex//u/../t/a.plovex/i", "client:../../internal/panel/x",
            "data:text/html,client://internal/panel/", "client://", "client:"]
    checks = "".join("(function(location){%s results.push(ok);})({href: %s});"
                     % (url_check_code(prefixes), json.dumps(url)) for url in urls)
    app = "var results = [];" + checks + READY % 'zubrix.call("report", results);'
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        channel = Channel()
        channel.expose(report_from_page, "report")
        widget = BrowserWidget(SITE_URL + "index.html", channel=channel)
        widget.show()
        pump_until(lambda: reports, 15)
        report(reports[0][0])
        _zubrix_cef.Shutdown()
    """)
    expected = [url_is_allowed(url, prefixes) for url in urls]
    assert outcome.result == expected
    assert expected.count(True) == 8


NAMES = ["__proto__", "hasOwnProperty", "constructor", "toString", "valueOf"]


def test_names_of_object_prototype_members_are_plain_names(run_site):
    app = READY % """
      var seen = [];
      %s.forEach(function (name) {
        zubrix.on(name, function (value) { seen.push(["event", name, value]); });
        zubrix.expose(name, function (value) { seen.push(["function", name, value]); });
        zubrix.call(name, name).then(function (value) { seen.push(["answer", value]); });
      });
      zubrix.on("done", function () { zubrix.call("report", seen); });
    """ % json.dumps(NAMES)
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        channel = Channel()
        channel.expose(report_from_page, "report")
        for name in %r:
            channel.expose(lambda value, name=name: "python " + name, name)
        widget = BrowserWidget(SITE_URL + "index.html", channel=channel)
        widget.show()
        pump_until(lambda: channel.ready, 15)
        for name in %r:
            channel.emit(name, 1)
            channel.call_page(name, 2)
        channel.emit("done")
        pump_until(lambda: reports, 15)
        report(reports[0][0])
        _zubrix_cef.Shutdown()
    """ % (NAMES, NAMES))
    seen = outcome.result
    assert sorted(v for v in seen if v[0] == "answer") == sorted(
        ["answer", "python " + name] for name in NAMES)
    assert [v for v in seen if v[0] != "answer"] == [
        [kind, name, value] for name in NAMES
        for kind, value in [["event", 1], ["function", 2]]]


def test_calls_in_flight_when_the_widget_goes_run_nothing(run_site):
    app = READY % """
      // Calls in this turn's message and in later turns' messages.
      for (var i = 0; i < 300; i++) {
        zubrix.call("count", i);
      }
      var turns = 0;
      (function later() {
        zubrix.call("count", 300 + turns);
        if (++turns < 20) {
          setTimeout(later, 0);
        } else {
          // After the calls, which leave at the end of this turn.
          Promise.resolve().then(function () {
            host.call_python_callback(markerId, ["all sent"]);
          });
        }
      })();
    """
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        import shiboken2
        channel = Channel()
        counted, marks = [], Recorder()
        marker_id = _zubrix_cef.RegisterPyCallback(marks)
        widget = BrowserWidget(SITE_URL + "index.html", "var markerId = %d;" % marker_id,
                               channel=channel)
        widget.destroyed.connect(lambda: counted.append("destroyed"))

        def count(i):
            counted.append(i)
            if i == 0:
                shiboken2.delete(widget)
        channel.expose(count)
        widget.show()
        pump_until(lambda: marks.calls, 15)
        report([counted, channel.browser is None, channel.ready])
        _zubrix_cef.Shutdown()
    """)
    assert outcome.result == [[0, "destroyed"], True, False]


def test_one_channel_given_to_two_widgets_keeps_the_first_and_says_why(run_site):
    app = READY % """
      zubrix.on("ping", function (n) { zubrix.call("report", "pong", n, location.href); });
    """
    outcome = run_site({"first.html": page(["app.js"]), "second.html": page(["app.js"]),
                        "app.js": app}, """
        channel = Channel()
        channel.expose(report_from_page, "report")
        first = BrowserWidget(SITE_URL + "first.html", channel=channel)
        first.show()
        pump_until(lambda: channel.ready, 15)
        second = BrowserWidget(SITE_URL + "second.html", channel=channel)
        second.show()
        pump(0.3)
        channel.emit("ping", 1)
        pump_until(lambda: reports, 15)
        report([reports, channel.browser is first.browser])
        _zubrix_cef.Shutdown()
    """)
    reports, still_first = outcome.result
    assert len(reports) == 1 and reports[0][:2] == ["pong", 1]
    assert reports[0][2].endswith("/first.html") and still_first
    assert "RuntimeError: this channel is attached to" in outcome.stderr
