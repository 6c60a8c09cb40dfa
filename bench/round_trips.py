"""Round trips page -> Python -> page, echo(i, 's' + i, true) answered with
its arguments: a burst issued at once and calls one after another, timed by
the page itself with performance.now. Shared by the channel's row and its
peer's, which differ only in how the page makes one call."""
import sys

from PySide2 import QtCore

import call_timing

BURST_CALLS = 3000
SEQUENTIAL_CALLS = 1000
SAMPLES = 5
BURST_ROW = "round trips, %d at once" % BURST_CALLS
SEQUENTIAL_ROW = "round trips, %d in turn" % SEQUENTIAL_CALLS


def page_script(call):
    """The page's drivers, given call: JavaScript source of a function
    (i, answered) that calls echo(i, 's' + i, true) and runs answered(value)
    with the answer. Each driver reports its calls per second through
    report(rate)."""
    return """
var echoCall = %s;
function checked(i, value, then) {
  if (value[0] !== i || value[1] !== 's' + i || value[2] !== true)
    throw new Error('wrong answer to call ' + i + ': ' + JSON.stringify(value));
  then();
}
function burst(count) {
  var start = performance.now(), left = count;
  for (var i = 0; i < count; ++i) {
    (function (i) {
      echoCall(i, function (value) {
        checked(i, value, function () {
          if (--left === 0) report(count * 1000 / (performance.now() - start));
        });
      });
    })(i);
  }
}
function sequential(count) {
  var start = performance.now(), i = 0;
  (function next() {
    echoCall(i, function (value) {
      checked(i, value, function () {
        if (++i < count) next();
        else report(count * 1000 / (performance.now() - start));
      });
    });
  })();
}
""" % call


def measure(variant, run_page, reports, app):
    """run_page(code) runs JavaScript in the page, whose report(rate)
    appends the rate to reports, a Reports."""

    def run(driver, count):
        del reports[:]
        run_page("%s(%d)" % (driver, count))
        wait_for_report(app, reports, variant)
        return float(reports[0])

    for driver, count in (("burst", BURST_CALLS), ("sequential", SEQUENTIAL_CALLS)):
        run(driver, count)  # warm-up
    bursts, sequential = [], []
    for _ in range(SAMPLES):
        bursts.append(run("burst", BURST_CALLS))
        sequential.append(run("sequential", SEQUENTIAL_CALLS))
    call_timing.record(BURST_ROW, variant, "calls/s", bursts)
    call_timing.record(SEQUENTIAL_ROW, variant, "calls/s", sequential)


class Reports(list):
    """The page's reports: each ends the event loop that waits for it."""

    def append(self, rate):
        list.append(self, rate)
        QtCore.QCoreApplication.exit(0)


def wait_for_report(app, reports, variant, timeout_s=120):
    """Runs the event loop itself, as a host does, until the page reported
    (reports is a Reports): a loop that slept or polled between turns
    would add to each round trip."""
    limit = QtCore.QTimer()
    limit.setSingleShot(True)
    limit.timeout.connect(lambda: app.exit(1))
    limit.start(timeout_s * 1000)
    code = app.exec_() if not reports else 0
    limit.stop()
    if code != 0:
        sys.exit("the %s page did not report" % variant)
