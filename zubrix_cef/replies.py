"""An answer that an exposed function gives after it returned."""
import logging

logger = logging.getLogger("zubrix_cef")


class Reply(object):
    """The answer to one page call, given later: an exposed function gets
    it from channel.reply() and returns it, and Python code settles it on
    the host's main thread once the work is done (from a timer, a finished
    worker's signal, any later turn of the loop):

        reply.progress(0.5)       # the page's promise.progress(fn) hears it
        reply.resolve(value)      # or reply.reject(error)

    Settling a reply twice, or after its page has gone, does nothing and
    says so at DEBUG on the "zubrix_cef" logger. The page may cancel the
    call (promise.cancel()); a reload, a navigation, close() or detach()
    cancels it too: cancelled turns True and the on_cancel callbacks run."""

    def __init__(self, settle, name):
        self._settle = settle   # settle(kind, value) queues the message to the page
        self._name = name
        self._done = False
        self._cancelled = False
        self._cancel_callbacks = []

    @property
    def done(self):
        """True once resolved, rejected or cancelled."""
        return self._done

    @property
    def cancelled(self):
        return self._cancelled

    def resolve(self, value=None):
        """Answers the page's promise with value (JSON). Raises TypeError
        or ValueError for a value JSON cannot carry, and the reply stays
        open."""
        self._finish("answer", value)

    def reject(self, error):
        """Rejects the page's promise: error is an exception (the page's
        error gets its type's name and its text) or a text (an "Error")."""
        self._finish("error", error)

    def progress(self, value):
        """Tells the page's progress listeners value (JSON); ignored once
        the reply is done."""
        if self._done:
            self._say_ignored("progress")
            return
        self._settle("progress", value)

    def on_cancel(self, callback):
        """callback(reply) runs once the call is cancelled: at once when it
        already is."""
        if self._cancelled:
            _run_cancel_callback(callback, self)
        else:
            self._cancel_callbacks.append(callback)

    def _finish(self, kind, value):
        if self._done:
            self._say_ignored("cancelled call" if self._cancelled else "second answer")
            return
        self._settle(kind, value)
        self._done = True

    def _say_ignored(self, what):
        logger.debug("ignored the %s to the page's call of %s: the reply is already done",
                     what, self._name)

    def _end(self):
        """The call was answered at once (the function returned a value or
        raised): the reply is done without a message of its own."""
        self._done = True

    def _cancel(self):
        if self._done:
            return
        self._done = self._cancelled = True
        callbacks, self._cancel_callbacks = self._cancel_callbacks, []
        for callback in callbacks:
            _run_cancel_callback(callback, self)


def _run_cancel_callback(callback, reply):
    try:
        callback(reply)
    except Exception:
        logger.exception("an on_cancel callback raised")
