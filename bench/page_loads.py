"""Local content through a page load: a browser reloads a "client" URL and
the load is timed until the browser's client has heard that it finished.
Prints RECORD lines whose rows match the resource-handler benchmark's."""
import os
import shutil
import sys
import tempfile
import time

BUILD = os.environ.get("ZUBRIX_BUILD_DIR", "build-bench")
sys.path.insert(0, BUILD)
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PySide2 import QtWidgets  # noqa: E402

import _cefsim  # noqa: E402
import _zubrix_cef  # noqa: E402
import call_timing  # noqa: E402

SAMPLES = 7
LOADS_PER_SAMPLE = 5
FILE_SIZES = ((1 << 10, "1 KiB"), (64 << 10, "64 KiB"), (10 << 20, "10 MiB"))


def page_text(size):
    # No markup: the page holds no scripts or frames to fetch besides itself.
    words = b"function var return host panel data index button style widget "
    return (words * (size // len(words) + 1))[:size]


def timed_loads(app, browser, browser_id, what):
    seconds = []
    for _ in range(SAMPLES):
        start = time.perf_counter()
        for _ in range(LOADS_PER_SAMPLE):
            browser.Reload()
            if not _cefsim.wait_loaded(browser_id, 30):
                sys.exit("a reload of %s did not finish" % what)
        seconds.append((time.perf_counter() - start) / LOADS_PER_SAMPLE)
    return seconds


def main():
    folder = tempfile.mkdtemp()
    os.environ["CEF_PLOVEX_INTERNAL"] = folder
    app = QtWidgets.QApplication([])
    _zubrix_cef.Initialize({"browser_subprocess_path":
                            os.path.join(BUILD, "zubrix_cef_subprocess")})
    window = QtWidgets.QWidget()
    window.resize(200, 100)
    window.show()
    app.processEvents()
    try:
        for count, (size, name) in enumerate(FILE_SIZES, 1):
            file_name = "page%d.html" % size
            with open(os.path.join(folder, file_name), "wb") as f:
                f.write(page_text(size))
            browser = _zubrix_cef.CreateBrowserSync(
                int(window.winId()), "client://internal/" + file_name)
            end = time.time() + 30
            while len(_cefsim.browsers()) < count and time.time() < end:
                app.processEvents()
            browser_id = _cefsim.browsers()[-1]["id"]
            if not _cefsim.wait_loaded(browser_id, 30):
                sys.exit("the first load of %s did not finish" % file_name)
            seconds = timed_loads(app, browser, browser_id, file_name)
            row = "folder " + name
            call_timing.record(row, "page load", "requests/s",
                               [1 / s for s in seconds])
            call_timing.record(row, "page load", "MB/s",
                               [size / s / 1e6 for s in seconds])
            browser.Close()
            app.processEvents()
    finally:
        _zubrix_cef.Shutdown()
        shutil.rmtree(folder)


if __name__ == "__main__":
    main()
