"""Client content served from CEF's file thread while pages keep working:
several browsers loading many files and entries at once, page calls while a
large entry streams, and Shutdown in the middle of a stream."""
import zipfile

from content_files import scripts_page, write_files, zip_archive

SCRIPT = "host.call_python_callback(0, [%r]);"
# Each page names itself, so that its calls can be told apart.
NAMED_SCRIPT = "host.call_python_callback(0, [who + ' ' + %r]);"


def test_several_browsers_loading_many_files_at_once_get_each_one(
        run_qt_host, tmp_path):
    # Some larger than what is read ahead of a page.
    padding = "/*" + "x" * (600 * 1024) + "*/"
    entries, files = [], {}
    for n in range(3):
        entries.append(("e%d.js" % n, (padding if n == 1 else "")
                        + NAMED_SCRIPT % ("entry %d" % n)))
        files["ui/f%d.js" % n] = (padding if n == 2 else "") + NAMED_SCRIPT % (
            "file %d" % n)
    archive = zip_archive(tmp_path / "site.plovex", entries)
    urls = []
    for n in range(3):
        urls += ["client://plovex/%s/e%d.js" % (archive, n),
                 "client://internal/ui/f%d.js" % n]
    write_files(tmp_path, dict(files, **{
        "ui/page.html": "<script>var who = String(Math.random());</script>"
                        + scripts_page(urls, NAMED_SCRIPT % "done")}))
    outcome = run_qt_host("""
        received = texts_received()
        browsers = [create_browser("client://internal/ui/page.html")
                    for _ in range(4)]
        pump_until(
            lambda: len([r for r in received if r.endswith("done")]) == 4,
            30.0)
        report(received)
        _zubrix_cef.Shutdown()
    """, env={"CEF_PLOVEX_INTERNAL": str(tmp_path)}, timeout=120).result
    expected = []
    for n in range(3):
        expected += ["entry %d" % n, "file %d" % n]
    pages = {}
    for call in outcome:
        who, name = call.split(" ", 1)
        pages.setdefault(who, []).append(name)
    # Each page ran every script, in order, whatever the others did.
    assert list(pages.values()) == [expected + ["done"]] * 4


def big_archive(tmp_path):
    """A 200 MB entry that inflates as page text does."""
    path = str(tmp_path / "big.plovex")
    line = b"var item = panel.widget(12345, 'a label for the widget');\n"
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED,
                         compresslevel=1) as z:
        with z.open("big.png", "w", force_zip64=True) as entry:
            for _ in range(200):
                entry.write(line * (1024 * 1024 // len(line)))
    return path


def test_pages_call_python_while_an_entry_streams_and_shutdown_ends_it(
        run_qt_host, tmp_path):
    # Even while the streaming render process reads nothing: Chromium's IO
    # thread never waits on a channel's socket, which the stream's pieces
    # fill, and a wait there would hold every other browser's loads and
    # calls.
    outcome = run_qt_host("""
        import os, signal
        received = texts_received()
        streaming, _ = create_browser("client://plovex/%s/big.png")
        pump_until(lambda: any(b["loading"] for b in _cefsim.browsers()))
        pump(0.05)  # Its first pieces on their way.
        stopped = _cefsim.browsers()[-1]["render_process_pid"]
        os.kill(stopped, signal.SIGSTOP)
        try:
            pump(0.3)
            caller, window, caller_id = open_page(
                "<script>host.call_python_callback(0, ['called'])</script>")
            called = pump_until(lambda: "called" in received)
        finally:
            os.kill(stopped, signal.SIGCONT)
        # Still streaming: Shutdown ends it cleanly.
        _zubrix_cef.Shutdown()
        report(called)
    """ % big_archive(tmp_path), timeout=120).result
    assert outcome is True
