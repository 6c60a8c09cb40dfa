# -*- coding: utf-8 -*-
"""The channel's Python end without a browser: a fake browser records the
code Python runs in the page, and the test speaks for the page as its
script would. Runs under pytest and as a plain script, on Python 2.7 and 3:
python tests/python/test_channel_messages.py; tests/py27/test_channel.py runs
these tests in the Python 2.7 host too."""
from __future__ import unicode_literals

import json
import logging
import os
import re
import sys
import threading

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))

from zubrix_cef.channel import Channel, current_channel  # noqa: E402

PAGE_URL = "client://plovex//tools/panel.plovex/index.html"


class FakeRegistry(object):
    def __init__(self):
        self.callables = {}
        self.next_id = 0

    def RegisterPyCallback(self, function):
        self.callables[self.next_id] = function
        self.next_id += 1
        return self.next_id - 1

    def UnregisterPyCallback(self, callback_id):
        self.callables.pop(callback_id, None)


class FakeBrowser(object):
    def __init__(self):
        self.executed = []
        self.startup_code = None

    def RegisterStartupCode(self, code):
        self.startup_code = code

    def UnregisterStartupCode(self):
        self.startup_code = None

    def ExecuteJavascript(self, code):
        self.executed.append(code)


class FakeLoop(object):
    """Runs what the channel asks for soon at once, and keeps its timers
    for the test to fire."""

    def __init__(self):
        self.thread = threading.current_thread()
        self.timers = []

    def call_soon(self, callback):
        callback()

    def call_later(self, seconds, callback):
        timer = FakeTimer(seconds, callback)
        self.timers.append(timer)
        return timer


class FakeTimer(object):
    def __init__(self, seconds, callback):
        self.seconds, self.callback, self.cancelled = seconds, callback, False

    def cancel(self):
        self.cancelled = True

    def fire(self):
        if not self.cancelled:
            self.callback()


class FakePage(object):
    """Speaks for the page as channel.js does: UTF-8 byte strings, the
    messages of one turn in one batch."""

    def __init__(self, channel, registry, url=PAGE_URL, load="load-1"):
        settings = re.search(r"window\.zubrix\._install\((\{.*?\})\);", channel.startup_code())
        self.settings = json.loads(settings.group(1))
        self.callback = registry.callables[self.settings["callback"]]
        self.url, self.load = url, load

    def send_batch(self, messages, secret=None):
        args = [secret if secret is not None else self.settings["secret"], self.load, self.url,
                json.dumps(messages), "2"]
        self.callback(*[arg.encode("utf-8") for arg in args])

    def send(self, message, secret=None):
        self.send_batch([message], secret)

    def call(self, call_id, name, *args):
        self.send({"t": "call", "id": call_id, "name": name, "args": list(args)})


RECEIVE = re.compile(r'(?:\br|\._receive)\(("(?:[^"\\]|\\.)*")\);')


def scripts_received(browser):
    """Per script Python ran in the page, what it handed the page's
    zubrix._receive, decoded."""
    return [[json.loads(json.loads(text)) for text in RECEIVE.findall(code)]
            for code in browser.executed]


def received(browser):
    """What Python handed the page, one message per answer or progress
    report, and the events and page calls of a script together."""
    messages = []
    for script in scripts_received(browser):
        for message in script:
            if message["t"] != "batch":
                messages.append(message)
                continue
            delivered = [item for item in message["m"] if "seq" in item]
            for item in message["m"]:
                if "seq" not in item:
                    messages.append(dict(item, load=message["load"]))
            if delivered:
                messages.append({"t": "deliver", "load": message["load"],
                                 "messages": delivered})
    return messages


def make_channel(**options):
    registry, browser = FakeRegistry(), FakeBrowser()
    channel = Channel(registry=registry, loop=FakeLoop(), **options)
    channel.attach(browser)
    return channel, registry, browser, FakePage(channel, registry)


def raises(error_type, function, *args):
    try:
        function(*args)
    except error_type:
        return True
    return False


