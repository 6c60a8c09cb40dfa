"""Timing of calls that arrive at a Python callable through the host's Qt
event loop: shared by the bare-signal limit and the page benchmark."""
import sys
import time

from PySide2 import QtCore

SAMPLES = 7
BURST_CALLS = 1000
PACED_CALLS = 200
PACED_GAP_US = 500
# Payload sizes: the table's two, and the growth series around them.
PAYLOAD_SIZES = (0, 10, 100, 1000)


def app():
    return QtCore.QCoreApplication.instance() or QtCore.QCoreApplication([])


class Arrivals:
    """A callable that notes when each call starts and ends the event loop
    once |expected| calls have come."""

    def __init__(self):
        self.times = []
        self.expected = 0

    def __call__(self, *args):
        self.times.append(time.perf_counter_ns())
        if len(self.times) == self.expected:
            app().exit(0)

    def wait_for(self, expected, start, timeout_s=60):
        """Runs |start| and then the event loop until |expected| calls came."""
        self.times = []
        self.expected = expected
        # A timer of its own, stopped once the calls came, so that it cannot
        # end a later run's loop.
        timer = QtCore.QTimer()
        timer.setSingleShot(True)
        timer.timeout.connect(lambda: app().exit(1))
        timer.start(int(timeout_s * 1000))
        start()
        code = app().exec_()
        timer.stop()
        if code != 0:
            sys.exit("only %d of %d calls arrived" % (len(self.times), expected))
        return self.times


def wait_until(app, condition, what, timeout_s=30):
    """Runs |app|'s events until |condition| holds; ends the run if |what|
    does not answer in time."""
    end = time.time() + timeout_s
    while not condition():
        if time.time() > end:
            sys.exit("%s did not answer" % what)
        app.processEvents()
        time.sleep(0.001)


def data_url(html):
    from urllib.parse import quote
    return "data:text/html," + quote(html)


def open_browser(app, url):
    """A browser on url in a window of its own, shown: returns (browser,
    window); the caller keeps the window."""
    from PySide2 import QtWidgets
    import _zubrix_cef
    window = QtWidgets.QWidget()
    window.resize(200, 100)
    window.show()
    app.processEvents()
    return _zubrix_cef.CreateBrowserSync(int(window.winId()), url), window


def perf_counter_ns_of(epoch_ms_texts):
    """Epoch milliseconds on time.perf_counter_ns's clock: both clocks are
    read here side by side, as the page read its own pair at its origin."""
    offset_ns = time.time_ns() - time.perf_counter_ns()
    return [int(float(t) * 1e6) - offset_ns for t in epoch_ms_texts]


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(fraction * len(ordered)))]


def record(row, variant, unit, samples):
    """One figure for run_bench.py: a row, a variant, a unit, the samples."""
    print("RECORD\t%s\t%s\t%s\t%s" % (row, variant, unit,
                                      "\t".join("%.9g" % s for s in samples)))
    sys.stdout.flush()


def latencies_us(sent_ns, arrived_ns):
    return [(a - s) / 1000.0 for s, a in zip(sent_ns, arrived_ns)]


def measure(row_prefix, variant, run_burst, run_paced, sizes=PAYLOAD_SIZES):
    """run_burst(size, count) and run_paced(size, count, gap_us) each return
    (sent, arrived) in nanoseconds of time.perf_counter_ns's clock."""
    for size in sizes:
        row = "%s %d elements" % (row_prefix, size)
        run_burst(size, 10)  # warm-up
        rates, medians, p99s = [], [], []
        for _ in range(SAMPLES):
            sent, arrived = run_burst(size, BURST_CALLS)
            rates.append(len(arrived) * 1e9 / (arrived[-1] - sent[0]))
            sent, arrived = run_paced(size, PACED_CALLS, PACED_GAP_US)
            lat = latencies_us(sent, arrived)
            medians.append(percentile(lat, 0.5))
            p99s.append(percentile(lat, 0.99))
        record(row, variant, "calls/s", rates)
        record(row, variant, "median us", medians)
        record(row, variant, "p99 us", p99s)


TRIPLES_ROW = "page calls of [i, 's'+i, true]"


def measure_triples(variant, run_burst):
    """run_burst(count) makes a page call a callable |count| times with
    [i, 's' + i, true] and returns ([the first call's time], arrivals), in
    nanoseconds of time.perf_counter_ns's clock: the module's row beside
    its peer's."""
    # Warm-up: the page's loop and the path behind it are compiled and
    # their memory reused only after the first full bursts.
    for _ in range(2):
        run_burst(BURST_CALLS)
    rates = []
    for _ in range(SAMPLES):
        sent, arrived = run_burst(BURST_CALLS)
        rates.append(len(arrived) * 1e9 / (arrived[-1] - sent[0]))
    record(TRIPLES_ROW, variant, "calls/s", rates)
