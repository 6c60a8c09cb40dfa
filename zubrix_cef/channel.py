"""A channel between one browser's page and Python: calls with answers,
events, page functions, console messages and readiness.

    channel = Channel()

    @channel.expose
    def rename(old, new):
        if not new:
            raise ValueError("a name cannot be empty")
        return {"old": old, "new": new}

    @channel.expose(arg_types=(str,))
    def export(path):                # answers later, with progress
        reply = channel.reply()
        job = start_export(path, on_step=reply.progress, on_done=reply.resolve)
        reply.on_cancel(lambda reply: job.stop())
        return reply

    channel.attach(browser)          # or BrowserWidget(url, channel=channel)
    channel.emit("selection", ["a", "b"])
    channel.call_page("ask_name").add_done_callback(
        lambda call: print(call.result()))

The page (with or without zubrix_cef/channel.js among its own scripts):

    (window.zubrixReady = window.zubrixReady || []).push(function (zubrix) {
      zubrix.call("rename", "a", "b").then(show, function (error) {
        // error.name: the Python exception's type, error.message: its text
      });
      var job = zubrix.call("export", "out.abc").progress(showStep);
      cancelButton.onclick = function () { job.cancel(); };
      zubrix.on("selection", function (names) { ... });
      zubrix.expose("show_status", function (text, seconds) { ... });
    });

Values travel as JSON both ways. The channel answers only pages whose URL
(its dot segments resolved) starts with one of its allowed prefixes, and
only calls that carry the secret its start-up code gave such a page.
Everything runs on the host's main thread, as the module's callbacks do;
what Python sends in one turn of the host's loop reaches the page in one
script at the turn's end.

The channel uses of a browser only RegisterStartupCode(code),
UnregisterStartupCode() and ExecuteJavascript(code), and of its registry
RegisterPyCallback(callable) and UnregisterPyCallback(id).
"""
import binascii
import hmac
import json
import logging
import os
import sys

from zubrix_cef.arguments import ArgumentCheck
from zubrix_cef.page_delivery import BATCH_VERSION, Outgoing
from zubrix_cef.page_messages import decode_page_text, javascript_string
from zubrix_cef.page_results import PageCall, PageCallTimeout, PageError
from zubrix_cef.page_urls import (normalised_prefix, url_check_code, url_guard,
                                  url_is_allowed)
from zubrix_cef.replies import Reply

DEFAULT_ALLOWED_URLS = ("client:",)
DEFAULT_PAGE_CALL_TIMEOUT = 30.0
SCRIPT_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "channel.js")

logger = logging.getLogger("zubrix_cef")

_calling = []
_AWAY_BODY = b'{"t":"away"}'
_BATCH_VERSION_ARGUMENT = (str(BATCH_VERSION).encode("ascii"),)


def current_channel():
    """The channel whose page is calling the running exposed function, or
    None outside such a call."""
    return _calling[-1].channel if _calling else None


def page_script():
    """The text of the page side, zubrix_cef/channel.js; a page may include
    a copy among its own scripts."""
    with open(SCRIPT_PATH, "rb") as script:
        return script.read().decode("utf-8")


def _json_default(value):
    if isinstance(value, bytes):
        return value.decode("utf-8")
    raise TypeError("%s is not a JSON value" % type(value).__name__)


# ASCII only, so the text holds no U+0000, U+2028 or U+2029 unescaped. One
# encoder for every value: json.dumps with options makes a new one each time.
_to_json = json.JSONEncoder(ensure_ascii=True, allow_nan=False, separators=(",", ":"),
                            default=_json_default).encode


def _shortened(url, limit=120):
    # data: URLs carry whole pages; a log line needs only their start.
    return url if len(url) <= limit else url[:limit] + u"..."


def _error_of(error):
    if isinstance(error, BaseException):
        return {"name": type(error).__name__, "message": _exception_text(error)}
    text = decode_page_text(error) if isinstance(error, bytes) else u"%s" % (error,)
    return {"name": "Error", "message": text}


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


class _PageLoad(object):
    """One load of the page, as its messages name it."""

    def __init__(self, load, url, version):
        self.load, self.url, self.version = load, url, version


