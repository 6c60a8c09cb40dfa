"""Answers given later, progress, cancel and page-call results, end to end:
pages packed into an archive or in the internal folder, in browser
widgets, with the host's Qt loop settling what Python answers later."""
import json
import textwrap

import pytest

from test_channel_pages import READY, page, run_site  # noqa: F401 (a fixture)

SITES = {"packed": "SITE_URL", "internal": "'client://internal/'"}

LONG_JOB = """
import functools

def export_job(channel, steps, log):
    # A long job in steps on the host's loop: progress after each, the
    # answer after the last, and nothing more once the page cancelled.
    @channel.expose(arg_types=(str,))
    def export(path):
        reply = channel.reply()
        reply.on_cancel(lambda r: log.append(["cancelled in Python", path]))

        def step(done):
            if reply.cancelled:
                return
            if done < steps:
                reply.progress(float(done + 1) / steps)
                QtCore.QTimer.singleShot(20, functools.partial(step, done + 1))
            else:
                reply.resolve(path + " written")
        QtCore.QTimer.singleShot(20, functools.partial(step, 0))
        return reply
"""


@pytest.mark.parametrize("site", sorted(SITES))
def test_a_long_job_answers_later_with_progress_and_can_be_cancelled(run_site, site):
    app = READY % """
      var seen = [];
      zubrix.call("export", "a.abc").progress(function (p) {
        seen.push(["progress", p]);
      }).then(function (value) {
        seen.push(["done", value]);
        var second = zubrix.call("export", "b.abc").progress(function (p) {
          seen.push(["progress b", p]);
          second.cancel();
        });
        second.then(null, function (error) {
          seen.push(["rejected", error.name]);
          return zubrix.call("export", 7);
        }).then(null, function (error) {
          seen.push([error.name, error.message]);
          zubrix.call("report", seen);
        });
      });
    """
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, LONG_JOB + textwrap.dedent("""
        channel = Channel()
        channel.expose(report_from_page, "report")
        log = []
        export_job(channel, 3, log)
        widget = BrowserWidget(%s + "index.html", channel=channel)
        widget.show()
        pump_until(lambda: reports, 20)
        pump(0.2)
        report([reports[0][0], log])
        _zubrix_cef.Shutdown()
    """) % SITES[site])
    seen, log = outcome.result
    assert seen == [["progress", 1 / 3.0], ["progress", 2 / 3.0], ["progress", 1.0],
                    ["done", "a.abc written"], ["progress b", 1 / 3.0],
                    ["rejected", "AbortError"],
                    ["TypeError", 'export() argument 1 ("path") must be a string, not a number']]
    assert log == [["cancelled in Python", "b.abc"]]


def test_a_reload_cancels_open_calls_and_close_rejects_them_in_the_page(run_site):
    app = READY % """
      zubrix.call("hang").then(null, function (error) {
        console.log("rejected " + error.name + ": " + error.message);
      });
    """
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        channel = Channel()
        replies = []

        @channel.expose
        def hang():
            replies.append(channel.reply())
            return replies[-1]
        widget = BrowserWidget(SITE_URL + "index.html", channel=channel)
        widget.show()
        pump_until(lambda: replies and channel.ready, 15)
        widget.browser.Reload()
        pump_until(lambda: len(replies) == 2 and channel.ready, 15)
        states = [r.cancelled for r in replies]
        channel.close()
        pump_until(lambda: [m for m in console_messages() if m.startswith("rejected")], 15)
        replies[1].resolve("too late")
        report([states, replies[1].cancelled,
                [m for m in console_messages() if m.startswith("rejected")]])
        _zubrix_cef.Shutdown()
    """)
    states, cancelled, rejections = outcome.result
    assert states == [True, False] and cancelled is True
    assert rejections == ["rejected ChannelError: the channel was closed"]


PAGE_FUNCTIONS = """
  function globalOne() { return 1; }
