# The Python surface of the _zubrix_cef extension module. Every parameter is
# positional only (the module declares no keyword names), hence the leading
# double underscores. Text is str or bytes (unicode or str under Python 2).
import logging
from typing import Any, Callable, Dict, Optional, Union

_Text = Union[str, bytes]

# pybind11 makes every bound class with a metaclass of its own.
class _BoundClass(type): ...

# Starts CEF. Known keys: resources_dir_path, locales_dir_path,
# browser_subprocess_path, cache_path; other keys are ignored.
# zubrix_cef.initialize checks the settings first. CEF starts once per
# process: a second call, while it runs or after Shutdown, raises
# RuntimeError.
def Initialize(__settings: Dict[Any, Any]) -> None: ...
# Closes every open browser, waits (at most 10 s) until CEF reports each
# closed, then stops CEF. Does nothing when CEF does not run.
def Shutdown() -> None: ...

# Returns at once; the browser is made on CEF's UI thread as a child window
# filling the parent's client area. Window handles are signed 32-bit.
# Raises RuntimeError when CEF does not run (before Initialize, after
# Shutdown).
def CreateBrowserSync(__parent_window: int, __url: _Text) -> CefBrowser: ...

# Returns the callable's id (0, 1, 2, ...; not reused until the 32-bit count
# wraps), which pages pass to host.call_python_callback.
def RegisterPyCallback(__callable: Callable[..., object]) -> int: ...
def UnregisterPyCallback(__callback_id: int) -> None: ...

# Every page's console messages and uncaught errors are logged on the host's
# main thread as logger.log(level, "%s:%d: %s", source_url, line, text):
# WARNING for text starting "Uncaught", INFO otherwise. By default the logger
# is logging.getLogger("zubrix_cef.page"); this names another (redirect) or
# None (off). Acts at once, before or after Initialize; a logger without a
# log method (as logging.Logger's) raises TypeError.
def SetConsoleLogger(__logger: Optional[logging.Logger]) -> None: ...

# Made only by CreateBrowserSync. Calls made before the browser exists do
# nothing, except Resize, RegisterStartupCode and UnregisterStartupCode,
# which wait for it (the last two in the order called).
class CefBrowser(metaclass=_BoundClass):
    def Resize(self, __x: int, __y: int, __width: int, __height: int) -> None: ...
    def Close(self) -> None: ...
    def Reload(self) -> None: ...
    def ExecuteJavascript(self, __code: _Text) -> None: ...
    def ShowDevTools(self, __parent_window: int) -> None: ...
    # Runs code in the main frame at every load start, from the next one on.
    # Returns at once: the code is stored on CEF's UI thread once the browser
    # exists, after any earlier (Un)RegisterStartupCode of this browser.
    def RegisterStartupCode(self, __code: _Text) -> None: ...
    # Returns at once, but waits on CEF's UI thread for the browser to exist
    # and for every earlier RegisterStartupCode of this browser to be stored,
    # then drops the code: loads that start after that run none.
    def UnregisterStartupCode(self) -> None: ...

# Made only by GetGlobalManager.
class CefCookieManager(metaclass=_BoundClass):
    @staticmethod
    def GetGlobalManager() -> CefCookieManager: ...
    def SetCookie(self, __url: _Text, __cookie: CefCookie) -> None: ...

class CefCookie(metaclass=_BoundClass):
    def __init__(self) -> None: ...
    @property
    def name(self) -> str: ...
    @name.setter
    def name(self, __text: _Text) -> None: ...
    @property
    def domain(self) -> str: ...
    @domain.setter
    def domain(self, __text: _Text) -> None: ...
    @property
    def path(self) -> str: ...
    @path.setter
    def path(self, __text: _Text) -> None: ...
    @property
    def value(self) -> str: ...
    @value.setter
    def value(self, __text: _Text) -> None: ...
    has_expires: int
    httponly: int
