"""Pages served through the client scheme, from the internal content folder
and from content archives, whose scripts call Python."""
import zipfile

from content_files import write_files, zip_archive

PAGE = ("<script>host.call_python_callback(0, ['inline', location.href])</script>"
        "<script src='js/app.js'></script>")
SCRIPT = "host.call_python_callback(0, ['from file'])"


def test_pages_from_the_internal_folder_call_python(run_qt_host, tmp_path):
    write_files(tmp_path, {"ui/index.html": PAGE, "ui/js/app.js": SCRIPT})
    outcome = run_qt_host("""
        recorder = Recorder()
        _zubrix_cef.RegisterPyCallback(recorder)
        browser, window, browser_id = open_page("client://internal/ui/index.html")
        pump_until(lambda: len(recorder.calls) >= 2)
        flush_calls(browser, recorder.calls)
        report([repr(c) for c in recorder.calls])
        _zubrix_cef.Shutdown()
    """, env={"CEF_PLOVEX_INTERNAL": str(tmp_path)}).result
    assert outcome == [repr((b"inline", b"client://internal/ui/index.html")),
                       repr((b"from file",))]


def test_pages_from_a_content_archive_call_python(run_qt_host, tmp_path):
    # Names match without regard to case.
    archive = zip_archive(tmp_path / "panel.plovex",
                          [("index.html", PAGE), ("JS/APP.JS", SCRIPT)],
                          zipfile.ZIP_STORED)
    outcome = run_qt_host("""
        recorder = Recorder()
        _zubrix_cef.RegisterPyCallback(recorder)
        url = "client://plovex/%s/index.html"
        browser, window, browser_id = open_page(url)
        pump_until(lambda: len(recorder.calls) >= 2)
        flush_calls(browser, recorder.calls)
        report([repr(c) for c in recorder.calls])
        _zubrix_cef.Shutdown()
    """ % archive).result
    url = "client://plovex/%s/index.html" % archive
    assert outcome == [repr((b"inline", url.encode())), repr((b"from file",))]


def test_the_not_found_page_cannot_run_injected_script(run_qt_host, tmp_path):
    outcome = run_qt_host("""
        recorder = Recorder()
        _zubrix_cef.RegisterPyCallback(recorder)
        browser, window, browser_id = open_page(
            "client://internal/<script>host.call_python_callback(0,[1])</script>.html")
        flush_calls(browser, recorder.calls)
        report(recorder.calls)
        _zubrix_cef.Shutdown()
    """, env={"CEF_PLOVEX_INTERNAL": str(tmp_path)}).result
    assert outcome == []