class _Call(object):
    """A page call while its exposed function runs."""

    def __init__(self, channel, page, call_id, name):
        self.channel, self.page, self.id, self.name = channel, page, call_id, name
        self.reply = None


class Channel(object):
    """Python's end of a channel with the page of one browser. The module
    keeps the channel's callback, and so the channel, until close()."""

    def __init__(self, allowed_urls=DEFAULT_ALLOWED_URLS, registry=None, loop=None):
        """allowed_urls: the URL prefixes of the pages that get the channel
        (a page's location.href, its dot segments resolved, must start with
        one); registry: what registers the channel's callback, the
        _zubrix_cef module unless given (an object with RegisterPyCallback
        and UnregisterPyCallback); loop: what runs the channel's work in
        later turns of the host's loop, the host's Qt binding unless given
        (an object with call_soon(fn), call_later(seconds, fn) returning a
        handle with cancel(), and thread, the thread that runs them)."""
        if isinstance(allowed_urls, (type(u""), bytes)):
            allowed_urls = (allowed_urls,)
        self._allowed_urls = tuple(decode_page_text(url) for url in allowed_urls)
        if not self._allowed_urls or not all(self._allowed_urls):
            raise ValueError("allowed_urls needs non-empty prefixes: an empty one "
                             "would let every page in")
        self._normalised_prefixes = tuple(normalised_prefix(url) for url in self._allowed_urls)
        self._url_guard = url_guard(self._normalised_prefixes)
        self._checked_urls = {}    # url -> allowed, for the URLs pages sent lately
        self._load_urls = {}       # load -> the URL its messages last named
        if registry is None:
            import _zubrix_cef as registry
        self._registry = registry
        self._loop = loop
        # A new secret at each attach: a page the channel has forgotten
        # keeps the old one, so that nothing it still sends runs. Bytes, as
        # the page's messages carry it.
        self._secret = None
        self._old_secrets = set()
        self._callback_id = registry.RegisterPyCallback(self._on_page_message)
        self._functions = {}       # name -> (function, ArgumentCheck)
        self._browser = None
        self._author_code = None
        self._page = None          # the _PageLoad that is ready, or None
        self._last_page_load = None  # the _PageLoad of the latest message
        self._latest_load = None   # the load token of the page's latest message
        self._url = None
        self._outbox = []          # (sequence number, JSON text) not yet acknowledged
        self._next_sequence = 1
        self._outgoing = Outgoing()
        self._flush_due = False
        self._in_page_message = False
        self._replies = {}         # (load, call id) -> open Reply
        self._page_calls = {}      # sequence number -> [PageCall, load that took it, timer]
        self._ready_listeners = []
        self._console_listeners = []
        self._closed = False
        self._handlers = {"call": self._on_call, "ready": self._on_ready, "ack": self._on_ack,
                          "console": self._on_console, "cancel": self._on_cancel,
                          "result": self._on_result}

    # What Python offers the page.

    def expose(self, function=None, name=None, arg_types=None):
        """Lets the page call function under name (its __name__ when not
        given); returns function. Also a decorator: @channel.expose or
        @channel.expose(name="x", arg_types=(str, int)). The page's
        arguments arrive as positional JSON values (unicode strings,
        numbers, booleans, None, lists, dicts); the return value goes back
        as JSON, or later through a Reply (see reply()). A call with a
        number of arguments the function does not take, or (with arg_types:
        str, int, float, bool, list, dict, type(None), None for any, or a
        tuple of them, per argument) a value of another type, is rejected
        with a TypeError naming the function and the argument before the
        function runs. name may be a UTF-8 byte string."""
        if function is None:
            return lambda decorated: self.expose(decorated, name, arg_types)
        # The page's names arrive as unicode; a UTF-8 str name under
        # Python 2 would never equal one that is not ASCII.
        name = decode_page_text(name or function.__name__)
        self._functions[name] = (function, ArgumentCheck(function, name, arg_types))
        return function

    def unexpose(self, name):
        """Withdraws the function exposed under name; unknown names are
        ignored."""
        self._functions.pop(decode_page_text(name), None)

    @property
    def exposed(self):
        """The names the page may call, sorted."""
        return sorted(self._functions)

    def reply(self):
        """The Reply to the page call whose exposed function is running:
        the function returns it, and the call is answered once the reply is
        resolved or rejected. Raises RuntimeError outside such a call."""
        call = _calling[-1] if _calling else None
        if call is None or call.channel is not self:
            raise RuntimeError("reply() answers a page call of this channel: call it "
                               "in the exposed function the page called")
        if call.reply is None:
            call.reply = Reply(lambda kind, value: self._settle_reply(call, kind, value),
                               call.name)
        return call.reply

    # What Python sends the page: in order, held until the page is ready.

    def emit(self, event, *args):
        """Sends the page the event with JSON arguments; the page's
        handlers (zubrix.on(event, handler)) get them as their arguments.
        Raises TypeError or ValueError at once for a value JSON cannot
        carry."""
        self._post("event", event, args)

    def call_page(self, name, *args, **options):
        """Calls the page's function name (one the page exposed with
        zubrix.expose, else a global function) with JSON arguments, and
        returns a PageCall, settled with the function's return value (its
        promise's value, when it returns one) or a PageError: the page's
        error (a missing function is a ReferenceError, also logged as the
        page's console message), the page's end or reload before it
        answered, or PageCallTimeout after timeout seconds (keyword;
        DEFAULT_PAGE_CALL_TIMEOUT, None for no limit). The call waits, in
        order with events, until the page is ready."""
        timeout = options.pop("timeout", DEFAULT_PAGE_CALL_TIMEOUT)
        if options:
            raise TypeError("call_page() got an unexpected keyword argument %r"
                            % sorted(options)[0])
        if timeout is not None and not timeout > 0:
            raise ValueError("timeout must be a positive number of seconds or None")
        sequence = self._post("call", name, args)
        page_call = PageCall(decode_page_text(name), self._host_loop().thread)
        entry = [page_call, None, None]
        self._page_calls[sequence] = entry
        if timeout is not None:
            entry[2] = self._host_loop().call_later(timeout, lambda: self._end_page_call(
                sequence, PageCallTimeout("the page did not answer %s() within %g s"
                                          % (page_call.name, timeout))))
        return page_call

    def flush(self):
        """Sends what waits for the end of this turn of the host's loop now."""
        self._flush_due = False
        if not len(self._outgoing):
            return
        script = self._outgoing.take_script(self._url_guard)
        if script is not None and self._browser is not None:
            self._browser.ExecuteJavascript(script)

    # The browser.

    def attach(self, browser, startup_code=None):
        """Gives the channel to browser's pages: registers the browser's
        start-up code (see startup_code: the channel's with startup_code, the
        author's own, when given) and installs the channel in a page already
        shown. A channel serves one browser at a time: attaching it to
        another while attached raises RuntimeError."""
        self._check_open()
        if self._browser is not None and self._browser is not browser:
            raise RuntimeError(
                "this channel is attached to %r (showing %s) and cannot also serve %r: "
                "detach() it first, or give each browser a Channel of its own"
                % (self._browser, self._url or "no page yet", browser))
        self._forget_page("the channel was attached anew")
        self._secret = binascii.hexlify(os.urandom(16))
        self._browser = browser
        self._author_code = startup_code
        browser.RegisterStartupCode(self.startup_code(startup_code))
        browser.ExecuteJavascript(self._install_code())

    def detach(self):
        """Forgets the browser (say, because it is gone) and its page:
        nothing the page still sends runs, its open calls are cancelled
        (rejected in the page, if it is still there), page calls end with a
        PageError; later sends wait for the next attach."""
        if self._browser is not None:
            self.flush()
            self._browser.ExecuteJavascript(self._end_code("detached"))
        self._forget_page("the channel was detached from its browser")
        self._browser = None

    def startup_code(self, author_code=None):
        """The start-up code that attach registers: in allowed pages, the
        channel's page side; then author_code, run as a script of its own in
        every page, allowed or not (an error in it does not stop the
        channel); then, in allowed pages, the channel's install, which runs
        the page's ready functions; in other pages, a note of their URL."""
        parts = [self._define_code()]
        if author_code:
            parts.append(u";(function(){try{(0,eval)(%s);}catch(e){"
                         u"if(window.console)console.error('start-up code: '+e);}})();"
                         % javascript_string(decode_page_text(author_code)))
        parts.append(self._install_call())
        parts.append(self._away_report())
        return u"\n".join(parts)

    def close(self):
        """Unregisters the channel's callback, ends the channel in the page
        (its waiting calls reject), cancels its open replies, ends its page
        calls with a PageError, and leaves the browser only the author's
        start-up code. Sends made after close raise."""
        if self._closed:
            return
        self.flush()
        self._closed = True
        self._registry.UnregisterPyCallback(self._callback_id)
        browser, self._browser = self._browser, None
        self._forget_page("the channel was closed")
        self._outbox = []
        for sequence in list(self._page_calls):
            self._end_page_call(sequence, PageError("ChannelError", "the channel was closed"))
        if browser is not None:
            browser.ExecuteJavascript(self._end_code("closed"))
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
        return self._page is not None

    @property
    def url(self):
        """The URL of the page's latest load: the page that last said it
        was ready, or one outside allowed_urls that the browser went to
        since (ready is False then); None before either."""
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
        if len(args) not in (4, 5) or not all(isinstance(arg, bytes) for arg in args):
            logger.warning("refused a page message of an unknown form")
            return
        # Checked as the page's bytes; only what passes is decoded.
        secret, load, url, body = args[:4]
        version = BATCH_VERSION if args[4:] == _BATCH_VERSION_ARGUMENT else 1
        if not secret and body == _AWAY_BODY:
            self._on_away(url.decode("utf-8", "replace"))
            return
        if secret in self._old_secrets:
            logger.debug("dropped a message from %s, a page this channel has forgotten",
                         _shortened(url.decode("utf-8", "replace")))
            return
        if self._secret is None or not hmac.compare_digest(secret, self._secret):
            logger.warning("refused a page message without the channel's secret")
            return
        load = load.decode("utf-8", "replace")
        if url:
            url = url.decode("utf-8", "replace")
            if len(self._load_urls) > 16:
                self._load_urls.clear()
            self._load_urls[load] = url
        else:
            # The page names its URL when it changed since its last message.
            url = self._load_urls.get(load, u"")
        if not self._url_is_allowed(url):
            logger.warning("refused a message from %s, which is not an allowed page",
                           _shortened(url) or "a page that did not say its URL")
            return
        try:
            messages = json.loads(body.decode("utf-8", "replace"))
        except ValueError:
            messages = None
        if version == 1:
            messages = [messages]
        if not isinstance(messages, list):
            logger.warning("refused a malformed page message from %s", _shortened(url))
            return
        page = self._last_page_load
        if page is None or (page.load, page.url, page.version) != (load, url, version):
            page = self._last_page_load = _PageLoad(load, url, version)
        if load != self._latest_load:
            # A browser's pages speak in turn: the first message of a new
            # load means every earlier load has ended.
            self._latest_load = load
            self._end_load(load, "the page was loaded anew")
        # What the messages make Python send goes in one script, after them.
        self._in_page_message = True
        try:
            for message in messages:
                if self._secret != secret:
                    break  # a message before forgot the page: nothing more of it runs
                self._on_one_message(message, page)
        finally:
            self._in_page_message = False
        self.flush()

    def _url_is_allowed(self, url):
        allowed = self._checked_urls.get(url)
        if allowed is None:
            if len(self._checked_urls) > 32:
                self._checked_urls.clear()
            allowed = self._checked_urls[url] = url_is_allowed(url, self._normalised_prefixes)
        return allowed

    def _on_one_message(self, message, page):
        kind = message.get("t") if isinstance(message, dict) else None
        handler = self._handlers.get(kind)
        if kind is None:
            logger.warning("refused a malformed page message from %s", _shortened(page.url))
        elif handler is not None:
            handler(message, page)

    def _on_call(self, message, page):
        name, args = message.get("name"), message.get("args", [])
        call_id = message.get("id")
        if not isinstance(name, type(u"")) or not isinstance(args, list):
            logger.warning("refused a malformed call from %s", _shortened(page.url))
            return
        call = _Call(self, page, call_id, name)
        function, check = self._functions.get(name, (None, None))
        if function is None:
            logger.warning("the page %s called %s, which is not exposed", _shortened(page.url),
                           json.dumps(name))
            self._answer(call, error={"name": "LookupError", "message": (
                u"no Python function named %s is exposed on this channel" % json.dumps(name))})
            return
        refusal = check.refusal(args)
        if refusal is not None:
            logger.warning("refused the page's call: %s", refusal)
            self._answer(call, error={"name": "TypeError", "message": refusal})
            return
        _calling.append(call)
        answered_by_reply = False
        try:
            value = function(*args)
            if call.reply is not None and (value is call.reply or call.reply.done):
                # The reply answers, or already has.
                answered_by_reply = True
                if not call.reply.done:
                    self._replies[(page.load, call_id)] = call
            elif isinstance(value, Reply):
                raise TypeError("%s() returned the Reply of another call" % name)
            else:
                self._answer(call, value_json=_to_json(value))
        # SystemExit and KeyboardInterrupt too: the page must hear back, and
        # the host goes on after them anyway.
        except BaseException as error:
            logger.error("the exposed function %s, called by %s, raised", name,
                         _shortened(page.url), exc_info=sys.exc_info())
            if call.reply is None or not call.reply.done:
                self._answer(call, error=_error_of(error))
        finally:
            _calling.pop()
            if call.reply is not None and not answered_by_reply:
                call.reply._end()

    def _on_cancel(self, message, page):
        call = self._replies.pop((page.load, message.get("id")), None)
        if call is not None:
            call.reply._cancel()

    def _on_away(self, url):
        # Any page can send this (it needs no secret); all it can do is make
        # the channel wait for the next allowed load.
        if self._browser is None or self._url_is_allowed(url):
            return
        self._latest_load = None
        self._end_load(None, "the page was left for %s" % _shortened(url))
        self._url = url
        logger.warning("the channel's browser shows %s, which is outside the channel's "
                       "allowed URLs (%s): the page gets no channel", _shortened(url),
                       ", ".join(self._allowed_urls))

    def _on_ready(self, message, page):
        if (self._page is not None and page.load == self._page.load) or self._browser is None:
            return
        self._end_load(page.load, "the page was loaded anew")
        self._page = page
        self._url = page.url
        self._transmit(self._outbox)
        for listener in list(self._ready_listeners):
            self._notify(listener, page.url)

    def _on_ack(self, message, page):
        sequence = message.get("seq")
        if not isinstance(sequence, int):
            return
        self._outbox = [entry for entry in self._outbox if entry[0] > sequence]
        for number, entry in self._page_calls.items():
            if number <= sequence and entry[1] is None:
                entry[1] = page.load

    def _on_result(self, message, page):
        sequence = message.get("seq")
        entry = self._page_calls.get(sequence) if isinstance(sequence, int) else None
        if entry is None or entry[1] not in (None, page.load):
            return
        if message.get("ok"):
            self._end_page_call(sequence, value=message.get("value"))
        else:
            error = message.get("error")
            error = error if isinstance(error, dict) else {}
            self._end_page_call(sequence, PageError(
                decode_page_text(u"%s" % (error.get("name", u"Error"),)),
                decode_page_text(u"%s" % (error.get("message", u""),))))

    def _on_console(self, message, page):
        url = page.url
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

    # Loads that end: their replies are cancelled, their page calls fail.

    def _end_load(self, new_load, why):
        """Every load but new_load has ended."""
        if self._page is not None and self._page.load != new_load:
            self._page = None
        for key in [key for key in self._replies if key[0] != new_load]:
            self._replies.pop(key).reply._cancel()
        for sequence, entry in list(self._page_calls.items()):
            if entry[1] is not None and entry[1] != new_load:
                self._end_page_call(sequence, PageError("ChannelError", why + u" before it "
                                                        u"answered"))

    def _forget_page(self, why):
        if self._secret is not None:
            self._old_secrets.add(self._secret)
        self._secret = None
        self._latest_load = None
        # Page calls that no page took yet go to the next attach's page.
        self._end_load(None, why)
        self._url = None

    def _end_page_call(self, sequence, error=None, value=None):
        entry = self._page_calls.pop(sequence, None)
        if entry is None:
            return
        if entry[2] is not None:
            entry[2].cancel()
        if error is not None and isinstance(error, PageCallTimeout):
            # A call that timed out is not run by a page that comes later.
            self._outbox = [item for item in self._outbox if item[0] != sequence]
        entry[0]._settle(value, error)

    # What goes to the page.

    def _check_open(self):
        if self._closed:
            raise RuntimeError("the channel is closed")

    def _host_loop(self):
        if self._loop is None:
            from zubrix_cef.host_loop import host_loop
            self._loop = host_loop()
        return self._loop

    def _post(self, kind, name, args):
        self._check_open()
        sequence = self._next_sequence
        text = _to_json({"seq": sequence, "kind": kind, "name": name, "args": list(args)})
        self._next_sequence += 1
        self._outbox.append((sequence, text))
        if self.ready:
            self._transmit(self._outbox[-1:])
        return sequence

    def _transmit(self, entries):
        for _, text in entries:
            self._queue(self._page, "deliver", text)

    def _answer(self, call, value_json=None, error=None):
        if call.id is None:
            return
        head = u'{"t":"answer","id":%s,' % (call.id if type(call.id) is int else _to_json(call.id))
        if error is None:
            text = head + u'"ok":true,"value":%s}' % value_json
        else:
            text = head + u'"ok":false,"error":%s}' % _to_json(error)
        self._queue(call.page, "answer", text)

    def _settle_reply(self, call, kind, value):
        if kind == "progress":
            text = u'{"t":"progress","id":%s,"value":%s}' % (_to_json(call.id), _to_json(value))
            self._queue(call.page, "progress", text)
            return
        # JSON raises before anything is settled.
        value_json = _to_json(value) if kind == "answer" else None
        self._replies.pop((call.page.load, call.id), None)
        if kind == "answer":
            self._answer(call, value_json=value_json)
        else:
            self._answer(call, error=_error_of(value))

    def _queue(self, page, kind, text):
        if self._browser is None:
            logger.debug("no browser to take the channel's %s for %s", kind,
                         _shortened(page.url))
            return
        self._outgoing.add(page.load, page.version, kind, text)
        if not self._in_page_message and not self._flush_due:
            self._flush_due = True
            self._host_loop().call_soon(self._flush_if_due)

    def _flush_if_due(self):
        if self._flush_due:
            self.flush()

    def _end_code(self, kind):
        # The end goes to whichever allowed page is shown, by the full check.
        return u"(function(){%s\nif(window.zubrix&&window.zubrix._receive)" \
               u"window.zubrix._receive(%s);})();" % (self._url_guard,
                                                      javascript_string(_to_json({"t": kind})))

    def _define_code(self):
        return u"(function(){%s\n%s\n})();" % (self._url_guard,
                                              page_script())

    def _install_call(self):
        settings = _to_json({"secret": self._secret.decode("ascii"),
                             "callback": self._callback_id})
        return u"(function(){%s\nwindow.zubrix._install(%s);})();" % (
            self._url_guard, settings)

    def _install_code(self):
        return u"\n".join([self._define_code(), self._install_call(), self._away_report()])

    def _away_report(self):
        # Pages outside allowed_urls say which URL the browser went to,
        # without the secret, so that ready and url follow the latest load.
        return (u"(function(){%s\nif(ok)return;"
                u"if(typeof host==='object'&&host&&host.call_python_callback)"
                u"host.call_python_callback(%d,['','',String(location.href),%s]);})();"
                % (url_check_code(self._normalised_prefixes), self._callback_id,
                   javascript_string(_AWAY_BODY.decode("ascii"))))
