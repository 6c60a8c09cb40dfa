"""Bad content through the client scheme, end to end: archives that are cut
short, corrupt, no archives at all or bombs, and files that change or vanish
while they are read. Each request is answered, with content or the not-found
page, and the host goes on."""
import struct
import zipfile

from content_files import scripts_page, zip_archive as archive

SCRIPT = "host.call_python_callback(0, ['%s'])"


def understate_sizes(path):
    """Rewrites a one-entry archive so that its headers declare 10 bytes for
    an entry that inflates to far more."""
    data = bytearray(open(path, "rb").read())
    central = data.rfind(b"PK\x01\x02")
    struct.pack_into("<I", data, 22, 10)
    struct.pack_into("<I", data, central + 24, 10)
    open(path, "wb").write(bytes(data))
    return path


def run_scripts(run_qt_host, urls, extra="", timeout=60):
    return run_qt_host("""
        received = texts_received()
        %s
        def status_kb(key):
            with open("/proc/self/status") as status:
                return [int(l.split()[1]) for l in status if l.startswith(key)][0]
        start(SUBPROCESS)
        before = status_kb("VmRSS:")
        browser, window, browser_id = open_page(%r, timeout=30.0)
        pump_until(lambda: "done" in received, 30.0)
        report([received, status_kb("VmHWM:") - before])
        _zubrix_cef.Shutdown()
    """ % (extra, scripts_page(urls, SCRIPT % "done")), timeout=timeout).result


def test_broken_archives_answer_the_not_found_page(run_qt_host, tmp_path):
    good = archive(str(tmp_path / "good.plovex"), [("app.js", SCRIPT % "good")])
    data = open(good, "rb").read()
    broken = {
        "truncated": data[:len(data) // 2],
        "no_directory": data[:data.rfind(b"PK\x01\x02")],
        "empty": b"",
        "not_zip": b"<html>not an archive</html>" * 100,
    }
    # The compressed bytes flipped: inflating fails or the checksum does.
    corrupt = bytearray(data)
    for i in range(34, 44):
        corrupt[i] ^= 0xFF
    broken["corrupt"] = bytes(corrupt)
    for name, content in broken.items():
        (tmp_path / (name + ".plovex")).write_bytes(content)
    understated = understate_sizes(archive(
        str(tmp_path / "understated.plovex"),
        [("app.js", SCRIPT % "understated" + " " * 1000000)]))
    (tmp_path / "folder.plovex").mkdir()
    names = sorted(broken) + ["understated", "folder", "missing"]
    urls = ["client://plovex/%s/%s.plovex/app.js" % (tmp_path, n) for n in names]
    urls.append("client://plovex/%s/app.js" % good)
    received, growth_kb = run_scripts(run_qt_host, urls)
    # Only the good archive's script runs; a lying size fails its checksum.
    assert received == ["good", "done"]


def test_a_zip_bomb_is_answered_within_bounded_memory(run_qt_host, tmp_path):
    bomb_mb = 200
    zeros = b"\0" * (1024 * 1024)
    path = str(tmp_path / "bomb.plovex")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        with z.open("bomb.bin", "w", force_zip64=True) as entry:
            for _ in range(bomb_mb):
                entry.write(zeros)
        z.writestr("app.js", SCRIPT % "after the bomb")
    # A smaller bomb requested itself is loaded whole and served.
    small = archive(str(tmp_path / "small.plovex"),
                    [("big.js", "var big = 1;" + " " * (4 * 1024 * 1024)
                      + SCRIPT % "big")])
    urls = ["client://plovex/%s/app.js" % path,
            "client://plovex/%s/big.js" % small]
    received, growth_kb = run_scripts(run_qt_host, urls, timeout=120)
    assert received == ["after the bomb", "big", "done"]
    # The bomb passes through in pieces; the host never holds it whole.
    assert growth_kb < (bomb_mb // 2) * 1024


def test_files_that_change_or_vanish_while_read_are_each_answered(
        run_qt_host, tmp_path):
    good = archive(str(tmp_path / "good.plovex"), [("app.js", SCRIPT % "archive")])
    content = open(good, "rb").read()
    (tmp_path / "ui").mkdir()
    path = str(tmp_path / "racing.plovex")
    page_file = str(tmp_path / "ui" / "app.js")
    count = 40
    urls = []
    for _ in range(count):
        urls += ["client://plovex/%s/app.js" % path, "client://internal/ui/app.js"]
    # A thread of the host rewrites, cuts and removes both files meanwhile.
    churn = """
        import os, threading
        stop = threading.Event()
        def churn():
            while not stop.is_set():
                for target, data in ((%r, %r), (%r, %r)):
                    with open(target, "wb") as f:
                        f.write(data[:len(data) // 2])
                        f.flush()
                        f.write(data[len(data) // 2:])
                    try:
                        os.remove(target)
                    except OSError:
                        pass
        churner = threading.Thread(target=churn)
        churner.start()
    """ % (path, content, page_file, (SCRIPT % "folder").encode())
    outcome = run_qt_host("""
        received = texts_received()
        %s
        browser, window, browser_id = open_page(%r, timeout=30.0)
        answered = pump_until(lambda: "done" in received, 30.0)
        stop.set()
        churner.join()
        report([answered, received])
        _zubrix_cef.Shutdown()
    """ % (churn, scripts_page(urls, SCRIPT % "done")),
        env={"CEF_PLOVEX_INTERNAL": str(tmp_path)}, timeout=120).result
    answered, received = outcome
    assert answered
    # Each script is the file's content, an empty body or the not-found page.
    assert set(received) <= {"archive", "folder", "done"}
    assert received[-1] == "done"
