"""Runs every benchmark and prints one table: each figure's minimum and
median over its samples, beside the limit (or the peer, Qt's web channel)
measured in the same run, and the ratio of the medians; then how each cost
grows with the work."""
import math
import os
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.environ.get("ZUBRIX_BUILD_DIR", os.path.join(HERE, "..", "build-bench"))
PYTHON = "/usr/bin/python3"

# Seconds per operation from the C++ harness become rates here.
MB = 1e6
EXTRA_PEER_ROUNDS = 4
ROUND_TRIP_ROUNDS = 3


def run(command):
    env = dict(os.environ, ZUBRIX_BUILD_DIR=BUILD)
    out = subprocess.run(command, env=env, check=True, capture_output=True,
                         text=True).stdout
    for line in out.splitlines():
        if line.startswith("RECORD\t"):
            yield line.split("\t")[1:]


def collect():
    """{(row, unit): {variant: [samples]}}, rows in the order measured."""
    figures = {}

    def add(row, variant, unit, samples):
        figures.setdefault((row, unit), {}).setdefault(variant, []).extend(
            samples)

    for row, variant, size, *seconds in run([os.path.join(BUILD, "scheme_bench")]):
        seconds = [float(s) for s in seconds]
        add(row, variant, "requests/s", [1 / s for s in seconds])
        add(row, variant, "MB/s", [int(size) / s / MB for s in seconds])
        add(row, variant, "us/request", [s * 1e6 for s in seconds])
    for script in ("bridge_calls.py", "page_calls.py", "webchannel_calls.py",
                   "page_loads.py", "streaming_load.py"):
        path = os.path.join(HERE, script)
        if os.path.exists(path):
            for row, variant, unit, *samples in run([PYTHON, path]):
                add(row, variant, unit, [float(s) for s in samples])
    # The page-call row and its peer run in separate processes, and one
    # process can run well faster or slower than the next: further rounds of
    # the two in turn pool several processes of each and spread a change in
    # the machine's speed over both.
    for _ in range(EXTRA_PEER_ROUNDS):
        for command in ([PYTHON, os.path.join(HERE, "page_calls.py"),
                         "--peer-row-only"],
                        [PYTHON, os.path.join(HERE, "webchannel_calls.py")]):
            for row, variant, unit, *samples in run(command):
                add(row, variant, unit, [float(s) for s in samples])
    # The channel's round trips and the peer's, likewise in turn.
    for _ in range(ROUND_TRIP_ROUNDS):
        for command in ([PYTHON, os.path.join(HERE, "channel_round_trips.py")],
                        [PYTHON, os.path.join(HERE, "webchannel_calls.py"), "--round-trips"]):
            for row, variant, unit, *samples in run(command):
                add(row, variant, unit, [float(s) for s in samples])
    return figures


def fmt(value):
    if value >= 100:
        return "%.0f" % value
    if value >= 10:
        return "%.1f" % value
    return "%.2f" % value


def print_table(figures):
    print("%-36s %-11s %11s %11s %11s %11s %7s" % (
        "row", "unit", "module min", "module med", "ref min", "ref med",
        "ratio"))
    for (row, unit), variants in figures.items():
        if unit == "us/request":
            continue
        # A row has a limit, or a peer to compare with; never both.
        reference = "limit" if "limit" in variants else "peer"
        limit = variants.get(reference)
        measured = sorted(v for v in variants if v != reference)
        if not measured and limit:
            print("%-36s %-11s %11s %11s %11s %11s %7s" % (
                row, unit, "", "", fmt(min(limit)),
                fmt(statistics.median(limit)), ""))
        for variant in measured:
            samples = variants[variant]
            name = row if variant == "handler" else "%s (%s)" % (row, variant)
            cells = [fmt(min(samples)), fmt(statistics.median(samples))]
            if limit:
                higher_better = unit.endswith("/s")
                ratio = statistics.median(limit) / statistics.median(samples)
                if reference == "peer":
                    ratio = 1 / ratio
                cells += [fmt(min(limit)), fmt(statistics.median(limit)),
                          fmt(ratio if higher_better else 1 / ratio)]
            else:
                cells += ["", "", ""]
            print("%-36s %-11s %11s %11s %11s %11s %7s" % (name, unit, *cells))
    print("ref: the limit, or for the row with a peer Qt's web channel. ratio:"
          " the module's cost over the limit's (1 at the limit), or its rate"
          " over the peer's (above 1 ahead of it).")


def work_of(row):
    """The amount of work a row names: bytes, entries or elements."""
    number, scale = row.split()[-2:]
    factor = {"KiB": 1024, "MiB": 1 << 20}.get(scale, 1)
    return float(number) * factor


def print_growth(figures):
    """Per series: the median cost at each point and the local exponent
    log(cost ratio) / log(work ratio): 1 is linear, 0 flat."""
    series = {}
    for (row, unit), variants in figures.items():
        if unit not in ("us/request", "median us"):
            continue
        prefix = " ".join(row.split()[:-2])
        for variant, samples in variants.items():
            series.setdefault((prefix, variant, unit), []).append(
                (work_of(row), statistics.median(samples)))
    print()
    print("growth: median cost per operation, and exponent to the previous point")
    for (prefix, variant, unit), points in series.items():
        if len(points) < 2:
            continue
        cells = []
        for i, (work, cost) in enumerate(points):
            cell = "%g:%s" % (work, fmt(cost))
            if i and points[i - 1][0] > 0 and work > 0 and points[i - 1][1] > 0:
                exponent = (math.log(cost / points[i - 1][1])
                            / math.log(work / points[i - 1][0]))
                cell += "(^%.2f)" % exponent
            cells.append(cell)
        print("%s [%s, %s]: %s" % (prefix, variant, unit, "  ".join(cells)))


def main():
    figures = collect()
    print_table(figures)
    print_growth(figures)


if __name__ == "__main__":
    sys.exit(main())
