"""The stand-in's browsers as a host sees them: X11 child windows, pages and
their frames, load reports in order, page scripts, process messages,
context menus and render processes that die. Each scenario is a host with a
Qt application and a host window; browsers come from _cefsim's recording
client."""
import os
import textwrap


from conftest import BUILD

# The C++ browser tests' executable is also a render process whose
# application registers a "test" extension and answers "echo".
TEST_RENDERER = os.path.join(BUILD, "tests", "cefsim_browsers_test")

# What the scenarios share: a started CEF, a host window, and views of one
# browser's recorded client events and console output.
HOST = """
start(%r)
host = make_window(640, 480)
PARENT = handle(host)

def events(browser_id, *kinds):
    return [e for e in _cefsim.client_events(browser_id)
            if not kinds or e["kind"] in kinds]

def loads(browser_id):
    return [[e["kind"], "main" if e["main_frame"] else "sub", e["url"]]
            for e in events(browser_id, "load_start", "load_end",
                            "load_error")]

def page(browser_id):
    return [c["message"] for c in _cefsim.console()
            if c["browser_id"] == browser_id]
"""

# The recording client's browsers are not the module's, whose Shutdown closes
# only its own: as CEF wants, each is closed and reported before CEF stops.
END = """
for record in _cefsim.browsers():
    if not record["closed"]:
        _cefsim.close_browser(record["id"])
pump_until(lambda: all(r["closed"] for r in _cefsim.browsers()), 10.0)
_zubrix_cef.Shutdown()
"""


def scenario(code, renderer=None):
    return (HOST % (renderer or os.path.join(BUILD, "zubrix_cef_subprocess"))
            + textwrap.dedent(code) + END)


def test_a_browser_window_is_a_child_of_its_parent_with_the_given_geometry(
        run_qt_host):
    result = run_qt_host(scenario("""
        bid = _cefsim.create_browser(PARENT, "data:text/plain,x", x=7, y=9,
                                     width=123, height=45)
        bad = _cefsim.create_browser(12345678, "data:text/plain,x")
        record = [b for b in _cefsim.browsers() if b["id"] == bid][0]
        report({"bad": bad, "parent": PARENT, "record": record,
                "seen": x_geometry(record["window"])})
    """)).result
    assert result["bad"] is None  # Not a window: no browser.
    record, seen = result["record"], result["seen"]
    assert record["parent"] == result["parent"]
    assert record["is_devtools"] is False
    info = record["window_info"]
    assert [info["x"], info["y"], info["width"], info["height"]] == [
        7, 9, 123, 45]
    assert seen == [7, 9, 123, 45, result["parent"]]


def test_frames_load_from_file_urls_each_start_before_its_scripts(
        run_qt_host, tmp_path):
    (tmp_path / "child.html").write_text(
        "<script>console.log('child', typeof early);</script>")
    (tmp_path / "main.html").write_text(
        "<title>Main</title><script src='main.js'></script>"
        "<iframe name='inner' src='child.html'></iframe>")
    (tmp_path / "main.js").write_text(
        "var early = 1; console.log('main', document.title);")
    main = "file://%s/main.html" % tmp_path
    child = "file://%s/child.html" % tmp_path
    result = run_qt_host(scenario("""
        bid = _cefsim.create_browser(PARENT, %r)
        assert _cefsim.wait_loaded(bid, 10)
        _cefsim.execute_javascript(bid, "console.log('inner', typeof early);",
                                   "inner")
        _cefsim.execute_javascript(bid, "console.log('top', typeof early);")
        pump_until(lambda: len(page(bid)) == 4)
        record = [b for b in _cefsim.browsers() if b["id"] == bid][0]
        report({"loads": loads(bid), "console": page(bid),
                "frames": [[f["name"], f["url"], f["is_main"]]
                           for f in record["frames"]]})
    """ % main)).result
    assert result["loads"] == [
        ["load_start", "main", main], ["load_start", "sub", child],
        ["load_end", "sub", child], ["load_end", "main", main]]
    # Each frame has its own context: the main frame's variable is not the
    # child's.
    assert result["console"] == ["main Main", "child undefined",
                                 "inner undefined", "top number"]
    assert result["frames"] == [["", main, True], ["inner", child, False]]


def test_failures_end_in_load_errors_and_pages_keep_running(run_qt_host):
    result = run_qt_host(scenario("""
        bid = _cefsim.create_browser(
            PARENT,
            "data:text/html,<script>throw new Error('first')</script>"
            "<iframe src='file:///no/such/file.html'></iframe>"
            "<script>console.log('second')</script>")
        assert _cefsim.wait_loaded(bid, 10)
        gone = _cefsim.create_browser(PARENT, "file:///no/such/page.html")
        assert _cefsim.wait_loaded(gone, 10)
        report({"console": page(bid),
                "errors": [[e["main_frame"], e["url"], e["code"]]
                           for e in events(bid, "load_error")],
                "gone": [[e["kind"], e["code"]] for e in events(gone)]})
    """)).result
    assert result["console"] == ["Uncaught Error: first", "second"]
    assert result["errors"] == [[False, "file:///no/such/file.html", -6]]
    assert result["gone"] == [["load_error", -6]]


