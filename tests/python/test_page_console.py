"""Every page's console lines and uncaught errors reach Python's logging on
the host's main thread, through the browser's display handler, and the host
may send them elsewhere or nowhere."""
import textwrap

import pytest

CONSOLE_PRELUDE = """
import logging, threading
records = []

class Keep(logging.Handler):
    def emit(self, record):
        records.append([record.name, record.levelname, record.getMessage(),
                        threading.current_thread() is threading.main_thread()])

logging.getLogger().addHandler(Keep())
logging.getLogger().setLevel(logging.DEBUG)

def page_lines(name="zubrix_cef.page"):
    return [r for r in records if r[0] == name]
"""

# Line numbers count from the document's first line.
PAGE = textwrap.dedent("""\
    <!DOCTYPE html>
    <script>console.log("early", 1, "\\u00e9\\u4e2d");</script>
    <script src="broken.js"></script>
    <script src="throws.js"></script>
    <script>
      setTimeout(function () { missingInTimer(); }, 0);
    </script>
    """)
SCRIPTS = {
    "broken.js": "var ok = 1;\n\nvar panel = ;\nvar after = 2;\n",
    "throws.js": "\n\nundefinedAtTopLevel();\n",
}


@pytest.fixture
def run_console(run_qt_host, tmp_path):
    """Runs code in a host whose internal content folder holds PAGE and
    SCRIPTS; FOLDER_URL is that folder's client: URL."""
    def run(code, **kwargs):
        for name, text in dict(SCRIPTS, **{"index.html": PAGE}).items():
            (tmp_path / name).write_text(text, encoding="utf-8")
        return run_qt_host(CONSOLE_PRELUDE + 'FOLDER_URL = "client://internal/"\n'
                           + textwrap.dedent(code),
                           env={"CEF_PLOVEX_INTERNAL": str(tmp_path)}, **kwargs)
    return run


@pytest.mark.usefixtures("needs_placeholder")
def test_early_lines_syntax_top_level_and_timer_errors_are_logged_with_source_and_line(
        run_console):
    outcome = run_console("""
        browser, window, browser_id = open_page(FOLDER_URL + "index.html")
        wait_for(lambda: len(page_lines()) >= 4)
        wait_for(lambda: len(_cefsim.placeholder(browser_id)["lines"]) >= 9)
        report([page_lines(), _cefsim.placeholder(browser_id)["lines"]])
        _zubrix_cef.Shutdown()
    """)
    lines, window_lines = outcome.result
    base = "client://internal/"
    assert [line[1] for line in lines] == ["INFO", "WARNING", "WARNING", "WARNING"]
    assert all(line[3] for line in lines), "logged off the host's main thread"
    assert lines[0][2] == base + "index.html:2: early 1 \u00e9\u4e2d"
    for line, prefix, words in [
            (lines[1], "broken.js:3: Uncaught SyntaxError: ", []),
            (lines[2], "throws.js:3: Uncaught ReferenceError: ", ["undefinedAtTopLevel"]),
            (lines[3], "index.html:6: Uncaught ReferenceError: ", ["missingInTimer"])]:
        assert line[2].startswith(base + prefix), line
        assert all(word in line[2] for word in words), line
    # The display handler leaves CEF's own console output as it was.
    assert window_lines[-4] == "  early 1 \u00e9\u4e2d"
    assert window_lines[-3].startswith("  Uncaught SyntaxError: ")


def test_the_host_redirects_or_silences_the_lines_and_a_failing_logger_is_survived(
        run_console):
    outcome = run_console("""
        calls = texts_received()
        refused = []
        for wrong in (42, "zubrix_cef.page", object()):
            try:
                _zubrix_cef.SetConsoleLogger(wrong)
            except TypeError as error:
                refused.append(str(error))
        # Chosen before CEF starts, it holds from the first page on.
        _zubrix_cef.SetConsoleLogger(logging.getLogger("tool.pages"))
        browser, window, browser_id = open_page(FOLDER_URL + "index.html")
        wait_for(lambda: len(page_lines("tool.pages")) >= 4)

        def say(text):
            browser.ExecuteJavascript("console.log(%r)" % text)
            flush_calls(browser, calls)

        _zubrix_cef.SetConsoleLogger(None)
        say("silenced")

        class Broken:
            def log(self, *args):
                raise ValueError("this logger is broken")
        _zubrix_cef.SetConsoleLogger(Broken())
        say("to a broken logger")
        _zubrix_cef.SetConsoleLogger(logging.getLogger("zubrix_cef.page"))
        say("back")
        report([refused, page_lines(), len(page_lines("tool.pages")),
                [r[2] for r in records]])
        _zubrix_cef.Shutdown()
    """)
    refused, default_lines, redirected, messages = outcome.result
    assert len(refused) == 3 and all("log method" in text for text in refused)
    assert redirected == 4
    assert [line[2].rsplit(": ", 1)[1] for line in default_lines] == ["back"]
    assert not [m for m in messages if "silenced" in m or "broken logger" in m]
    assert "ValueError: this logger is broken" in outcome.stderr
