"""The helper package's named callbacks and window handles under Python 2.7:
names given as str or unicode, the module's ids behind them, handles given
as int or long."""
import gc
import json
import weakref

from harness import expect_error, run_tests

import _zubrix_cef
from zubrix_cef.callbacks import CallbackRegistry
from zubrix_cef.window_handles import module_window_handle


class Callback(object):
    def __call__(self):
        pass


def test_str_and_unicode_names_name_the_same_callback():
    registry = CallbackRegistry()

    @registry.callback(name=u"greet")
    def greet():
        pass
    old = Callback()
    ref = weakref.ref(old)
    first = registry.register(old, name="greet")
    del old
    second = registry.register(len, "greet")
    gc.collect()
    assert greet.__name__ == "greet"
    assert registry.ids == {"greet": second} and registry[u"greet"] == second
    assert (type(first), type(second)) == (int, int)
    assert ref() is None, "the replaced callable is still held"
    assert _zubrix_cef.RegisterPyCallback(len) == second + 1
    registry.unregister(u"greet")
    registry.unregister("greet")
    assert "greet" not in registry


def test_unregister_all_releases_every_callable():
    registry = CallbackRegistry()
    callables = [Callback(), Callback()]
    refs = map(weakref.ref, callables)
    registry.register(callables[0], "first")
    registry.register(callables[1], u"second")
    del callables
    registry.unregister_all()
    gc.collect()
    assert (registry.ids, [r() is None for r in refs]) == ({}, [True, True])


def test_javascript_holds_ids_under_names_of_either_kind():
    registry = CallbackRegistry()
    ids = {"plain": registry.register(len, name="plain"),
           u"caf\u00e9": registry.register(abs, name=u"caf\u00e9")}
    script = registry.javascript("ids")
    assert script.startswith("var ids = ") and script.endswith(";")
    assert json.loads(script[len("var ids = "):-1]) == ids
    for bad in ["", "1x", "x;alert(1)", u"caf\u00e9"]:
        expect_error(ValueError, registry.javascript, bad)


def test_window_handles_take_int_and_long():
    for native, expected in [(0x00200006, 0x00200006), (0x00200006L, 0x00200006),
                             (0x80001234L, -0x7FFFEDCC),
                             (0xFFFFFFFF80001234L, -0x7FFFEDCC)]:
        assert module_window_handle(native) == expected
    for native in [1 << 32, -(1 << 31) - 1]:
        expect_error(ValueError, module_window_handle, native)


run_tests(globals())
