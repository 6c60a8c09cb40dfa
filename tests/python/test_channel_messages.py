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


class FakePage(object):
    """Speaks for the page as channel.js does: UTF-8 byte strings."""

    def __init__(self, channel, registry, url=PAGE_URL, load="load-1"):
        settings = re.search(r"window\.zubrix\._install\((\{.*?\})\);", channel.startup_code())
        self.settings = json.loads(settings.group(1))
        self.callback = registry.callables[self.settings["callback"]]
        self.url, self.load = url, load

    def send(self, message, secret=None):
        args = [secret if secret is not None else self.settings["secret"], self.load, self.url,
                json.dumps(message)]
        self.callback(*[arg.encode("utf-8") for arg in args])

    def call(self, call_id, name, *args):
        self.send({"t": "call", "id": call_id, "name": name, "args": list(args)})


def received(browser):
    """What Python handed the page's zubrix._receive, decoded."""
    messages = []
    for code in browser.executed:
        found = re.search(r"window\.zubrix\._receive\((\".*\")\);\}\)\(\);$", code)
        if found:
            messages.append(json.loads(json.loads(found.group(1))))
    return messages


def make_channel(**options):
    registry, browser = FakeRegistry(), FakeBrowser()
    channel = Channel(registry=registry, **options)
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


def test_sends_wait_for_the_ready_page_and_go_in_order_once():
    registry, browser = FakeRegistry(), FakeBrowser()
    channel = Channel(registry=registry)
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
    other = Channel(registry=registry)
    other.attach(browser)
    other.close()
    assert browser.startup_code is None
    assert raises(ValueError, Channel, [""], registry)


if __name__ == "__main__":
    for name, test in sorted(globals().items()):
        if name.startswith("test_"):
            test()
            print("ok  " + name)
