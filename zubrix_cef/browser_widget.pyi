from types import ModuleType
from typing import Any, Optional, Type

from _zubrix_cef import CefBrowser
from zubrix_cef.channel import Channel

# The class that browser_widget_class makes for a binding: it derives from
# that binding's QWidget, which these stubs cannot name, and adds these.
class _BrowserWidget(Any):
    channel_ready: Any      # a Qt signal (str): the channel's page URL
    console_message: Any    # a Qt signal (str, str): level, text
    def __init__(self, url: str, startup_code: Optional[str] = ...,
                 parent: Optional[Any] = ..., channel: Optional[Channel] = ...) -> None: ...
    @property
    def channel(self) -> Optional[Channel]: ...
    @property
    def url(self) -> str: ...
    @property
    def browser(self) -> Optional[CefBrowser]: ...
    def window_handle(self) -> int: ...

def browser_widget_class(qt_widgets: Optional[ModuleType] = ...) -> Type[_BrowserWidget]: ...