def test_calls_are_answered_with_json_values_and_errors():
    channel, registry, browser, page = make_channel()

    @channel.expose
    def echo(*args):
        return {"args": args, "channel": current_channel() is channel}

    @channel.expose(name="fails")
    def failing(text):
        raise KeyError(text)

    channel.expose(lambda: float("nan"), "not_json")
    text = "a\u0000b \u00e9 \u2028\u2029 </script> 😀"
    page.call(1, "echo", 1.5, {"k": [None, True]}, None, text)
    page.call(2, "fails", "é")
    page.call(3, "missing")
    page.call(4, "echo", "extra", "arguments")
    page.call(5, "not_json")
    answers = received(browser)
    assert [a["id"] for a in answers] == [1, 2, 3, 4, 5]
    assert all(a["load"] == "load-1" for a in answers)
    assert answers[0]["value"] == {"args": [1.5, {"k": [None, True]}, None, text],
                                   "channel": True}
    assert answers[1]["ok"] is False
    # A KeyError's text is its key's repr, which Python 2 writes as u'\xe9'.
    assert answers[1]["error"] == {"name": "KeyError", "message": "'é'" if sys.version_info[0] > 2
                                   else "u'\\xe9'"}
    assert answers[2]["error"]["name"] == "LookupError"
    assert '"missing"' in answers[2]["error"]["message"]
    assert answers[4]["error"]["name"] == "ValueError"
    assert current_channel() is None
    # Pure ASCII: no raw U+0000, U+2028 or U+2029, and no "</" in the code.
    for code in browser.executed[1:]:
        assert all(ord(c) < 128 for c in code) and "</" not in code