""" + READY % """
  zubrix.expose("give", function (a, b) { return {sum: a + b}; });
  zubrix.expose("throws", function () { throw new TypeError("not that"); });
  zubrix.expose("later", function (v) {
    return new Promise(function (resolve) { setTimeout(function () { resolve([v]); }, 30); });
  });
  zubrix.expose("refuses", function () { return Promise.reject(new RangeError("too far")); });
  zubrix.expose("never", function () { return new Promise(function () {}); });
  zubrix.expose("nothing", function () {});
"""


@pytest.mark.parametrize("site", sorted(SITES))
def test_page_function_results_reach_python(run_site, site):
    outcome = run_site({"index.html": page(["app.js"]), "app.js": PAGE_FUNCTIONS}, """
        from zubrix_cef.page_results import PageError, PageCallTimeout
        channel = Channel()
        results = {}

        def keep(name):
            def done(call):
                error = call.exception()
                results[name] = ([type(error).__name__, error.name, error.message] if error
                                 else call.result())
            return done
        calls = [("give", (2, 3), {}), ("throws", (), {}), ("later", ("x",), {}),
                 ("refuses", (), {}), ("never", (), {"timeout": 0.5}), ("nothing", (), {}),
                 ("globalOne", (), {}), ("missing", (), {}), ("toString", (), {})]
        for name, args, options in calls:
            channel.call_page(name, *args, **options).add_done_callback(keep(name))
        widget = BrowserWidget(%s + "index.html", channel=channel)
        widget.show()
        pump_until(lambda: len(results) == len(calls), 20)
        # A reload while the page still owes an answer ends the call.
        hanging = channel.call_page("never", timeout=None)
        pump_until(lambda: not channel._outbox, 15)
        widget.browser.Reload()
        pump_until(lambda: hanging.done(), 15)
        results["reloaded"] = [hanging.exception().name, hanging.exception().message]
        report(results)
        _zubrix_cef.Shutdown()
    """ % SITES[site])
    results = outcome.result
    assert results == {
        "give": {"sum": 5}, "later": ["x"], "nothing": None, "globalOne": 1,
        "throws": ["PageError", "TypeError", "not that"],
        "refuses": ["PageError", "RangeError", "too far"],
        "never": ["PageCallTimeout", "TimeoutError",
                  "the page did not answer never() within 0.5 s"],
        "missing": ["PageError", "ReferenceError",
                    'Python called "missing", which is no page function'],
        "toString": ["PageError", "ReferenceError",
                     'Python called "toString", which is no page function'],
        "reloaded": ["ChannelError", "the page was loaded anew before it answered"]}


def test_wrong_argument_counts_reject_before_the_function_runs(run_site):
    app = READY % """
      var seen = [];
      function note(error) { seen.push([error.name, error.message]); }
      Promise.all([
        zubrix.call("rename", "a").then(null, note),
        zubrix.call("rename", "a", "b", "c").then(null, note),
        zubrix.call("rename", "a", 2).then(null, note),
        zubrix.call("rename", "a", "b").then(function (v) { seen.push(v); })
      ]).then(function () { zubrix.call("report", seen); });
    """
    outcome = run_site({"index.html": page(["app.js"]), "app.js": app}, """
        channel = Channel()
        channel.expose(report_from_page, "report")
        ran = []

        @channel.expose(arg_types=(str, str))
        def rename(old, new):
            ran.append([old, new])
            return new
        widget = BrowserWidget(SITE_URL + "index.html", channel=channel)
        widget.show()
        pump_until(lambda: reports, 15)
        report([reports[0][0], ran])
        _zubrix_cef.Shutdown()
    """)
    seen, ran = outcome.result
    assert ran == [["a", "b"]]
    assert seen == [["TypeError", "rename() takes 2 arguments (1 given)"],
                    ["TypeError", "rename() takes 2 arguments (3 given)"],
                    ["TypeError", 'rename() argument 2 ("new") must be a string, not a number'],
                    "b"]
    assert "Traceback" not in outcome.stderr
    assert json.dumps("rename() takes 2 arguments (1 given)")[1:-1] in outcome.stderr
