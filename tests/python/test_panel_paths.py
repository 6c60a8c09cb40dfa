"""Panels whose paths Chromium escapes: an archive in a folder with a space
and a letter beyond ASCII, a page that links to "my file.js", and escapes
that must not reach past the internal folder."""
import zipfile

from content_files import write_files, zip_archive

PAGE = ("<meta charset='utf-8'><script>host.call_python_callback(0, [location.href])</script>"
        "<script src='my file.js'></script><script src='sub\\caf\u00e9.js'></script>")
LINKED = "host.call_python_callback(0, ['my file'])"
ACCENTED = "host.call_python_callback(0, ['accented'])"


def test_an_archive_in_a_folder_with_a_space_and_an_accent_is_served(run_qt_host, tmp_path):
    folder = tmp_path / "Zo\u00eb Brandt" / "tools"
    folder.mkdir(parents=True)
    archive = zip_archive(folder / "panel.plovex",
                          [("index.html", PAGE), ("my file.js", LINKED),
                           ("sub/caf\u00e9.js", ACCENTED)], zipfile.ZIP_DEFLATED)
    outcome = run_qt_host("""
        received = texts_received()
        browser, window, browser_id = open_page("client://plovex/%s/index.html")
        flush_calls(browser, received)
        report(received)
        _zubrix_cef.Shutdown()
    """ % archive).result
    # CEF hands the page its URL as it canonicalised it: the letter escaped,
    # the space kept.
    url = "client://plovex/%s/index.html" % str(archive).replace(
        "Zo\u00eb", "Zo%C3%AB")
    assert outcome == [url, "my file", "accented"]


def test_escapes_do_not_reach_past_the_internal_folder(run_qt_host, tmp_path):
    write_files(tmp_path, {"secret.js": "host.call_python_callback(0, ['secret'])",
                           "content/a b.js": "host.call_python_callback(0, ['a b'])"})
    page = ("<script src='client://internal/%2e%2e/secret.js'></script>"
            "<script src='client://internal/..%2Fsecret.js'></script>"
            "<script src='client://internal/a%20b.js%00.txt'></script>"
            "<script src='client://internal/a%20b.js'></script>")
    write_files(tmp_path, {"content/index.html": page})
    outcome = run_qt_host("""
        received = texts_received()
        browser, window, browser_id = open_page("client://internal/index.html")
        flush_calls(browser, received)
        report(received)
        _zubrix_cef.Shutdown()
    """, env={"CEF_PLOVEX_INTERNAL": str(tmp_path / "content")}).result
    assert outcome == ["a b"]
