"""Serving a large archive entry without stalling everything else: while
another browser is served a 200 MB entry, a small client page's load time,
the rate of page calls into Python, and the host's memory growth; the first
two beside the same figure with nothing streaming, measured in turn in the
same run. For scale, the small page's load time also while two processes
only spin, a core each, with no stream. Prints RECORD lines for
run_bench.py."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

BUILD = os.environ.get("ZUBRIX_BUILD_DIR", "build-bench")
sys.path.insert(0, BUILD)
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PySide2 import QtWidgets  # noqa: E402

import _cefsim  # noqa: E402
import _zubrix_cef  # noqa: E402
import call_timing  # noqa: E402

ENTRY_SIZE = 200 * 1000 * 1000
SAMPLES = 7
LOADS_PER_SAMPLE = 5
CALLS_PER_SAMPLE = 1000
STREAMING_ROW = "while a 200 MB entry streams"

# The small page: a page-call loop and words up to about 1 KiB.
SMALL_PAGE = """<script>
function runTriples(count) {
  for (var i = 0; i < count; ++i)
    host.call_python_callback(0, [i, 's' + i, true]);
}
</script>"""


def write_archive(path):
    """One entry of ENTRY_SIZE page-like bytes that inflate as a real
    panel's assets do (about 4:1), not a run of one repeated byte."""
    line_count = 0
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED,
                         compresslevel=1) as archive:
        with archive.open("big.png", "w", force_zip64=True) as entry:
            written = 0
            while written < ENTRY_SIZE:
                block = "".join(
                    "var item%d = panel.widget(%d, 'label %d');\n"
                    % (n, n * 7919 % 100003, n * 31)
                    for n in range(line_count, line_count + 2000)).encode()
                line_count += 2000
                block = block[:ENTRY_SIZE - written]
                entry.write(block)
                written += len(block)


def memory_kib(field):
    with open("/proc/self/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


class Browsers:
    def __init__(self, app, window, small_url, big_url):
        self.app = app
        self.small = _zubrix_cef.CreateBrowserSync(int(window.winId()),
                                                   small_url)
        call_timing.wait_until(app, lambda: len(_cefsim.browsers()) >= 1,
                               "the small page's browser")
        self.small_id = _cefsim.browsers()[-1]["id"]
        if not _cefsim.wait_loaded(self.small_id, 30):
            sys.exit("the small page did not load")
        self.big = _zubrix_cef.CreateBrowserSync(int(window.winId()), big_url)
        call_timing.wait_until(app, lambda: len(_cefsim.browsers()) >= 2,
                               "the streaming browser")
        self.big_id = _cefsim.browsers()[-1]["id"]

    def big_loading(self):
        for browser in _cefsim.browsers():
            if browser["id"] == self.big_id:
                return browser["loading"]
        return False

    def wait_big_loaded(self):
        if not _cefsim.wait_loaded(self.big_id, 600):
            sys.exit("the 200 MB entry did not finish")

    def restart_stream(self):
        """The big entry anew, once it is being served."""
        self.big.Reload()
        call_timing.wait_until(self.app, self.big_loading, "the stream")

    def small_loads(self):
        start = time.perf_counter()
        for _ in range(LOADS_PER_SAMPLE):
            self.small.Reload()
            if not _cefsim.wait_loaded(self.small_id, 600):
                sys.exit("a reload of the small page did not finish")
        return (time.perf_counter() - start) / LOADS_PER_SAMPLE * 1000


def samples_in_turn(browsers, measure):
    """SAMPLES of |measure| taken wholly while the entry streams, each
    followed by one with nothing streaming, so that a change in the
    machine's speed touches both alike."""
    busy, idle = [], []
    while len(busy) < SAMPLES:
        if not browsers.big_loading():
            browsers.restart_stream()
        sample = measure()
        if not browsers.big_loading():
            continue  # The stream ended during the sample.
        busy.append(sample)
        browsers.wait_big_loaded()
        idle.append(measure())
    return busy, idle


def spinning_loads(browsers):
    """The small page's load time while every core of a two-core machine is
    taken by a process that only spins: what contention alone costs it."""
    spinners = [subprocess.Popen(["sh", "-c", "while :; do :; done"])
                for _ in range(2)]
    try:
        # A process just started runs ahead of the others for a while.
        time.sleep(0.5)
        return browsers.small_loads()
    finally:
        for spinner in spinners:
            spinner.kill()
            spinner.wait()


def main():
    folder = tempfile.mkdtemp()
    os.environ["CEF_PLOVEX_INTERNAL"] = folder
    archive = os.path.join(folder, "big.plovex")
    write_archive(archive)
    with open(os.path.join(folder, "small.html"), "w") as page:
        page.write(SMALL_PAGE + "<!-- " + "panel " * 150 + "-->")
    app = QtWidgets.QApplication([])
    _zubrix_cef.Initialize({"browser_subprocess_path":
                            os.path.join(BUILD, "zubrix_cef_subprocess")})
    arrivals = call_timing.Arrivals()
    if _zubrix_cef.RegisterPyCallback(arrivals) != 0:
        sys.exit("the page's callable id is not 0")
    window = QtWidgets.QWidget()
    window.resize(400, 200)
    window.show()
    app.processEvents()
    browsers = Browsers(app, window, "client://internal/small.html",
                        "client://plovex/%s/big.png" % archive)

    def call_rate():
        arrived = arrivals.wait_for(CALLS_PER_SAMPLE, lambda: (
            browsers.small.ExecuteJavascript(
                "runTriples(%d)" % CALLS_PER_SAMPLE)), timeout_s=600)
        return len(arrived) * 1e9 / (arrived[-1] - arrived[0])

    try:
        # The first stream, whole: how far the host's memory grows.
        browsers.wait_big_loaded()
        with open("/proc/self/clear_refs", "w") as clear:
            clear.write("5")  # Resets the peak to the present.
        before = memory_kib("VmRSS")
        browsers.restart_stream()
        browsers.wait_big_loaded()
        call_timing.record("host memory growth " + STREAMING_ROW,
                           "handler", "MiB",
                           [(memory_kib("VmHWM") - before) / 1024.0])
        for row, unit, measure in (
                ("small page load " + STREAMING_ROW, "ms", browsers.small_loads),
                ("page calls " + STREAMING_ROW, "calls/s", call_rate)):
            busy, idle = samples_in_turn(browsers, measure)
            call_timing.record(row, "handler", unit, busy)
            call_timing.record(row, "limit", unit, idle)
        spinning, idle = [], []
        for _ in range(SAMPLES):
            spinning.append(spinning_loads(browsers))
            idle.append(browsers.small_loads())
        row = "small page load while two processes spin"
        call_timing.record(row, "handler", "ms", spinning)
        call_timing.record(row, "limit", "ms", idle)
    finally:
        browsers.small.Close()
        browsers.big.Close()
        app.processEvents()
        _zubrix_cef.Shutdown()
        shutil.rmtree(folder)


if __name__ == "__main__":
    main()
