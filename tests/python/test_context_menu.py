"""The browsers' context menu: one "Reload" entry over pages and frames,
CEF's own entries elsewhere."""
import pytest

RELOAD_ONLY = [[0, "Reload"]]
PAGE, FRAME, LINK, MEDIA, SELECTION, EDITABLE = 1, 2, 4, 8, 16, 32


def test_page_and_frame_menus_hold_only_reload_and_choosing_it_reloads(run_qt_host):
    outcome = run_qt_host("""
        loads = Recorder()
        _zubrix_cef.RegisterPyCallback(loads)
        browser, window, browser_id = open_page(
            "<script>host.call_python_callback(0, ['loaded'])</script>")
        menus = [_cefsim.context_menu(browser_id, flags)
                 for flags in (%d, %d, %d | %d, %d | %d, %d | %d, %d | %d)]
        flush_calls(browser, loads.calls)
        before = len(loads.calls)
        chosen = _cefsim.context_menu_choose(browser_id, 0)
        pump_until(lambda: len(loads.calls) > before, 10.0)
        report([menus, before, len(loads.calls), chosen])
        _zubrix_cef.Shutdown()
    """ % (PAGE, FRAME, PAGE, LINK, PAGE, MEDIA, PAGE, SELECTION, FRAME, EDITABLE)).result
    menus, before, after, chosen = outcome
    assert all(menu == RELOAD_ONLY for menu in menus), menus
    assert chosen is True
    assert (before, after) == (1, 2)


@pytest.mark.parametrize("flags", [SELECTION, EDITABLE, LINK | SELECTION])
def test_menus_without_the_page_or_frame_flag_keep_cefs_entries(run_qt_host, flags):
    outcome = run_qt_host("""
        browser, window, browser_id = open_page("<p>x</p>")
        menu = _cefsim.context_menu(browser_id, %d)
        # Choosing one of CEF's entries is left to CEF.
        chosen = [_cefsim.context_menu_choose(browser_id, entry[0])
                  for entry in menu[:1] if entry[0] > 0]
        report([menu, chosen])
        _zubrix_cef.Shutdown()
    """ % flags).result
    menu, chosen = outcome
    assert menu and menu != RELOAD_ONLY
    assert all(entry[0] != 0 for entry in menu)


def test_the_developer_tools_menu_holds_only_reload(run_qt_host):
    outcome = run_qt_host("""
        browser, window, browser_id = open_page("<p>x</p>")
        browser.ShowDevTools(handle(window))
        records = wait_for_browsers(2)
        tools = [r["id"] for r in records if r["is_devtools"]][0]
        _cefsim.wait_loaded(tools, 10.0)
        report([_cefsim.context_menu(tools, %d), _cefsim.context_menu_choose(tools, 0)])
        _zubrix_cef.Shutdown()
    """ % PAGE).result
    assert outcome == [RELOAD_ONLY, True]
