"""The preview's callback registry: what the module's RegisterPyCallback and
UnregisterPyCallback do, for pages shown by the preview. A Channel given it
as its registry works in the preview as it does in the host.

Page calls arrive as the host's do: on the main thread, through Qt's event
loop, one call of the registered callable per page call, with strings as
UTF-8 byte strings (cut at the first U+0000), 32-bit integers, booleans and
nested arrays as tuples; a value that does not travel leaves None where a
later value follows it. What the callable raises is printed with its
traceback, and the preview goes on.
"""
import json
import sys
import traceback

_MOST_IDS = 1 << 32


def _text_bytes(text):
    # Lone surrogates become U+FFFD, as the module's UTF-16 to UTF-8
    # conversion makes them; the text ends at its first U+0000.
    text = text.encode("utf-16-le", "surrogatepass").decode("utf-16-le", "replace")
    return text.split(u"\u0000", 1)[0].encode("utf-8")


def python_value(value):
    """A page's value, as the page's side of the preview kept it (a JSON
    value), as the module hands it to Python."""
    if isinstance(value, bool) or value is None:
        return value
    if isinstance(value, int):
        return value
    if isinstance(value, list):
        return tuple(python_value(item) for item in value)
    if isinstance(value, type(u"")):
        return _text_bytes(value)
    return None


class PreviewRegistry(object):
    """Callables under ids 0, 1, 2, ..., never reused."""

    def __init__(self):
        self._callables = {}
        self._next_id = 0

    def RegisterPyCallback(self, function):
        callback_id = self._next_id
        self._next_id += 1
        self._callables[callback_id] = function
        return callback_id

    def UnregisterPyCallback(self, callback_id):
        if isinstance(callback_id, bool) or not isinstance(callback_id, int) \
                or not 0 <= callback_id < _MOST_IDS:
            raise TypeError("a callback id is an unsigned 32-bit integer, not %r"
                            % (callback_id,))
        self._callables.pop(callback_id, None)

    @property
    def registration_count(self):
        """How many registrations were made so far."""
        return self._next_id

    def dispatch(self, callback_id, arguments_json):
        """A page's call: the callable under callback_id, if any, with the
        page's arguments (a JSON array, as the page's side sends it)."""
        function = self._callables.get(callback_id)
        try:
            arguments = json.loads(arguments_json)
        except ValueError:
            return
        if not callable(function) or not isinstance(arguments, list):
            return
        try:
            function(*python_value(arguments))
        except BaseException:  # noqa: B902 - the host goes on after SystemExit too
            traceback.print_exc(file=sys.stderr)


_shared = []


def shared_registry():
    """The one registry of this process: as in the host, every preview page
    reaches every callable registered."""
    if not _shared:
        _shared.append(PreviewRegistry())
    return _shared[0]
