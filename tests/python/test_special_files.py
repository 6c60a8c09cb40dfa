"""Special files in the content folder, end to end: a FIFO nobody writes to
and a link to an endless device get the not-found page at once, every other
request of the page is answered, and CEF shuts down."""
import os

from content_files import scripts_page


def test_a_fifo_and_an_endless_device_do_not_stall_the_host(run_qt_host, tmp_path):
    os.mkfifo(str(tmp_path / "pipe.js"))
    os.symlink("/dev/zero", str(tmp_path / "zero.js"))
    (tmp_path / "real.js").write_text("host.call_python_callback(0, ['real'])")
    os.symlink(str(tmp_path / "real.js"), str(tmp_path / "linked.js"))
    page = scripts_page(["client://internal/" + name
                         for name in ("pipe.js", "zero.js", "linked.js", "pipe.js")],
                        "host.call_python_callback(0, ['done'])")
    outcome = run_qt_host("""
        import time
        received = texts_received()
        browser, window, browser_id = open_page(%r, timeout=30.0)
        answered = pump_until(lambda: "done" in received, 30.0)
        started = time.time()
        _zubrix_cef.Shutdown()
        report([answered, received, time.time() - started < 10])
    """ % page, env={"CEF_PLOVEX_INTERNAL": str(tmp_path)}, timeout=90).result
    assert outcome == [True, ["real", "done"], True]
