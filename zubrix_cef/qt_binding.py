"""Finds the QtWidgets module of whichever Qt binding the host uses."""
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
