"""Finds the QtWidgets module of whichever Qt binding the host uses, and
the signal type of a binding."""
import importlib
import sys

_BINDINGS = ("PySide2", "PyQt5", "PySide6", "PyQt6")


def find_qt_widgets():
    """QtWidgets of a binding the host has already imported, else of the
    first one that imports."""
    loaded = [name for name in _BINDINGS if name in sys.modules]
    for name in loaded + [name for name in _BINDINGS if name not in loaded]:
        try:
            return importlib.import_module(name + ".QtWidgets")
        except ImportError:
            continue
    raise ImportError("no Qt binding found (tried %s)" % ", ".join(_BINDINGS))


def signal_type(qt_widgets):
    """The signal class of the binding that qt_widgets belongs to: QtCore's
    Signal (PySide) or pyqtSignal (PyQt)."""
    qt_core = importlib.import_module(qt_widgets.__name__.rpartition(".")[0] + ".QtCore")
    signal = getattr(qt_core, "Signal", None) or getattr(qt_core, "pyqtSignal", None)
    if signal is None:
        raise ImportError("%s has no signal type" % qt_core.__name__)
    return signal
