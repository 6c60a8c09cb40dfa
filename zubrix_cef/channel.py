"""A channel between one browser's page and Python: calls with answers,
events, page functions, console messages and readiness.

    channel = Channel()

    @channel.expose
    def rename(old, new):
        if not new:
            raise ValueError("a name cannot be empty")
        return {"old": old, "new": new}

    channel.attach(browser)          # or BrowserWidget(url, channel=channel)
    channel.emit("selection", ["a", "b"])
    channel.call_page("show_status", "saved", 2.5)

The page (with or without zubrix_cef/channel.js among its own scripts):

    (window.zubrixReady = window.zubrixReady || []).push(function (zubrix) {
      zubrix.call("rename", "a", "b").then(show, function (error) {
        // error.name: the Python exception's type, error.message: its text
      });
      zubrix.on("selection", function (names) { ... });
      zubrix.expose("show_status", function (text, seconds) { ... });
    });

Values travel as JSON both ways. The channel answers only pages whose URL
starts with one of its allowed prefixes, and only calls that carry the
secret its start-up code gave such a page. Everything runs on the host's
main thread, as the module's callbacks do.
"""
import binascii
import hmac
import json
import logging
import os
import sys

from zubrix_cef.page_messages import (decode_page_text, javascript_string,
                                      url_is_allowed, url_guard)

DEFAULT_ALLOWED_URLS = ("client:",)
SCRIPT_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "channel.js")

logger = logging.getLogger("zubrix_cef")

_calling = []


def current_channel():
    """The channel whose page is calling the running exposed function, or
    None outside such a call."""
    return _calling[-1] if _calling else None


def page_script():
    """The text of the page side, zubrix_cef/channel.js; a page may include
    a copy among its own scripts."""
    with open(SCRIPT_PATH, "rb") as script:
        return script.read().decode("utf-8")


def _to_json(value):
    # ASCII only, so the text holds no U+0000, U+2028 or U+2029 unescaped.
    return json.dumps(value, ensure_ascii=True, allow_nan=False, separators=(",", ":"),
                      default=_json_default)


def _json_default(value):
    if isinstance(value, bytes):
        return value.decode("utf-8")
    raise TypeError("%s is not a JSON value" % type(value).__name__)


def _shortened(url, limit=120):
    # data: URLs carry whole pages; a log line needs only their start.
    return url if len(url) <= limit else url[:limit] + u"..."


def _exception_text(error):
    try:
        text = u"%s" % (error,)
    except UnicodeError:
        text = str(error).decode("utf-8", "replace")
    return text


class ConsoleMessage(object):
    """A console message or an uncaught error of the page. level: "log",
    "info", "warn", "error" or "debug" (uncaught errors are "error" and
    start with "Uncaught"); text; source and line where the page gave them;
    url of the page."""

    def __init__(self, level, text, source, line, url):
        self.level = level
        self.text = text
        self.source = source
        self.line = line
        self.url = url

    def __repr__(self):
        return "ConsoleMessage(%r, %r)" % (self.level, self.text)


