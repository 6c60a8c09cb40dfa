"""The helper's named callback registry over the module's ids, and the
start-up script that tells a page the ids."""
import pytest

from zubrix_cef.window_handles import module_window_handle


def test_names_map_to_module_ids_and_replacing_a_name_releases_the_old(run_host):
    outcome = run_host("""
        import gc, weakref, _zubrix_cef
        from zubrix_cef.callbacks import CallbackRegistry
        calls = []
        registry = CallbackRegistry()

        @registry.callback
        def greet(*args):
            calls.append(args)

        @registry.callback(name="other")
        def renamed():
            pass

        class Old:
            def __call__(self):
                pass
        old = Old()
        ref = weakref.ref(old)
        first = registry.register(old, name="slot")
        del old
        second = registry.register(len, name="slot")
        gc.collect()
        report([registry.ids, first, second, ref() is None, "greet" in registry,
                registry["greet"], greet.__name__, _zubrix_cef.RegisterPyCallback(len)])
    """).result
    ids, first, second, old_released, has_greet, greet_id, name, next_id = outcome
    assert ids == {"greet": 0, "other": 1, "slot": 3}
    assert (first, second, old_released) == (2, 3, True)
    assert has_greet and greet_id == 0 and name == "greet"
    assert next_id == 4


def test_unregister_drops_names_and_ignores_unknown_ones(run_host):
    outcome = run_host("""
        import gc, weakref
        from zubrix_cef.callbacks import CallbackRegistry
        class Callback:
            def __call__(self):
                pass
        registry = CallbackRegistry()
        kept, dropped = Callback(), Callback()
        refs = [weakref.ref(kept), weakref.ref(dropped)]
        registry.register(kept, "kept")
        registry.register(dropped, "dropped")
        del kept, dropped
        registry.unregister("dropped")
        registry.unregister("dropped")
        registry.unregister("never")
        gc.collect()
        states = [registry.ids, [r() is None for r in refs]]
        registry.unregister_all()
        gc.collect()
        states += [registry.ids, [r() is None for r in refs]]
        report(states)
    """).result
    assert outcome == [{"kept": 0}, [False, True], {}, [True, True]]


def test_javascript_defines_the_ids_under_a_checked_name(run_host):
    outcome = run_host("""
        import json
        from zubrix_cef.callbacks import CallbackRegistry
        registry = CallbackRegistry()
        registry.register(len, name="b")
        registry.register(abs, name='quote"\\u2028')
        script = registry.javascript("ids")
        refused = []
        for bad in ["", "1x", "a-b", "x;alert(1)", "a b"]:
            try:
                registry.javascript(bad)
            except ValueError:
                refused.append(bad)
        report([script, refused])
    """).result
    script, refused = outcome
    assert script == 'var ids = {"b": 0, "quote\\"\\u2028": 1};'
    assert refused == ["", "1x", "a-b", "x;alert(1)", "a b"]


@pytest.mark.parametrize("native, expected", [
    (0, 0),
    (0x00200006, 0x00200006),
    (0x7FFFFFFF, 0x7FFFFFFF),
    (0x80001234, -0x7FFFEDCC),              # as Qt reports a 32-bit handle
    (0xFFFFFFFF80001234, -0x7FFFEDCC),      # sign-extended 64-bit form
    (-0x7FFFEDCC, -0x7FFFEDCC),
])
def test_window_handles_become_the_signed_32_bit_form(native, expected):
    assert module_window_handle(native) == expected


@pytest.mark.parametrize("native", [1 << 32, 0x100000001, 0x7FFFFFFF80001234, -(1 << 31) - 1])
def test_values_that_are_no_32_bit_handle_are_refused(native):
    with pytest.raises(ValueError):
        module_window_handle(native)
