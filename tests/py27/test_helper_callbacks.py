"""The helper package's named callbacks and window handles under Python 2.7,
with the module's ids behind the names."""
import gc
import weakref

from harness import expect_error, run_tests

import _zubrix_cef
from zubrix_cef.callbacks import CallbackRegistry
from zubrix_cef.window_handles import module_window_handle


class Callback(object):
    def __call__(self):
        pass


def test_names_map_to_module_ids_and_replacing_a_name_releases_the_old():
    registry = CallbackRegistry()

    @registry.callback
    def greet():
        pass

    @registry.callback(name=u"other")
    def renamed():
        pass
    old = Callback()
    ref = weakref.ref(old)
    first = registry.register(old, name="slot")
    del old
    second = registry.register(len, name="slot")
    gc.collect()
    assert registry.ids == {"greet": 0, "other": 1, "slot": 3}
    assert (first, second, ref() is None) == (2, 3, True)
    assert "greet" in registry and registry["greet"] == 0
    assert greet.__name__ == "greet"
    assert _zubrix_cef.RegisterPyCallback(len) == 4


def test_unregister_drops_names_and_releases_their_callables():
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
    assert (list(registry.ids), [r() is None for r in refs]) == (["kept"], [False, True])
    registry.unregister_all()
    gc.collect()
    assert (registry.ids, [r() is None for r in refs]) == ({}, [True, True])


def test_javascript_defines_the_ids_under_a_checked_name():
    registry = CallbackRegistry()
    b = registry.register(len, name="b")
    quoted = registry.register(abs, name=u'quote"\u2028')
    assert registry.javascript("ids") == \
        'var ids = {"b": %d, "quote\\"\\u2028": %d};' % (b, quoted)
    for bad in ["", "1x", "a-b", "x;alert(1)", "a b"]:
        expect_error(ValueError, registry.javascript, bad)


def test_window_handles_become_a_form_the_module_takes():
    for native, expected in [(0x00200006, 0x00200006), (0x80001234L, -0x7FFFEDCC),
                             (0xFFFFFFFF80001234L, -0x7FFFEDCC)]:
        assert module_window_handle(native) == expected
    for native in [1 << 32, -(1 << 31) - 1]:
        expect_error(ValueError, module_window_handle, native)


run_tests(globals())