def test_pages_see_cefs_type_tests_and_messages_go_both_ways(run_qt_host):
    result = run_qt_host(scenario("""
        bid = _cefsim.create_browser(
            PARENT,
            "data:text/html,<script>"
            "[7, 7.0, 7.5, 2147483648, -2147483648, [], {length: 0}, '7']"
            ".forEach(function(v) { console.log(test.describe(v)); });"
            "test.send('from_page', 42, 'text', 0.5, false);"
            "</script>")
        assert _cefsim.wait_loaded(bid, 10)
        _cefsim.send_process_message(bid, "echo", [1, "two", [True, None]])
        pump_until(lambda: events(bid, "message") and
                 events(bid, "message")[-1]["name"] == "echo")
        report({"console": page(bid),
                "messages": [[e["name"], e["arguments"]]
                             for e in events(bid, "message")
                             if e["name"] != "created"]})
    """, renderer=TEST_RENDERER)).result
    assert result["console"] == [
        "int,uint,double", "int,uint,double", "double", "int,uint,double",
        "int,uint,double", "object,array", "object", "string"]
    url_of_page = result["messages"][0][1][0]
    assert url_of_page.startswith("data:text/html,")
    assert result["messages"] == [
        ["context_created", [url_of_page, True, True, True, "object"]],
        ["from_page", [url_of_page, 42, "text", 0.5, False]],
        ["echo", [1, "two", [True, None]]]]


def test_context_menus_start_with_cefs_entries_and_choices_act(run_qt_host):
    result = run_qt_host(scenario("""
        bid = _cefsim.create_browser(PARENT, "data:text/plain,first")
        assert _cefsim.wait_loaded(bid, 10)
        _cefsim.load_url(bid, "data:text/plain,second")
        assert pump_until(lambda: len(events(bid, "load_end")) == 2)
        out = {"page": _cefsim.context_menu(bid, 1),
               "editable": _cefsim.context_menu(bid, 1 | 32, edit_flags=16),
               "selection": _cefsim.context_menu(bid, 16),
               "link": _cefsim.context_menu(bid, 4)}
        out["pair_type"] = type(out["page"][0]).__name__
        _cefsim.context_menu(bid, 1)
        out["back"] = _cefsim.context_menu_choose(bid, 100)
        out["again"] = _cefsim.context_menu_choose(bid, 100)
        pump_until(lambda: len(events(bid, "load_end")) == 3)
        out["events"] = [[e["kind"], e.get("code"), e.get("url")]
                         for e in events(bid)
                         if e["kind"].startswith("menu") or
                         e["kind"] == "load_end"]
        out["unknown"] = _cefsim.context_menu(999, 1)
        report(out)
    """)).result
    # Back is enabled after the second page, Forward is not; pairs carry
    # no state, so both show.
    assert result["page"] == [[100, "&Back"], [101, "&Forward"], [-1, ""],
                              [131, "&Print..."], [132, "View page &source"]]
    assert result["pair_type"] == "tuple"
    assert result["editable"] == [
        [110, "&Undo"], [111, "&Redo"], [-1, ""], [112, "Cu&t"],
        [113, "&Copy"], [114, "&Paste"], [115, "&Delete"], [-1, ""],
        [116, "Select &all"]]
    assert result["selection"] == [[113, "&Copy"]]
    assert result["link"] == []
    assert result["back"] is True and result["again"] is False
    assert result["events"][-4:] == [
        ["menu_dismissed", 0, None],  # The link menu, empty.
        ["menu_command", 100, None], ["menu_dismissed", 0, None],
        ["load_end", 200, "data:text/plain,first"]]
    assert result["unknown"] is None


def test_a_killed_render_process_is_reported_and_others_go_on(run_qt_host):
    result = run_qt_host(scenario("""
        victim = _cefsim.create_browser(PARENT, "data:text/plain,v")
        other = _cefsim.create_browser(PARENT, "data:text/plain,o")
        assert _cefsim.wait_loaded(victim, 10) and _cefsim.wait_loaded(other, 10)
        pid = [b for b in _cefsim.browsers()
               if b["id"] == victim][0]["render_process_pid"]
        assert _cefsim.kill_render_process(pid)
        assert pump_until(lambda: events(victim, "terminated"))
        # What the dead browser is sent waits for its next render process, as
        # CefBrowserHostImpl::Send queues it between RenderProcessGone and
        # RenderViewReady.
        sent = _cefsim.send_process_message(victim, "echo", [1])
        _cefsim.execute_javascript(victim, "console.log('waited')")
        _cefsim.execute_javascript(other, "console.log('alive')")
        assert pump_until(lambda: page(other) == ["alive"])
        _cefsim.load_url(victim, "data:text/plain,back")
        assert pump_until(lambda: len(events(victim, "load_end")) == 2)
        report({"terminated": [e["code"] for e in events(victim, "terminated")],
                "sent": sent, "waited": page(victim),
                "other_terminated": events(other, "terminated"),
                "reloaded": loads(victim)[-1]})
    """)).result
    assert result["terminated"] == [1]  # TS_PROCESS_WAS_KILLED
    assert result["sent"] is True
    assert result["waited"] == ["waited"]
    assert result["other_terminated"] == []
    assert result["reloaded"] == ["load_end", "main", "data:text/plain,back"]
