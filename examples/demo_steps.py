"""The demo's checklist: steps that must all happen before a deadline."""
import sys


class Steps(object):
    def __init__(self, names, on_complete):
        self._pending = list(names)
        self._on_complete = on_complete

    @property
    def complete(self):
        return not self._pending

    @property
    def pending(self):
        return list(self._pending)

    def say(self, message):
        print("  " + message)
        sys.stdout.flush()

    def done(self, name, message):
        if name not in self._pending:
            return
        self._pending.remove(name)
        print("[%s] %s" % (name, message))
        sys.stdout.flush()
        if self.complete:
            self._on_complete()
