"""Work for later turns of the host's Qt event loop, on the thread that
runs it: what the channel sends is gathered during one turn and goes at its
end, and page calls give up after their timeout."""
import importlib
import logging
import threading

from zubrix_cef.qt_binding import find_qt_widgets

logger = logging.getLogger("zubrix_cef")


def host_loop():
    """A QtLoop on the host's binding; without one, a loop that runs
    call_soon at once and has no timers."""
    try:
        return QtLoop()
    except ImportError as error:
        logger.warning("%s: the channel sends at once instead of at the end of the loop's "
                       "turn, and page calls have no timeout; pass a loop to Channel", error)
        return ImmediateLoop()


class QtLoop(object):
    """call_soon and call_later through QTimer of the host's Qt binding.
    Made on the host's main thread, whose loop runs the callbacks."""

    def __init__(self, qt_core=None):
        if qt_core is None:
            qt_core = importlib.import_module(find_qt_widgets().__name__.rpartition(".")[0]
                                              + ".QtCore")
        self._qt_core = qt_core
        self._timers = set()
        self.thread = threading.current_thread()

    def call_soon(self, callback):
        """Runs callback in a later turn of the loop, after what is pending."""
        self._qt_core.QTimer.singleShot(0, callback)

    def call_later(self, seconds, callback):
        """Runs callback after seconds; returns a handle whose cancel()
        stops it."""
        timer = self._qt_core.QTimer()
        timer.setSingleShot(True)
        handle = _TimerHandle(timer, self._timers)

        def fire():
            handle.cancel()
            callback()
        timer.timeout.connect(fire)
        self._timers.add(handle)
        timer.start(max(0, int(seconds * 1000)))
        return handle


class _TimerHandle(object):
    def __init__(self, timer, timers):
        self._timer = timer
        self._timers = timers

    def cancel(self):
        # The loop holds each running timer; a stopped one is let go.
        self._timer.stop()
        self._timers.discard(self)


class ImmediateLoop(object):
    """For hosts without a Qt binding in Python."""

    def __init__(self):
        self.thread = threading.current_thread()

    def call_soon(self, callback):
        callback()

    def call_later(self, seconds, callback):
        return _NoTimer()


class _NoTimer(object):
    def cancel(self):
        pass