class Channel(object):
    """Python's end of a channel with the page of one browser. The module
    keeps the channel's callback, and so the channel, until close()."""

    def __init__(self, allowed_urls=DEFAULT_ALLOWED_URLS, registry=None):
        """allowed_urls: the URL prefixes of the pages that get the channel
        (a page's location.href must start with one); registry: what
        registers the channel's callback, the _zubrix_cef module unless
        given (an object with RegisterPyCallback and UnregisterPyCallback)."""
        if isinstance(allowed_urls, (type(u""), bytes)):
            allowed_urls = (allowed_urls,)
        self._allowed_urls = tuple(decode_page_text(url) for url in allowed_urls)
        if not self._allowed_urls or not all(self._allowed_urls):
            raise ValueError("allowed_urls needs non-empty prefixes: an empty one "
                             "would let every page in")
        if registry is None:
            import _zubrix_cef as registry
        self._registry = registry
        self._secret = binascii.hexlify(os.urandom(16)).decode("ascii")
        self._callback_id = registry.RegisterPyCallback(self._on_page_message)
        self._functions = {}
        self._browser = None
        self._author_code = None
        self._load = None
        self._url = None
        self._outbox = []          # (sequence number, JSON text) not yet acknowledged
        self._next_sequence = 1
        self._ready_listeners = []
        self._console_listeners = []
        self._closed = False

    # What Python offers the page.

    def expose(self, function=None, name=None):
        """Lets the page call function under name (its __name__ when not
        given); returns function. Also a decorator: @channel.expose or
        @channel.expose(name="x"). The page's arguments arrive as positional
        JSON values (unicode strings, numbers, booleans, None, lists,
        dicts); the return value goes back as JSON. name may be a UTF-8
        byte string."""
        if function is None:
            return lambda decorated: self.expose(decorated, name)
        # The page's names arrive as unicode; a UTF-8 str name under
        # Python 2 would never equal one that is not ASCII.
        self._functions[decode_page_text(name or function.__name__)] = function
        return function

    def unexpose(self, name):
        """Withdraws the function exposed under name; unknown names are
        ignored."""
        self._functions.pop(decode_page_text(name), None)

    @property
    def exposed(self):
        """The names the page may call, sorted."""
        return sorted(self._functions)

    # What Python sends the page: in order, held until the page is ready.

    def emit(self, event, *args):
        """Sends the page the event with JSON arguments; the page's
        handlers (zubrix.on(event, handler)) get them as their arguments.
        Raises TypeError or ValueError at once for a value JSON cannot
        carry."""
        self._post("event", event, args)

    def call_page(self, name, *args):
        """Calls the page's function name (one the page exposed with
        zubrix.expose, else a global function) with JSON arguments. An
        error in the page, or a missing function, reaches Python as a
        console message."""
        self._post("call", name, args)

    # The browser.

    def attach(self, browser, startup_code=None):
        """Gives the channel to browser's pages: registers the browser's
        start-up code (see startup_code: the channel's with startup_code, the
        author's own, when given) and installs the channel in a page already
        shown."""
        self._check_open()
        self._browser = browser
        self._author_code = startup_code
        self._load = None
        browser.RegisterStartupCode(self.startup_code(startup_code))
        browser.ExecuteJavascript(self._install_code())

    def detach(self):
        """Forgets the browser (say, because it is gone); later sends wait
        for the next attach."""
        self._browser = None
        self._load = None

    def startup_code(self, author_code=None):
        """The start-up code that attach registers: in allowed pages, the
        channel's page side; then author_code, run as a script of its own in
        every page, allowed or not (an error in it does not stop the
        channel); then, in allowed pages, the channel's install, which runs
        the page's ready functions."""
        parts = [self._define_code()]
        if author_code:
            parts.append(u";(function(){try{(0,eval)(%s);}catch(e){"
                         u"if(window.console)console.error('start-up code: '+e);}})();"
                         % javascript_string(decode_page_text(author_code)))
        parts.append(self._install_call())
        return u"\n".join(parts)

    def close(self):
        """Unregisters the channel's callback, ends the channel in the page
        (its waiting calls reject), and leaves the browser only the
        author's start-up code. Sends made after close raise."""
        if self._closed:
            return
        self._closed = True
        self._registry.UnregisterPyCallback(self._callback_id)
        browser, self._browser = self._browser, None
        self._load = None
        self._outbox = []
        if browser is not None:
            browser.ExecuteJavascript(self._deliver_code(_to_json({"t": "closed"})))
            if self._author_code:
                browser.RegisterStartupCode(self._author_code)
            else:
                browser.UnregisterStartupCode()

    # State and listeners.

    @property
    def browser(self):
        return self._browser

    @property
    def ready(self):
        """True once the page's latest load has the channel and has run its
        ready functions (zubrixReady)."""
        return self._load is not None

    @property
    def url(self):
        """The URL of the page that last said it was ready, or None."""
        return self._url

    @property
    def closed(self):
        return self._closed

    @property
    def allowed_urls(self):
        return self._allowed_urls

    def add_ready_listener(self, listener):
        """listener(url) runs each time a page load becomes ready."""
        self._ready_listeners.append(listener)

    def remove_ready_listener(self, listener):
        self._ready_listeners.remove(listener)

    def add_console_listener(self, listener):
        """listener(message) runs for each ConsoleMessage of the page, after
        it was logged on the "zubrix_cef" logger."""
        self._console_listeners.append(listener)

    def remove_console_listener(self, listener):
        self._console_listeners.remove(listener)

    # The page's messages.

    def _on_page_message(self, *args):
        if len(args) != 4 or not all(isinstance(arg, bytes) for arg in args):
            logger.warning("refused a page message of an unknown form")
            return
        secret, load, url, body = [decode_page_text(arg) for arg in args]
        if not hmac.compare_digest(secret.encode("utf-8"), self._secret.encode("ascii")):
            logger.warning("refused a page message without the channel's secret")
            return
        if not url_is_allowed(url, self._allowed_urls):
            logger.warning("refused a message from %s, which is not an allowed page",
                           _shortened(url))
            return
        try:
            message = json.loads(body)
            kind = message["t"]
        except (ValueError, TypeError, KeyError):
            logger.warning("refused a malformed page message from %s", _shortened(url))
            return
        handler = {"call": self._on_call, "ready": self._on_ready, "ack": self._on_ack,
                   "console": self._on_console}.get(kind)
        if handler is not None:
            handler(message, load, url)

    def _on_call(self, message, load, url):
        name, args = message.get("name"), message.get("args", [])
        if not isinstance(name, type(u"")) or not isinstance(args, list):
            logger.warning("refused a malformed call from %s", _shortened(url))
            return
        function = self._functions.get(name)
        if function is None:
            logger.warning("the page %s called %s, which is not exposed", _shortened(url),
                           json.dumps(name))
            self._answer(load, message.get("id"), error=(
                "LookupError", u"no Python function named %s is exposed on this channel"
                % json.dumps(name)))
            return
        _calling.append(self)
        try:
            value = _to_json(function(*args))
        except Exception as error:
            logger.error("the exposed function %s, called by %s, raised", name, _shortened(url),
                         exc_info=sys.exc_info())
            self._answer(load, message.get("id"), error=(type(error).__name__,
                                                         _exception_text(error)))
        else:
            self._answer(load, message.get("id"), value_json=value)
        finally:
            _calling.pop()

    def _on_ready(self, message, load, url):
        if load == self._load or self._browser is None:
            return
        self._load = load
        self._url = url
        self._transmit(self._outbox)
        for listener in list(self._ready_listeners):
            self._notify(listener, url)

    def _on_ack(self, message, load, url):
        sequence = message.get("seq")
        if not isinstance(sequence, int):
            return
        self._outbox = [entry for entry in self._outbox if entry[0] > sequence]

    def _on_console(self, message, load, url):
        console = ConsoleMessage(message.get("level", "log"), message.get("text", u""),
                                 message.get("source", u""), message.get("line", 0), url)
        # Not logged here: the module logs every console line of the page
        # itself (logger "zubrix_cef.page"), this one among them.
        for listener in list(self._console_listeners):
            self._notify(listener, console)

    @staticmethod
    def _notify(listener, value):
        try:
            listener(value)
        except Exception:
            logger.exception("a channel listener raised")

    # What goes to the page.

    def _check_open(self):
        if self._closed:
            raise RuntimeError("the channel is closed")

    def _post(self, kind, name, args):
        self._check_open()
        sequence = self._next_sequence
        text = _to_json({"seq": sequence, "kind": kind, "name": name, "args": list(args)})
        self._next_sequence += 1
        self._outbox.append((sequence, text))
        if self.ready:
            self._transmit(self._outbox[-1:])

    def _transmit(self, entries):
        if not entries:
            return
        body = u'{"t":"deliver","load":%s,"messages":[%s]}' % (
            _to_json(self._load), u",".join(text for _, text in entries))
        self._browser.ExecuteJavascript(self._deliver_code(body))

    def _answer(self, load, call_id, value_json=None, error=None):
        if self._browser is None:
            logger.warning("no browser to answer the page's call %r", call_id)
            return
        head = u'{"t":"answer","load":%s,"id":%s,' % (_to_json(load), _to_json(call_id))
        if error is None:
            body = head + u'"ok":true,"value":%s}' % value_json
        else:
            body = head + u'"ok":false,"error":%s}' % _to_json(
                {"name": error[0], "message": error[1]})
        self._browser.ExecuteJavascript(self._deliver_code(body))

    def _deliver_code(self, body):
        return u"(function(){%s\nif(window.zubrix&&window.zubrix._receive)" \
               u"window.zubrix._receive(%s);})();" % (url_guard(self._allowed_urls),
                                                      javascript_string(body))

    def _define_code(self):
        return u"(function(){%s\n%s\n})();" % (url_guard(self._allowed_urls), page_script())

    def _install_call(self):
        settings = _to_json({"secret": self._secret, "callback": self._callback_id})
        return u"(function(){%s\nwindow.zubrix._install(%s);})();" % (
            url_guard(self._allowed_urls), settings)

    def _install_code(self):
        return self._define_code() + u"\n" + self._install_call()
