"""What Python gets back from a page function it called: a PageCall, a
future that the host's loop settles and that never runs the loop itself."""
import logging
import threading

logger = logging.getLogger("zubrix_cef")


class PageError(Exception):
    """The page function threw or its promise rejected (name and message of
    the JavaScript error), or the call ended without an answer: the page
    went ("ChannelError") or did not answer in time (PageCallTimeout)."""

    def __init__(self, name, message):
        Exception.__init__(self, u"%s: %s" % (name, message))
        self.name = name
        self.message = message


class PageCallTimeout(PageError):
    def __init__(self, message):
        PageError.__init__(self, "TimeoutError", message)


class PageCall(object):
    """The result of channel.call_page: the page function's return value,
    or its promise's value."""

    def __init__(self, name, owner_thread):
        self.name = name
        self._owner_thread = owner_thread
        self._condition = threading.Condition()
        self._done = False
        self._value = None
        self._error = None
        self._callbacks = []

    def done(self):
        return self._done

    def add_done_callback(self, callback):
        """callback(page_call) runs on the host's main thread once the call
        is settled: at once when it already is."""
        with self._condition:
            if not self._done:
                self._callbacks.append(callback)
                return
        _run_done_callback(callback, self)

    def result(self, timeout=None):
        """The page's value, or raises its PageError. The answer comes
        through the host's loop, which this does not run: on the main
        thread it raises PageCallTimeout at once while the call is open;
        on another thread it waits up to timeout seconds (None: until the
        call is settled, which its own timeout bounds)."""
        self._wait(timeout)
        if self._error is not None:
            raise self._error
        return self._value

    def exception(self, timeout=None):
        """The PageError the call ended with, or None."""
        self._wait(timeout)
        return self._error

    def _wait(self, timeout):
        with self._condition:
            if not self._done and threading.current_thread() is not self._owner_thread:
                self._condition.wait(timeout)
            if not self._done:
                raise PageCallTimeout("the page has not answered %s() yet%s" % (
                    self.name, "" if threading.current_thread() is not self._owner_thread
                    else ": its answer comes through the host's loop, so wait with "
                         "add_done_callback"))

    def _settle(self, value=None, error=None):
        with self._condition:
            if self._done:
                return False
            self._done = True
            self._value, self._error = value, error
            callbacks, self._callbacks = self._callbacks, []
            self._condition.notify_all()
        for callback in callbacks:
            _run_done_callback(callback, self)
        return True


def _run_done_callback(callback, page_call):
    try:
        callback(page_call)
    except Exception:
        logger.exception("a done callback of the page call %s raised", page_call.name)
