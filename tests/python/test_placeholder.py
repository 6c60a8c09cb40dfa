"""What a host sees in a browser window of the stand-in, which draws no page:
a placeholder with the page's URL, title, loading state and console lines,
painted again whenever the X server exposes the window."""
import os

import pytest

from conftest import BUILD


def test_cefsim_says_whether_the_painter_was_built_as_the_build_chose(run_host):
    # A wrong answer would skip every placeholder test without a word.
    with open(os.path.join(BUILD, "CMakeCache.txt")) as cache:
        chosen = "ZUBRIX_CEFSIM_PLACEHOLDER:BOOL=OFF" not in cache.read()
    built = run_host("import _cefsim\nreport(_cefsim.placeholder_built())").result
    assert built is chosen


@pytest.mark.usefixtures("needs_placeholder")
def test_a_browser_window_is_painted_again_when_its_host_shows_it_again(
        run_qt_host):
    run = run_qt_host("""
        html = ("<title>Shown</title><script>console.log('hello', 1);"
                "</script>")
        browser, window, bid = open_page(html, width=400, height=200)
        lines = lambda: (_cefsim.placeholder(bid) or {}).get("lines", [])
        assert pump_until(lambda: "Title:  Shown" in lines()
                          and "State:  loaded" in lines()), lines()
        # A deliberate pause: no event marks the last paint of the first
        # showing, and a late one would pass for the repaint checked below.
        pump(0.2)
        before = _cefsim.placeholder(bid)
        window.hide()
        assert pump_until(lambda: not x_viewable(handle(window)))
        window.show()
        assert pump_until(
            lambda: _cefsim.placeholder(bid)["paints"] > before["paints"])
        report({"before": before, "after": _cefsim.placeholder(bid)})
        window.close()
        _zubrix_cef.Shutdown()
    """)
    before, after = run.result["before"], run.result["after"]
    assert after["lines"] == before["lines"]
    assert after["lines"][0] == "cefsim: page not drawn (placeholder)"
    assert after["lines"][1].startswith("URL:    data:text/html,")
    assert after["lines"][2:] == ["Title:  Shown", "State:  loaded",
                                  "Console:", "  hello 1"]
    # Xlib reports an X error it was left to handle before it ends a process.
    assert "X Error" not in run.stderr
