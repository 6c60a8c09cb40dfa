"""Failed loads say so: each client: request answered with the not-found
page, and each load CEF reports as failed, is a WARNING on the zubrix_cef
logger naming the URL and the reason, at most once per URL per second."""
from content_files import scripts_page, write_files, zip_archive

SCRIPT = "host.call_python_callback(0, ['%s'])"


def damage(path):
    """Flips the compressed bytes of the archive's one entry."""
    data = bytearray(open(path, "rb").read())
    start = 30 + len("app.js")
    for i in range(start, start + 4):
        data[i] ^= 0xFF
    open(path, "wb").write(bytes(data))
    return path


def test_each_not_found_answer_names_the_url_and_the_reason(run_qt_host, tmp_path):
    write_files(tmp_path / "folder", {"js/app.js": SCRIPT % "folder"})
    archive = zip_archive(tmp_path / "site.plovex", [("app.js", SCRIPT % "archive")])
    damaged = damage(zip_archive(tmp_path / "damaged.plovex",
                                 [("app.js", "var x = 1;" * 100)]))
    not_zip = tmp_path / "text.plovex"
    not_zip.write_text("no archive")
    folder = str(tmp_path / "folder")
    bad = {
        "client://internal/js/ap.js": "no file %s/js/ap.js" % folder,
        "client://internal/js": "no file %s/js" % folder,
        "client://plovex/%s/sit.plovex/app.js" % tmp_path: "no archive at %s/sit.plovex" % tmp_path,
        "client://plovex/%s/inde.html" % archive: "no entry 'inde.html' in %s" % archive,
        "client://plovex/%s/app.js" % damaged: "damaged entry 'app.js' in %s" % damaged,
        "client://plovex/%s/app.js" % not_zip: "not a ZIP archive: %s" % not_zip,
    }
    # The same missing script again and again warns once (as long as the
    # page asks within a second, which ten requests in a row do).
    urls = list(bad) + ["client://internal/js/ap.js"] * 10 + [
        "client://internal/js/app.js", "client://plovex/%s/app.js" % archive]
    outcome = run_qt_host("""
        import logging
        warnings = []
        handler = logging.Handler()
        handler.emit = lambda record: warnings.append([record.levelname, record.getMessage()])
        # The page's own lines (its not-found pages run as scripts) go below.
        handler.addFilter(lambda record: record.name == "zubrix_cef")
        logging.getLogger("zubrix_cef").addHandler(handler)
        received = texts_received()
        browser, window, browser_id = open_page(%r)
        wait_for(lambda: "done" in received)
        flush_calls(browser, received)
        report([received, warnings])
        _zubrix_cef.Shutdown()
    """ % scripts_page(urls, SCRIPT % "done"),
        env={"CEF_PLOVEX_INTERNAL": folder}).result
    received, warnings = outcome
    assert received == ["folder", "archive", "done"]
    expected = [["WARNING", "cannot load %s: %s" % item] for item in bad.items()]
    assert sorted(warnings) == sorted(expected)


def test_a_page_that_fails_to_load_and_a_route_that_leads_nowhere_are_warned_about(
        run_qt_host, tmp_path):
    outcome = run_qt_host("""
        import logging
        warnings = []
        handler = logging.Handler()
        handler.emit = lambda record: warnings.append(record.getMessage())
        handler.addFilter(lambda record: record.name == "zubrix_cef")
        logging.getLogger("zubrix_cef").addHandler(handler)
        open_page("file://%s/missing.html")
        wait_for(lambda: warnings)
        open_page("client://nowhere/index.html")
        wait_for(lambda: len(warnings) >= 2)
        report(warnings)
        _zubrix_cef.Shutdown()
    """ % tmp_path)
    missing, nowhere = outcome.result[:2]
    assert missing.startswith("cannot load file://%s/missing.html: " % tmp_path)
    assert "ERR_FILE_NOT_FOUND" in missing
    assert nowhere.startswith("cannot load client://nowhere/index.html: no route")
