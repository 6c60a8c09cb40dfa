"""The channel's round trips (zubrix_cef.channel): the page's
zubrix.call("echo", i, 's' + i, true) answered by an exposed Python
function with its arguments. The page comes from the internal content
folder, as a tool's panel does. Prints RECORD lines; its peer is
webchannel_calls.py --round-trips."""
import os
import shutil
import sys
import tempfile

BUILD = os.environ.get("ZUBRIX_BUILD_DIR", "build-bench")
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [BUILD, os.path.dirname(HERE), HERE]

from PySide2 import QtWidgets  # noqa: E402

import _zubrix_cef  # noqa: E402
import call_timing  # noqa: E402
import round_trips  # noqa: E402
from zubrix_cef.channel import Channel  # noqa: E402

CALL = "function (i, answered) { zubrix.call('echo', i, 's' + i, true).then(answered); }"
PAGE = """<script>%s
function report(rate) { zubrix.call('report', rate); }
(window.zubrixReady = window.zubrixReady || []).push(function () { report(0); });
</script>""" % round_trips.page_script(CALL)


def main():
    folder = tempfile.mkdtemp(prefix="zubrix_round_trips_")
    with open(os.path.join(folder, "index.html"), "w") as page:
        page.write(PAGE)
    os.environ["CEF_PLOVEX_INTERNAL"] = folder
    app = QtWidgets.QApplication([])
    _zubrix_cef.Initialize({"browser_subprocess_path":
                            os.path.join(BUILD, "zubrix_cef_subprocess")})
    channel = Channel()
    reports = round_trips.Reports()
    channel.expose(lambda *args: list(args), "echo")
    channel.expose(reports.append, "report")
    browser, window = call_timing.open_browser(app, "client://internal/index.html")
    channel.attach(browser)
    try:
        call_timing.wait_until(app, lambda: reports, "the page")
        round_trips.measure("channel", browser.ExecuteJavascript, reports, app)
    finally:
        channel.close()
        browser.Close()
        app.processEvents()
        _zubrix_cef.Shutdown()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
