"""The limit of page calls into Python: a CefListValue emitted from a thread
of its own through the bridge's bare queued signal into a Python callable,
with no render process in between. Prints RECORD lines."""
import os
import sys

sys.path.insert(0, os.environ.get("ZUBRIX_BUILD_DIR", "build-bench"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import _zubrix_bench  # noqa: E402
import call_timing  # noqa: E402


def main():
    call_timing.app()
    arrivals = call_timing.Arrivals()
    callback_id = _zubrix_bench.RegisterPyCallback(arrivals)

    def run(size, count, gap_us=0):
        emitters = []
        arrived = arrivals.wait_for(count, lambda: emitters.append(
            _zubrix_bench.Emitter(callback_id, size, count, gap_us)))
        return emitters[0].Join(), arrived

    call_timing.measure("page to Python", "limit", run, run)


if __name__ == "__main__":
    main()