def test_a_raising_function_is_logged_with_its_traceback():
    channel, registry, browser, page = make_channel()
    records = []
    handler = logging.Handler()
    handler.emit = records.append
    logging.getLogger("zubrix_cef").addHandler(handler)
    try:
        channel.expose(lambda: 1 // 0, "divide")
        page.call(1, "divide")
    finally:
        logging.getLogger("zubrix_cef").removeHandler(handler)
    assert [r.levelno for r in records] == [logging.ERROR]
    assert records[0].exc_info[0] is ZeroDivisionError


def test_pages_without_the_secret_or_an_allowed_url_are_refused():
    channel, registry, browser, page = make_channel(
        allowed_urls=["client://plovex//tools/panel.plovex/"])
    calls = []
    channel.expose(lambda: calls.append(1), "touch")
    page.call(1, "touch")
    page.send({"t": "call", "id": 2, "name": "touch", "args": []}, secret="0" * 32)
    for url in ["data:text/html,x", "client://internal/help.html",
                "client://plovex//tools/panel.plovex.evil/index.html"]:
        FakePage(channel, registry, url=url).call(3, "touch")
    page.send({"t": "call", "id": 4, "name": "touch", "args": {"spread": "me"}})
    page.send({"t": "call", "id": 5, "name": ["touch"], "args": []})
    page.send({"t": "ack", "seq": "all"})
    registry.callables[page.settings["callback"]](b"no", b"secret")
    registry.callables[page.settings["callback"]]("text", "not", "bytes", "{}")
    assert calls == [1]
    assert len(received(browser)) == 1
    # A page names its URL once per load, and again when it changes.
    FakePage(channel, registry, url="", load="never-named").call(6, "touch")
    FakePage(channel, registry, url="", load="load-1").call(7, "touch")
    FakePage(channel, registry, url="data:text/html,x", load="load-1").call(8, "touch")
    FakePage(channel, registry, url="", load="load-1").call(9, "touch")
    assert calls == [1, 1]


def test_sends_wait_for_the_ready_page_and_go_in_order_once():
    registry, browser = FakeRegistry(), FakeBrowser()
    channel = Channel(registry=registry, loop=FakeLoop())
    channel.emit("early", 1)
    ready_urls = []
    channel.add_ready_listener(ready_urls.append)
    channel.attach(browser)
    page = FakePage(channel, registry)
    channel.call_page("show", "x", 2.5)
    assert received(browser) == [] and not channel.ready
    page.send({"t": "ready"})
    channel.emit("later", {"n": None})
    batches = received(browser)
    assert [[(m["seq"], m["kind"], m["name"], m["args"]) for m in b["messages"]]
            for b in batches] == [[(1, "event", "early", [1]), (2, "call", "show", ["x", 2.5])],
                                  [(3, "event", "later", [{"n": None}])]]
    assert ready_urls == [PAGE_URL] and channel.url == PAGE_URL

    # The page handled the first two; a reload loses the third, which goes
    # again, alone, to the new load once that is ready.
    page.send({"t": "ack", "seq": 2})
    page.send({"t": "ready"})
    reloaded = FakePage(channel, registry, load="load-2")
    reloaded.send({"t": "ready"})
    batches = received(browser)
    assert len(batches) == 3
    assert batches[-1]["load"] == "load-2"
    assert [m["seq"] for m in batches[-1]["messages"]] == [3]
    assert ready_urls == [PAGE_URL, PAGE_URL]


def test_values_json_cannot_carry_are_refused_when_sent():
    channel, registry, browser, page = make_channel()
    assert raises(TypeError, channel.emit, "e", object())
    assert raises(ValueError, channel.call_page, "f", float("inf"))
    page.send({"t": "ready"})
    channel.emit("bytes", b"caf\xc3\xa9")
    assert received(browser)[-1]["messages"] == [
        {"seq": 1, "kind": "event", "name": "bytes", "args": ["café"]}]


def test_console_messages_are_handed_to_listeners_and_left_to_the_module_to_log():
    channel, registry, browser, page = make_channel()
    messages, records = [], []
    channel.add_console_listener(messages.append)
    handler = logging.Handler()
    handler.emit = records.append
    logging.getLogger("zubrix_cef").addHandler(handler)
    try:
        page.send({"t": "console", "level": "warn", "text": "careful", "source": "a.js",
                   "line": 3})
        page.send({"t": "console", "level": "error", "text": "Uncaught Error: x"})
    finally:
        logging.getLogger("zubrix_cef").removeHandler(handler)
    assert [(m.level, m.text, m.source, m.line, m.url) for m in messages] == [
        ("warn", "careful", "a.js", 3, PAGE_URL), ("error", "Uncaught Error: x", "", 0, PAGE_URL)]
    assert records == []


def test_start_up_code_runs_the_authors_code_before_the_channel_is_installed():
    channel, registry, browser, page = make_channel()
    channel.attach(browser, "var ids = {\"a\": 1}; // </script>")
    code = browser.startup_code
    # The page side, the author's code, then the install that runs the
    # page's ready functions, which may so rely on the author's code.
    assert code.index("window.zubrixReady") < code.index("(0,eval)(") < code.index(
        "window.zubrix._install(")
    literal = re.search(r"\(0,eval\)\((\".*?\")\);", code).group(1)
    assert json.loads(literal) == "var ids = {\"a\": 1}; // </script>"
    # Only pages whose URL passes the character-by-character check get the
    # page side and the install.
    for part in code.split("\n;(function(){try{(0,eval)"):
        assert part.count('if(!ok)return;') == 1 and '["client:"]' in part


def test_close_unregisters_and_ends_the_page_side():
    channel, registry, browser, page = make_channel()
    channel.attach(browser, "var mine = 1;")
    channel.close()
    channel.close()
    assert registry.callables == {}
    assert browser.startup_code == "var mine = 1;"
    assert received(browser)[-1] == {"t": "closed"}
    assert raises(RuntimeError, channel.emit, "e")
    assert raises(RuntimeError, channel.attach, browser)
    other = Channel(registry=registry, loop=FakeLoop())
    other.attach(browser)
    other.close()
    assert browser.startup_code is None
    assert raises(ValueError, Channel, [""], registry)


class LogRecords(object):
    """Collects the records of the "zubrix_cef" logger, DEBUG included,
    inside a with block."""

    def __enter__(self):
        self.records = []
        self.handler = logging.Handler()
        self.handler.emit = self.records.append
        self.logger = logging.getLogger("zubrix_cef")
        self.level = self.logger.level
        self.logger.addHandler(self.handler)
        self.logger.setLevel(logging.DEBUG)
        return self.records

    def __exit__(self, *error):
        self.logger.removeHandler(self.handler)
        self.logger.setLevel(self.level)


def test_dot_segments_cannot_take_a_page_outside_the_allowed_prefixes():
    from zubrix_cef.page_urls import normalised_url
    channel, registry, browser, page = make_channel(allowed_urls=["client://internal/panel/"])
    calls = []
    channel.expose(lambda: calls.append(1), "touch")
    refused = ["client://internal/panel/../docs/evil.html",
               "client://internal/panel/./../docs/evil.html",
               "client://internal/panel//../docs/evil.html",
               "client://internal/panel/a/../../docs/evil.html",
               "client://internal/panel\\..\\docs\\evil.html",
               "client://internal/panel/.../evil.html",
               "client://internal/panel/.. /evil.html"]
    allowed = ["client://internal/panel/index.html",
               "client://internal/panel/sub/../index.html?next=/../../x",
               "client://internal/panel/./index.html#/../..",
               "client://internal/panel/%2e%2e/served-as-named.html"]
    for url in refused + allowed:
        FakePage(channel, registry, url=url).call(1, "touch")
    assert len(calls) == len(allowed)
    assert normalised_url("client://internal/panel/sub/../index.html?next=/../../x") == (
        "client://internal/panel/index.html?next=/../../x")
    assert normalised_url("client://../x") == "client://x"
    assert normalised_url("no scheme") is None


def test_a_forgotten_page_runs_nothing_and_a_second_browser_is_refused():
    channel, registry, browser, page = make_channel()
    calls = []
    channel.expose(lambda: calls.append(1), "touch")
    channel.add_console_listener(calls.append)
    other = FakeBrowser()
    try:
        channel.attach(other)
    except RuntimeError as error:
        assert repr(browser) in str(error) and repr(other) in str(error)
    else:
        raise AssertionError("a second browser was taken")
    channel.detach()
    with LogRecords() as records:
        page.call(1, "touch")
        page.send({"t": "console", "level": "log", "text": "late"})
        page.send({"t": "ready"})
        # Attached again (here to the other browser): the old page's secret
        # still opens nothing.
        channel.attach(other)
        page.call(2, "touch")
    assert calls == [] and not channel.ready
    assert [r.levelno for r in records] == [logging.DEBUG] * 4
    FakePage(channel, registry).call(3, "touch")
    assert calls == [1]


def test_ready_and_url_follow_a_load_outside_the_allowed_urls():
    channel, registry, browser, page = make_channel(allowed_urls=["client://internal/panel/"])
    page.url = "client://internal/panel/index.html"
    page.send({"t": "ready"})
    assert channel.ready and channel.url == page.url
    away = "client://internal/panel/../docs/evil.html"
    callback = registry.callables[page.settings["callback"]]
    with LogRecords() as records:
        # Only a disallowed URL counts, and the report needs no secret.
        callback(b"", b"", page.url.encode(), b'{"t":"away"}')
        assert channel.ready
        callback(b"", b"", away.encode(), b'{"t":"away"}')
    assert not channel.ready and channel.url == away
    assert [r.levelno for r in records] == [logging.WARNING]
    assert away in records[0].getMessage() and "client://internal/panel/" in records[0].getMessage()
    # What Python sends meanwhile waits for the next allowed load.
    channel.emit("held")
    assert received(browser) == []
    FakePage(channel, registry, url=page.url, load="load-2").send({"t": "ready"})
    assert channel.ready and received(browser)[-1]["messages"][0]["name"] == "held"
    # The report runs in every page the start-up code reaches.
    assert '{\\"t\\":\\"away\\"}' in browser.startup_code


def test_system_exit_and_keyboard_interrupt_reject_the_call():
    channel, registry, browser, page = make_channel()

    def leave():
        raise SystemExit(3)

    def interrupt():
        raise KeyboardInterrupt()
    channel.expose(leave)
    channel.expose(interrupt)
    with LogRecords():
        page.call(1, "leave")
        page.call(2, "interrupt")
    assert [(a["id"], a["ok"], a["error"]["name"]) for a in received(browser)] == [
        (1, False, "SystemExit"), (2, False, "KeyboardInterrupt")]


def answers_of(browser):
    return [m for m in received(browser) if m["t"] in ("answer", "progress")]


def test_a_reply_answers_later_once_with_progress_before():
    channel, registry, browser, page = make_channel()
    replies = {}

    @channel.expose
    def export(path):
        replies[path] = channel.reply()
        assert channel.reply() is replies[path]
        return replies[path]

    @channel.expose
    def at_once():
        # Settled inside, and then a value returned: one answer only.
        channel.reply().resolve("from the reply")
        return "from the return"

    @channel.expose
    def ignores_its_reply():
        channel.reply()
        return "returned"
    page.call(1, "export", "a.abc")
    page.call(2, "export", "b.abc")
    assert answers_of(browser) == [] and not replies["a.abc"].done
    replies["a.abc"].progress({"done": 0.5})
    assert raises(ValueError, replies["a.abc"].resolve, float("nan"))
    replies["a.abc"].resolve("a written")
    replies["b.abc"].reject(IOError("disk full"))
    with LogRecords() as records:
        replies["a.abc"].resolve("again")
        replies["a.abc"].progress(1.0)
        replies["b.abc"].reject("caf\u00e9".encode("utf-8"))
    assert [r.levelno for r in records] == [logging.DEBUG] * 3
    page.call(3, "at_once")
    page.call(4, "ignores_its_reply")
    page.call(5, "export", "c.abc")
    replies["c.abc"].reject("caf\u00e9 is full".encode("utf-8"))
    assert [(m["t"], m["id"], m.get("value"), m.get("error")) for m in answers_of(browser)] == [
        ("progress", 1, {"done": 0.5}, None), ("answer", 1, "a written", None),
        ("answer", 2, None, {"name": type(IOError()).__name__, "message": "disk full"}),
        ("answer", 3, "from the reply", None), ("answer", 4, "returned", None),
        ("answer", 5, None, {"name": "Error", "message": "caf\u00e9 is full"})]
    assert raises(RuntimeError, channel.reply)


def test_cancel_reload_detach_and_close_cancel_open_replies():
    channel, registry, browser, page = make_channel()
    replies, cancelled = [], []

    @channel.expose
    def job():
        reply = channel.reply()
        reply.on_cancel(lambda r: cancelled.append(replies.index(r)))
        replies.append(reply)
        return reply
    page.send({"t": "ready"})
    page.call(1, "job")
    page.call(2, "job")
    page.send({"t": "cancel", "id": 1})
    page.send({"t": "cancel", "id": 99})
    assert cancelled == [0] and replies[0].cancelled and not replies[1].done
    # A later load of the page: its first message ends the first load's
    # open calls, ready functions or not.
    reloaded = FakePage(channel, registry, load="load-2")
    reloaded.send({"t": "loaded"})
    assert cancelled == [0, 1] and not channel.ready
    reloaded.call(1, "job")
    reloaded.send({"t": "ready"})
    assert cancelled == [0, 1] and not replies[2].done
    channel.detach()
    assert cancelled == [0, 1, 2]
    late = []
    replies[2].on_cancel(late.append)
    assert late == [replies[2]]
    channel.attach(browser)
    page = FakePage(channel, registry)
    page.call(5, "job")
    channel.close()
    assert cancelled == [0, 1, 2, 3]
    assert [m["id"] for m in answers_of(browser)] == []


def settle_page_call(page, sequence, **result):
    page.send_batch([{"t": "ack", "seq": sequence}, dict(result, t="result", seq=sequence)])


def test_page_call_results_errors_and_timeouts():
    from zubrix_cef.page_results import PageCallTimeout, PageError
    channel, registry, browser, page = make_channel()
    page.send({"t": "ready"})
    done = []
    value_call = channel.call_page("give", 1)
    value_call.add_done_callback(done.append)
    error_call = channel.call_page("throw")
    lost_call = channel.call_page("slow")
    timed_call = channel.call_page("never", timeout=2.5)
    untimed = channel.call_page("whenever", timeout=None)
    assert [t.seconds for t in channel._loop.timers] == [30.0, 30.0, 30.0, 2.5]
    # Not done yet: on the host's thread result() cannot wait, so it says so.
    assert raises(PageCallTimeout, value_call.result) and done == []
    settle_page_call(page, 1, ok=True, value={"v": [1]})
    settle_page_call(page, 2, ok=False, error={"name": "TypeError", "message": "bad"})
    assert done == [value_call] and value_call.result() == {"v": [1]}
    assert channel._loop.timers[0].cancelled
    error = error_call.exception()
    assert isinstance(error, PageError) and (error.name, error.message) == ("TypeError", "bad")
    channel._loop.timers[3].fire()
    assert isinstance(timed_call.exception(), PageCallTimeout)
    # Taken by the page, then the page was loaded anew: it ends; a call the
    # page never took goes to the new load.
    page.send({"t": "ack", "seq": 3})
    pending = channel.call_page("later")
    FakePage(channel, registry, load="load-2").send({"t": "ready"})
    assert lost_call.exception().name == "ChannelError" and not pending.done()
    assert [m["seq"] for m in received(browser)[-1]["messages"]] == [5, 6]
    channel.close()
    assert untimed.exception().name == "ChannelError" and pending.exception() is not None
    assert raises(TypeError, lambda: channel.call_page("f", tmeout=1))


def test_a_worker_thread_waits_for_a_page_call_result():
    channel, registry, browser, page = make_channel()
    page.send({"t": "ready"})
    call = channel.call_page("give")
    results = []
    worker = threading.Thread(target=lambda: results.append(call.result(30)))
    worker.start()
    settle_page_call(page, 1, ok=True, value="from the page")
    worker.join(30)
    assert results == ["from the page"]


def test_argument_counts_and_types_are_checked_before_the_call():
    channel, registry, browser, page = make_channel()
    ran = []

    @channel.expose(arg_types=(str, (int, type(None)), float))
    def rename(old, new=None, weight=1.0, *more):
        ran.append(old)

    @channel.expose
    def exact(a, b):
        ran.append(a)

    with LogRecords() as records:
        page.call(1, "exact", 1)
        page.call(2, "exact", 1, 2, 3)
        page.call(3, "rename")
        page.call(4, "rename", 5)
        page.call(5, "rename", "a", "b")
        page.call(6, "rename", "a", None, True)
        page.call(7, "rename", "a", None, 2, {"more": 1}, "still more")
        page.call(8, "exact", "ok", None)
    assert ran == ["a", "ok"]
    errors = [(m["id"], m["error"]["name"], m["error"]["message"])
              for m in answers_of(browser) if not m["ok"]]
    assert errors == [
        (1, "TypeError", "exact() takes 2 arguments (1 given)"),
        (2, "TypeError", "exact() takes 2 arguments (3 given)"),
        (3, "TypeError", "rename() takes at least 1 argument (0 given)"),
        (4, "TypeError", 'rename() argument 1 ("old") must be a string, not a number'),
        (5, "TypeError", 'rename() argument 2 ("new") must be an integer or null, '
                         'not a string'),
        (6, "TypeError", 'rename() argument 3 ("weight") must be a number, not a boolean')]
    assert len([r for r in records if r.levelno == logging.WARNING]) == 6
    assert raises(TypeError, channel.expose, lambda x: x, "bad", (set,))


class TurnLoop(FakeLoop):
    """Keeps what the channel asks for soon until the turn ends."""

    def __init__(self):
        FakeLoop.__init__(self)
        self.soon = []

    def call_soon(self, callback):
        self.soon.append(callback)

    def end_turn(self):
        soon, self.soon = self.soon, []
        for callback in soon:
            callback()


def test_one_turn_goes_to_the_page_in_one_script_in_order():
    registry, browser, loop = FakeRegistry(), FakeBrowser(), TurnLoop()
    channel = Channel(registry=registry, loop=loop)
    channel.attach(browser)
    page = FakePage(channel, registry)
    replies = []

    @channel.expose
    def later():
        replies.append(channel.reply())
        return replies[-1]
    channel.expose(lambda x: x, "echo")
    page.send_batch([{"t": "ready"}] + [{"t": "call", "id": i, "name": "echo", "args": [i]}
                                        for i in range(1, 4)]
                    + [{"t": "call", "id": 4, "name": "later", "args": []}])
    assert [[m["t"] for m in s[0]["m"]] for s in scripts_received(browser)[1:]] == [
        ["answer"] * 3]
    executed = len(browser.executed)
    replies[0].progress(1)
    channel.emit("first", 1)
    channel.call_page("second")
    replies[0].resolve("done")
    channel.emit("third")
    assert len(browser.executed) == executed
    loop.end_turn()
    assert len(browser.executed) == executed + 1
    items = scripts_received(browser)[-1][0]["m"]
    assert [(m.get("t"), m.get("seq"), m.get("name")) for m in items] == [
        ("progress", None, None), (None, 1, "first"), (None, 2, "second"),
        ("answer", None, None), (None, 3, "third")]
    # The script runs only in the page whose load asked.
    assert "z._load===\"load-1\"" in browser.executed[-1]
    # What waits for the turn's end goes before the channel's end.
    channel.emit("last")
    channel.close()
    assert [m.get("t") for m in received(browser)[-2:]] == ["deliver", "closed"]


def test_pages_with_an_older_channel_script_get_messages_one_by_one():
    channel, registry, browser, page = make_channel()
    channel.expose(lambda x: x, "echo")
    callback = registry.callables[page.settings["callback"]]

    def send(message):
        callback(page.settings["secret"].encode(), b"old-load", PAGE_URL.encode(),
                 json.dumps(message).encode())
    send({"t": "call", "id": 1, "name": "echo", "args": ["x"]})
    send({"t": "ready"})
    channel.emit("e", 1)
    assert scripts_received(browser)[-2:] == [
        [{"t": "answer", "load": "old-load", "id": 1, "ok": True, "value": "x"}],
        [{"t": "deliver", "load": "old-load",
          "messages": [{"seq": 1, "kind": "event", "name": "e", "args": [1]}]}]]


if __name__ == "__main__":
    for name, test in sorted(globals().items()):
        if name.startswith("test_"):
            test()
            print("ok  " + name)
