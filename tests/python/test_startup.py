"""Start-up and shutdown: the settings CEF receives, the command lines of the
host and render processes, and refusals of bad arguments."""
import pytest

USER_DATA_DIR = "--user-data-dir= C:/Users/%USERNAME%/.zubrix_cef"
APP_ENTRIES = ["--disable-web-security", USER_DATA_DIR,
               "persist-session-cookies", "disable-site-isolation-trials"]
PATH_KEYS = ["resources_dir_path", "locales_dir_path",
             "browser_subprocess_path", "cache_path"]


def in_order(argv, entries):
    """True when every entry appears in argv, in this order."""
    position = 0
    for entry in entries:
        try:
            position = argv.index(entry, position) + 1
        except ValueError:
            return False
    return True


def test_empty_settings_start_cef_with_only_the_two_flags(run_host):
    settings = run_host("""
        import _zubrix_cef, _cefsim
        assert _cefsim.settings() is None
        assert _zubrix_cef.Initialize({}) is None
        report(_cefsim.settings())
        _zubrix_cef.Shutdown()
    """).result
    assert settings.pop("no_sandbox") == 1
    assert settings.pop("multi_threaded_message_loop") == 1
    assert settings.pop("size") > 0
    for name, value in settings.items():
        assert value in (0, ""), name


@pytest.mark.parametrize("value", [
    "'C:/cache/\\u00e9t\\u00e9/\\U0001F600'",
    "'C:/cache/\\u00e9t\\u00e9/\\U0001F600'.encode('utf-8')",
])
def test_path_values_reach_cef_unchanged(run_host, value):
    settings = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({"cache_path": %s, "resources_dir_path": "r",
                                "locales_dir_path": "l",
                                "browser_subprocess_path": SUBPROCESS,
                                "unknown": object(), "user_agent": "x"})
        report(_cefsim.settings())
        _zubrix_cef.Shutdown()
    """ % value).result
    assert settings["cache_path"] == "C:/cache/\u00e9t\u00e9/\U0001F600"
    assert settings["resources_dir_path"] == "r"
    assert settings["locales_dir_path"] == "l"
    assert settings["browser_subprocess_path"].endswith("zubrix_cef_subprocess")
    assert settings["user_agent"] == ""


@pytest.mark.parametrize("call, error", [
    ("_zubrix_cef.Initialize({'cache_path': None})", "RuntimeError"),
    ("_zubrix_cef.Initialize({'resources_dir_path': 'x', 'cache_path': 3})",
     "RuntimeError"),
    ("_zubrix_cef.Initialize([])", "TypeError"),
    ("_zubrix_cef.Initialize()", "TypeError"),
    ("_zubrix_cef.Initialize({}, {})", "TypeError"),
    ("_zubrix_cef.Initialize(settings={})", "TypeError"),
    ("_zubrix_cef.Shutdown(1)", "TypeError"),
])
def test_bad_arguments_raise_and_start_nothing(run_host, call, error):
    outcome = run_host("""
        import _zubrix_cef, _cefsim
        try:
            %s
            raised = None
        except Exception as e:
            raised = type(e).__name__
        report([raised, _cefsim.initialize_count(), _cefsim.processes()])
    """ % call).result
    assert outcome == [error, 0, []]


def test_host_command_line_carries_the_app_entries(run_host):
    processes = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({})
        report([[p["type"], [a.decode("latin-1") for a in p["argv"]]]
                for p in _cefsim.processes()])
        _zubrix_cef.Shutdown()
    """).result
    assert len(processes) == 1
    process_type, argv = processes[0]
    assert process_type == ""
    assert in_order(argv, APP_ENTRIES)
    assert argv.count(USER_DATA_DIR) == 1


