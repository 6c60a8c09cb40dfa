"""The peer of page calls into Python: Qt's web channel in QtWebEngine, what
a Qt host already ships. A page calls a published slot with
[i, 's' + i, true], fire and forget, as many times as the module's row of
the same payload; the rate counts from the page's first call to the last
arrival in Python. With --round-trips, the peer of the channel's round
trips instead: a slot with a return value, echo(i, 's' + i, true), whose
answer the page takes in the JavaScript callback form. Prints RECORD
lines."""
import os
import sys

# The engine's own sandbox does not start as root or under Xvfb's GPU-less
# display; neither changes how calls travel.
os.environ.setdefault("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu")
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PySide2 import QtCore, QtWidgets  # noqa: E402
from PySide2 import QtWebChannel, QtWebEngineWidgets  # noqa: E402

import call_timing  # noqa: E402
import round_trips  # noqa: E402

PAGE = """<script src="qrc:///qtwebchannel/qwebchannel.js"></script>
<script>
new QWebChannel(qt.webChannelTransport, function(channel) {
  window.bridge = channel.objects.bridge;
  bridge.ready();
});
function run(count) {
  var first = performance.timeOrigin + performance.now();
  for (var i = 0; i < count; ++i)
    bridge.call([i, 's' + i, true]);
  bridge.report(String(first));
}
%s
function report(rate) { bridge.report(String(rate)); }
</script>""" % round_trips.page_script(
    "function (i, answered) { bridge.echo(i, 's' + i, true, answered); }")


class Bridge(QtCore.QObject):
    def __init__(self, arrivals):
        QtCore.QObject.__init__(self)
        self.arrivals = arrivals
        self.loaded = False
        self.reports = round_trips.Reports() if "--round-trips" in sys.argv[1:] else []

    @QtCore.Slot()
    def ready(self):
        self.loaded = True

    @QtCore.Slot(list)
    def call(self, args):
        self.arrivals(*args)

    @QtCore.Slot(str)
    def report(self, first_ms):
        self.reports.append(first_ms)

    @QtCore.Slot(int, str, bool, result=list)
    def echo(self, number, text, flag):
        return [number, text, flag]


def main():
    QtCore.QCoreApplication.setAttribute(QtCore.Qt.AA_ShareOpenGLContexts)
    app = QtWidgets.QApplication([])
    arrivals = call_timing.Arrivals()
    bridge = Bridge(arrivals)
    view = QtWebEngineWidgets.QWebEngineView()
    channel = QtWebChannel.QWebChannel()
    channel.registerObject("bridge", bridge)
    view.page().setWebChannel(channel)
    view.resize(200, 100)
    view.show()
    view.setHtml(PAGE, QtCore.QUrl("qrc:///"))
    call_timing.wait_until(app, lambda: bridge.loaded, "the peer's page")

    if "--round-trips" in sys.argv[1:]:
        round_trips.measure("peer", view.page().runJavaScript, bridge.reports, app)
        return

    def run(count):
        del bridge.reports[:]
        arrived = arrivals.wait_for(count, lambda: view.page().runJavaScript(
            "run(%d)" % count))
        call_timing.wait_until(app, lambda: bridge.reports, "the peer's page")
        return call_timing.perf_counter_ns_of(bridge.reports), arrived

    call_timing.measure_triples("peer", run)


if __name__ == "__main__":
    main()
