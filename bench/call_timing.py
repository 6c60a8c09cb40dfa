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
        QtCore.QTimer.singleShot(int(timeout_s * 1000), lambda: app().exit(1))
        start()
        if app().exec_() != 0:
            sys.exit("only %d of %d calls arrived" % (len(self.times), expected))
        return self.times


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(fraction * len(ordered)))]


def record(row, variant, unit, samples):
    """One figure for run_bench.py: a row, a variant, a unit, the samples."""
    print("RECORD\t%s\t%s\t%s\t%s" % (row, variant, unit,
                                      "\t".join("%.9g" % s for s in samples)))
    sys.stdout.flush()


def report_burst(row, variant, sent_ns, arrived_ns):
    """Calls per second from the first call to the last arrival."""
    return len(arrived_ns) * 1e9 / (arrived_ns[-1] - sent_ns[0])


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