def test_render_process_from_the_subprocess_carries_the_app_entries(run_host):
    outcome = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({"browser_subprocess_path": SUBPROCESS})
        pid = _cefsim.start_render_process(20.0)
        records = [[p["pid"], p["type"], [a.decode("latin-1") for a in p["argv"]]]
                   for p in _cefsim.processes()]
        _zubrix_cef.Shutdown()
        alive = [p["alive"] for p in _cefsim.processes() if p["pid"] == pid]
        report([pid, records, alive])
    """).result
    pid, records, alive_after = outcome
    assert pid > 0
    renderer = [r for r in records if r[0] == pid]
    assert len(renderer) == 1
    _, process_type, argv = renderer[0]
    assert process_type == "renderer"
    assert argv[0].endswith("zubrix_cef_subprocess")
    assert in_order(argv, ["--type=renderer"] + APP_ENTRIES)
    assert alive_after == [False]


@pytest.mark.parametrize("path", ["/nonexistent/zubrix_cef_subprocess",
                                  "/bin/true"])
def test_subprocess_that_fails_leaves_the_host_working(run_host, path):
    outcome = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({"browser_subprocess_path": %r})
        failed = _cefsim.start_render_process(5.0)
        _zubrix_cef.Shutdown()
        report(failed)
    """ % path).result
    # The host went on and shut CEF down; a working sub-process is what the
    # other tests start, each in a process of its own.
    assert outcome == -1


def test_shutdown_before_initialize_and_twice_does_nothing(run_host):
    count = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Shutdown()
        _zubrix_cef.Initialize({"browser_subprocess_path": SUBPROCESS})
        _cefsim.start_render_process(20.0)
        _zubrix_cef.Shutdown()
        _zubrix_cef.Shutdown()
        report(_cefsim.initialize_count())
    """).result
    assert count == 1


# CEF 3.3163 starts once per process: a second CefInitialize while it runs
# does nothing, and one after CefShutdown crashes. Both are refused before
# CEF is touched, with the reason.
@pytest.mark.parametrize("second_start, reason", [
    ("", "CEF is running already"),
    ("_zubrix_cef.Shutdown()", "CEF cannot start twice in one process"),
])
def test_a_second_initialize_is_refused_before_cef_is_touched(
        run_host, second_start, reason):
    outcome = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({})
        %s
        try:
            _zubrix_cef.Initialize({"cache_path": "second"})
            raised = None
        except RuntimeError as e:
            raised = str(e)
        report([raised, _cefsim.initialize_count(), _cefsim.settings()["cache_path"]])
        _zubrix_cef.Shutdown()
    """ % second_start)
    raised, count, cache_path = outcome.result
    assert raised.startswith("Initialize: ") and reason in raised
    assert [count, cache_path] == [1, ""]
    # The stand-in, which refuses a restart itself, never saw one.
    assert "CefInitialize after CefShutdown" not in outcome.stderr


def test_shutdown_closes_open_browsers_and_waits_for_each(run_qt_host):
    # Pages, developer tools, and a browser asked for just before: CEF must
    # report each closed before it is shut down (the harness fails a run
    # whose stand-in saw a browser still open), and the host's windows stay.
    outcome = run_qt_host("""
        first, window, first_id = open_page("<p>one</p>")
        second, _, _ = open_page("<p>two</p>")
        first.ShowDevTools(handle(window))
        wait_for_browsers(3)
        late = _zubrix_cef.CreateBrowserSync(handle(window), data_url("<p>late</p>"))
        _zubrix_cef.Shutdown()
        report([window.isVisible(), x_viewable(handle(window))])
    """)
    assert outcome.result == [True, True]


def test_shutdown_with_a_render_process_running_ends_cleanly(run_host):
    run = run_host("""
        import _zubrix_cef, _cefsim
        _zubrix_cef.Initialize({"browser_subprocess_path": SUBPROCESS})
        pids = [_cefsim.start_render_process(20.0) for _ in range(3)]
        assert all(p > 0 for p in pids), pids
        _zubrix_cef.Shutdown()
        report([p["alive"] for p in _cefsim.processes() if p["type"]])
    """)
    assert run.result == [False, False, False]


def test_render_processes_inherit_no_descriptor_but_their_channel(run_host):
    # A pipe left inheritable by some library of the host: once the host
    # closes its write end, the reader must see the end of it, which a
    # render process holding a copy would prevent.
    outcome = run_host("""
        import _zubrix_cef, _cefsim, select
        read_end, write_end = os.pipe()
        os.set_inheritable(write_end, True)
        _zubrix_cef.Initialize({"browser_subprocess_path": SUBPROCESS})
        pid = _cefsim.start_render_process(20.0)
        os.close(write_end)
        ready, _, _ = select.select([read_end], [], [], 5.0)
        report([pid > 0, bool(ready) and os.read(read_end, 1) == b""])
        _zubrix_cef.Shutdown()
    """).result
    assert outcome == [True, True]
