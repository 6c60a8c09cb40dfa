"""The channel that --expose names: MODULE:NAME, MODULE a module name (found
from the current folder too) or a .py file, NAME a Channel or a factory.

A factory is called as NAME(registry=registry) and returns a Channel made
with that registry, so that the same function serves the host (no registry
given: the module's) and the preview:

    def make_channel(registry=None):
        channel = Channel(registry=registry)
        channel.expose(greet)
        return channel

A Channel named directly must have been made with the preview's registry
while its module was imported."""
import importlib
import inspect
import os
import sys

from zubrix_cef.channel import Channel


def _import(module_name):
    if module_name.endswith(".py"):
        path = os.path.abspath(module_name)
        if not os.path.isfile(path):
            raise ValueError("no such file: %s" % module_name)
        # Its own folder first, as running the file would have it.
        sys.path.insert(0, os.path.dirname(path))
        module_name = os.path.splitext(os.path.basename(path))[0]
    elif os.getcwd() not in sys.path:
        sys.path.insert(0, os.getcwd())
    return importlib.import_module(module_name)


def exposed_channel(spec, registry):
    """The Channel for spec ("module:name"), made with registry. Raises
    ValueError saying what is wrong."""
    module_name, _, name = spec.partition(":")
    if not module_name or not name:
        raise ValueError("--expose takes MODULE:NAME, not %r" % spec)
    before = registry.registration_count
    module = _import(module_name)
    target = getattr(module, name, None)
    if target is None:
        raise ValueError("%s has no %s" % (module_name, name))
    if not isinstance(target, Channel):
        if not callable(target):
            raise ValueError("%s is neither a Channel nor a factory of one" % spec)
        try:
            inspect.signature(target).bind(registry=registry)
        except (TypeError, ValueError):
            raise ValueError("the factory %s must take registry=..., to make its "
                             "Channel(registry=registry)" % spec)
        before = registry.registration_count
        target = target(registry=registry)
        if not isinstance(target, Channel):
            raise ValueError("%s returned %r, not a Channel" % (spec, target))
    if registry.registration_count == before:
        raise ValueError("%s was not made with the preview's registry: make it with "
                         "Channel(registry=registry) in a factory that takes registry"
                         % spec)
    return target
