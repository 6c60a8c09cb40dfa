"""Named Python callbacks for pages.

    callbacks = CallbackRegistry()

    @callbacks.callback
    def greet(name):
        print(name)

    browser.RegisterStartupCode(callbacks.javascript())
    # the page: host.call_python_callback(pyCallbacks.greet, ["Ada"])

Page strings arrive as UTF-8 byte strings.
"""
import json
import re

import _zubrix_cef

_IDENTIFIER = re.compile(r"^[A-Za-z_$][A-Za-z0-9_$]*$")


class CallbackRegistry(object):
    """Callables registered with the module under names; each name maps to
    the module's id for it."""

    def __init__(self):
        self._ids = {}

    def register(self, function, name=None):
        """Registers function under name (its __name__ when not given) and
        returns its id. A name registered before is replaced."""
        name = name or function.__name__
        self.unregister(name)
        self._ids[name] = _zubrix_cef.RegisterPyCallback(function)
        return self._ids[name]

    def callback(self, function=None, name=None):
        """Decorator form of register: @callback or @callback(name="x");
        the function is returned unchanged."""
        if function is None:
            return lambda decorated: self.callback(decorated, name)
        self.register(function, name)
        return function

    def unregister(self, name):
        """Unregisters the callable under name; an unknown name is ignored."""
        if name in self._ids:
            _zubrix_cef.UnregisterPyCallback(self._ids.pop(name))

    def unregister_all(self):
        for name in list(self._ids):
            self.unregister(name)

    def __getitem__(self, name):
        return self._ids[name]

    def __contains__(self, name):
        return name in self._ids

    @property
    def ids(self):
        """A copy of the name-to-id map."""
        return dict(self._ids)

    def javascript(self, variable="pyCallbacks"):
        """A script that defines the global variable as an object mapping
        each name to its id: start-up code that tells a page the ids."""
        if not _IDENTIFIER.match(variable):
            raise ValueError("not a JavaScript identifier: %r" % variable)
        return "var %s = %s;" % (variable, json.dumps(self._ids, sort_keys=True))
