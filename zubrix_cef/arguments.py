"""Checks of a page's arguments before an exposed function runs: their
number against the function's signature, and optional JSON types per
argument."""
import inspect
import sys

_TEXT = type(u"")
_NONE = type(None)
_JSON_NAMES = ((bool, "a boolean"), (int, "a number"), (float, "a number"),
               (_TEXT, "a string"), (list, "an array"), (dict, "an object"), (_NONE, "null"))
if sys.version_info[0] < 3:
    _JSON_NAMES += ((long, "a number"),)  # noqa: F821 (Python 2 only)
    _INTEGERS = (int, long)  # noqa: F821
else:
    _INTEGERS = (int,)
# What each type a caller may name accepts of the page's values.
_ACCEPTS = {bool: lambda v: isinstance(v, bool),
            int: lambda v: isinstance(v, _INTEGERS) and not isinstance(v, bool),
            float: lambda v: isinstance(v, (float,) + _INTEGERS) and not isinstance(v, bool),
            _TEXT: lambda v: isinstance(v, _TEXT), bytes: lambda v: isinstance(v, _TEXT),
            str: lambda v: isinstance(v, _TEXT), list: lambda v: isinstance(v, list),
            tuple: lambda v: isinstance(v, list), dict: lambda v: isinstance(v, dict),
            _NONE: lambda v: v is None, None: lambda v: True}
_EXPECTED = {bool: "a boolean", int: "an integer", float: "a number", _TEXT: "a string",
             bytes: "a string", str: "a string", list: "an array", tuple: "an array",
             dict: "an object", _NONE: "null"}


class ArgumentCheck(object):
    """What a function takes from the page: the range of its positional
    argument count and their names (None where its signature is unknown),
    and the types given per argument."""

    def __init__(self, function, name, arg_types=None):
        self.name = name
        self.low, self.high, self.names = _positional_range(function)
        self.types = [_type_tuple(t) for t in arg_types] if arg_types is not None else []

    def refusal(self, args):
        """None when args fit, else the TypeError's text."""
        count = len(args)
        if self.low is not None and (count < self.low or
                                     (self.high is not None and count > self.high)):
            takes = (("%d" % self.low) if self.low == self.high else
                     ("at least %d" % self.low) if self.high is None else
                     ("%d to %d" % (self.low, self.high)))
            return "%s() takes %s argument%s (%d given)" % (
                self.name, takes, "" if takes.split()[-1] == "1" else "s", count)
        for index, (types, value) in enumerate(zip(self.types, args)):
            if not any(_ACCEPTS[t](value) for t in types):
                return "%s() argument %d%s must be %s, not %s" % (
                    self.name, index + 1, self._quoted_name(index),
                    " or ".join(sorted(set(_EXPECTED[t] for t in types))), _json_name(value))
        return None

    def _quoted_name(self, index):
        if self.names and index < len(self.names):
            return ' ("%s")' % self.names[index]
        return ""


def _type_tuple(spec):
    types = spec if isinstance(spec, tuple) else (spec,)
    for t in types:
        if t not in _ACCEPTS:
            raise TypeError("arg_types takes None, str, int, float, bool, list, dict or "
                            "type(None) (or a tuple of them) per argument, not %r" % (t,))
    return (None,) if None in types else types


def _json_name(value):
    for value_type, name in _JSON_NAMES:
        if isinstance(value, value_type):
            return name
    return type(value).__name__


def _positional_range(function):
    """(fewest, most or None, names) of positional arguments; Nones when
    the signature cannot be read (some built-in functions)."""
    if hasattr(inspect, "signature"):
        try:
            parameters = inspect.signature(function).parameters.values()
        except (TypeError, ValueError):
            return None, None, None
        positional = [p for p in parameters if p.kind in (p.POSITIONAL_ONLY,
                                                          p.POSITIONAL_OR_KEYWORD)]
        low = len([p for p in positional if p.default is p.empty])
        high = None if any(p.kind == p.VAR_POSITIONAL for p in parameters) else len(positional)
        return low, high, [p.name for p in positional]
    return _positional_range_27(function)


def _positional_range_27(function):
    target, skip = function, 0
    if inspect.isclass(target):
        target, skip = getattr(target, "__init__", None), 1
    elif not (inspect.isfunction(target) or inspect.ismethod(target)):
        target, skip = getattr(target, "__call__", None), 1
    if inspect.ismethod(target):
        skip = 1 if target.__self__ is not None else 0
        target = target.__func__
    if not inspect.isfunction(target):
        return None, None, None
    spec = inspect.getargspec(target)
    names = spec.args[skip:]
    low = len(names) - len(spec.defaults or ())
    return max(low, 0), None if spec.varargs else len(names), names
