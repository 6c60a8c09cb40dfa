"""The page-load rows of this checkout beside another checkout's, in one
sitting: each checkout's own bench/page_loads.py runs against its own
Release build, in turn, several rounds, so that a change in the machine's
speed touches both alike. Prints each row's median per checkout and the
ratio (this one's load time over the other's: above 1 is slower).

    bench/page_loads_against.py OTHER_CHECKOUT [ROUNDS]

Each checkout needs its bench build in build-bench/ (scripts/bench.sh, or
cmake with -DCMAKE_BUILD_TYPE=Release and the targets it names)."""
import os
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
PYTHON = "/usr/bin/python3"


def page_load_rows(checkout):
    """{row: [seconds per load]} from one run of |checkout|'s page loads."""
    build = os.path.join(checkout, "build-bench")
    env = dict(os.environ, ZUBRIX_BUILD_DIR=build, PYTHONDONTWRITEBYTECODE="1")
    out = subprocess.run([PYTHON, os.path.join(checkout, "bench", "page_loads.py")],
                         env=env, check=True, capture_output=True,
                         text=True).stdout
    rows = {}
    for line in out.splitlines():
        fields = line.split("\t")
        if fields[0] != "RECORD" or fields[3] != "requests/s":
            continue
        rows[fields[1]] = [1 / float(rate) for rate in fields[4:]]
    return rows


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__)
    checkouts = (("this", os.path.dirname(HERE)),
                 ("other", os.path.abspath(argv[1])))
    rounds = int(argv[2]) if len(argv) == 3 else 3
    pooled = {}
    for _ in range(rounds):
        for name, checkout in checkouts:
            for row, seconds in page_load_rows(checkout).items():
                pooled.setdefault(row, {}).setdefault(name, []).extend(seconds)
    print("%-24s %12s %12s %7s" % ("row (ms per load)", "this med",
                                   "other med", "ratio"))
    for row, by_checkout in pooled.items():
        if len(by_checkout) < 2:
            continue
        this = statistics.median(by_checkout["this"]) * 1000
        other = statistics.median(by_checkout["other"]) * 1000
        print("%-24s %12.3f %12.3f %7.2f" % (row, this, other, this / other))


if __name__ == "__main__":
    main(sys.argv)
