"""Page calls into Python: a page's script calls host.call_python_callback
with the mixed payload and the registered callable notes when each call
starts. The page notes when it made each call (performance.timeOrigin +
performance.now(), milliseconds since the Unix epoch) and sends those times
last, through a second callable. Prints RECORD lines whose rows match the
bare-signal limit's."""
import os
import sys
import time
from urllib.parse import quote

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


def perf_counter_ns_of(epoch_ms_texts):
    """Epoch milliseconds on time.perf_counter_ns's clock: both clocks are
    read here side by side, as the page read its own pair at its origin."""
    offset_ns = time.time_ns() - time.perf_counter_ns()
    return [int(float(t) * 1e6) - offset_ns for t in epoch_ms_texts]


def wait(app, condition, timeout_s=30):
    end = time.time() + timeout_s
    while not condition():
        if time.time() > end:
            sys.exit("the page did not answer")
        app.processEvents()
        time.sleep(0.001)


def main():
    app = QtWidgets.QApplication([])
    _zubrix_cef.Initialize({"browser_subprocess_path":
                            os.path.join(BUILD, "zubrix_cef_subprocess")})
    arrivals = call_timing.Arrivals()
    reports = []
    if (_zubrix_cef.RegisterPyCallback(arrivals) != 0
            or _zubrix_cef.RegisterPyCallback(reports.append) != 1):
        sys.exit("the page's callable ids are not 0 and 1")
    window = QtWidgets.QWidget()
    window.resize(200, 100)
    window.show()
    app.processEvents()
    browser = _zubrix_cef.CreateBrowserSync(int(window.winId()),
                                            "data:text/html," + quote(PAGE))
    wait(app, lambda: _cefsim.browsers())
    if not _cefsim.wait_loaded(_cefsim.browsers()[-1]["id"], 30):
        sys.exit("the page did not load")

    def run(size, count, gap_us=0):
        del reports[:]
        gap_ms = -(-gap_us // 1000)
        arrived = arrivals.wait_for(count, lambda: browser.ExecuteJavascript(
            "run(%d, %d, %d)" % (size, count, gap_ms)))
        wait(app, lambda: reports)
        return perf_counter_ns_of(reports[0].decode().split(",")), arrived

    try:
        call_timing.measure("page to Python", "page", run, run)
    finally:
        browser.Close()
        app.processEvents()
        _zubrix_cef.Shutdown()


if __name__ == "__main__":
    main()
