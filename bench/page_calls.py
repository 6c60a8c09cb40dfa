"""Page calls into Python: a page's script calls host.call_python_callback
with the mixed payload and the registered callable notes when each call
starts. The page notes when it made each call (performance.timeOrigin +
performance.now(), milliseconds since the Unix epoch) and sends those times
last, through a second callable. Prints RECORD lines whose rows match the
bare-signal limit's; with --peer-row-only, only the row compared with Qt's
web channel."""
import os
import sys

BUILD = os.environ.get("ZUBRIX_BUILD_DIR", "build-bench")
sys.path.insert(0, BUILD)
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PySide2 import QtWidgets  # noqa: E402

import _cefsim  # noqa: E402
import _zubrix_cef  # noqa: E402
import call_timing  # noqa: E402

# The payload is bridge_bench_module.cc's MixedList, built once per run so
# that only the calls are timed. Paced calls wait on timers, which count in
# whole milliseconds.
PAGE = """<script>
function payload(size) {
  var list = [];
  for (var i = 0; i < size; ++i) {
    switch (i % 4) {
      case 0: list.push('item ' + i); break;
      case 1: list.push(i); break;
      case 2: list.push(i % 8 == 2); break;
      default: list.push(['nested', i, true]);
    }
  }
  return list;
}
function runTriples(count) {
  var first = performance.timeOrigin + performance.now();
  for (var i = 0; i < count; ++i)
    host.call_python_callback(0, [i, 's' + i, true]);
  host.call_python_callback(1, [String(first)]);
}
function run(size, count, gapMs) {
  var args = payload(size), sent = [], i = 0;
  function call() {
    sent.push(performance.timeOrigin + performance.now());
    host.call_python_callback(0, args);
  }
  function report() { host.call_python_callback(1, [sent.join(',')]); }
  if (!gapMs) {
    for (; i < count; ++i)
      call();
    report();
    return;
  }
  (function next() {
    call();
    if (++i < count)
      setTimeout(next, gapMs);
    else
      report();
  })();
}
</script>"""


def main():
    app = QtWidgets.QApplication([])
    _zubrix_cef.Initialize({"browser_subprocess_path":
                            os.path.join(BUILD, "zubrix_cef_subprocess")})
    arrivals = call_timing.Arrivals()
    reports = []
    if (_zubrix_cef.RegisterPyCallback(arrivals) != 0
            or _zubrix_cef.RegisterPyCallback(reports.append) != 1):
        sys.exit("the page's callable ids are not 0 and 1")
    browser, window = call_timing.open_browser(app, call_timing.data_url(PAGE))
    call_timing.wait_until(app, lambda: _cefsim.browsers(), "the page")
    if not _cefsim.wait_loaded(_cefsim.browsers()[-1]["id"], 30):
        sys.exit("the page did not load")

    def run(size, count, gap_us=0):
        del reports[:]
        gap_ms = -(-gap_us // 1000)
        arrived = arrivals.wait_for(count, lambda: browser.ExecuteJavascript(
            "run(%d, %d, %d)" % (size, count, gap_ms)))
        call_timing.wait_until(app, lambda: reports, "the page")
        return (call_timing.perf_counter_ns_of(reports[0].decode().split(",")),
                arrived)

    def run_triples(count):
        del reports[:]
        arrived = arrivals.wait_for(count, lambda: browser.ExecuteJavascript(
            "runTriples(%d)" % count))
        call_timing.wait_until(app, lambda: reports, "the page")
        return call_timing.perf_counter_ns_of([reports[0].decode()]), arrived

    try:
        if "--peer-row-only" not in sys.argv[1:]:
            call_timing.measure("page to Python", "page", run, run)
        call_timing.measure_triples("page", run_triples)
    finally:
        browser.Close()
        app.processEvents()
        _zubrix_cef.Shutdown()


if __name__ == "__main__":
    main()
