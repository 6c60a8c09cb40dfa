"""Pages as CEF 3.3163 decodes them: without a charset declaration (or a
byte-order mark) a page is read as ISO-8859-1 and its scripts in the page's
encoding, so text beyond ASCII comes out garbled; the packer warns about
such pages."""
import logging
import subprocess

from conftest import PYTHON, ROOT
from content_files import write_files
from zubrix_cef.pack import pack, pages_without_charset

CAFE = "caf\u00e9"
LOGGING = "<script>host.call_python_callback(0, ['%s'])</script>" % CAFE


def test_pages_and_their_scripts_are_decoded_as_cef_decodes_them(run_qt_host, tmp_path):
    write_files(tmp_path, {
        "plain.html": LOGGING + "<script src='cafe.js'></script>",
        "declared.html": '<head><meta charset="utf-8"></head>' + LOGGING
                         + "<script src='cafe.js'></script>",
        "cafe.js": "host.call_python_callback(0, ['%s.js'])" % CAFE,
    })
    outcome = run_qt_host("""
        received = texts_received()
        texts = {}
        for name in ("plain", "declared"):
            browser, window, browser_id = open_page("client://internal/%s.html" % name)
            flush_calls(browser, received)
            texts[name] = received[:]
            del received[:]
        report(texts)
        _zubrix_cef.Shutdown()
    """, env={"CEF_PLOVEX_INTERNAL": str(tmp_path)}).result
    garbled = CAFE.encode("utf-8").decode("latin-1")
    assert outcome == {"plain": [garbled, garbled + ".js"],
                       "declared": [CAFE, CAFE + ".js"]}


PAGES = {
    "plain.html": CAFE.encode("utf-8"),
    "sub/upper.HTM": CAFE.encode("utf-8"),
    "declared.html": b'<meta charset="utf-8">' + CAFE.encode("utf-8"),
    "equiv.html": b'<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=utf-8">'
                  + CAFE.encode("utf-8"),
    "late.html": b" " * 1100 + b'<meta charset="utf-8">' + CAFE.encode("utf-8"),
    "marked.html": b"\xef\xbb\xbf" + CAFE.encode("utf-8"),
    "ascii.html": b"<p>cafe</p>",
    "script.js": CAFE.encode("utf-8"),
}


def write_pages(folder):
    for name, data in PAGES.items():
        path = folder.joinpath(*name.split("/"))
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    return str(folder)


def test_the_packer_warns_of_pages_without_a_charset(tmp_path, caplog):
    folder = write_pages(tmp_path / "panel")
    # A declaration past the first 1024 bytes is one Chromium never sees.
    expected = ["late.html", "plain.html", "sub/upper.HTM"]
    assert pages_without_charset(folder, sorted(PAGES)) == expected
    with caplog.at_level(logging.WARNING, logger="zubrix_cef"):
        names = pack(folder, str(tmp_path / "panel.plovex"))
    assert names == sorted(PAGES)
    warned = [r.getMessage() for r in caplog.records if r.name == "zubrix_cef"]
    assert [m.split(" ")[0] for m in warned] == expected
    assert all("ISO-8859-1" in m and 'charset="utf-8"' in m for m in warned)

    command = subprocess.run(
        [PYTHON, "-m", "zubrix_cef.pack", folder, str(tmp_path / "cli.plovex"), "--verbose"],
        cwd=ROOT, capture_output=True, text=True)
    assert command.returncode == 0, command.stderr
    assert [line.split(" ")[1] for line in command.stderr.splitlines()] == expected
    marked = [line.split()[0] for line in command.stdout.splitlines() if "no charset" in line]
    assert marked == expected
