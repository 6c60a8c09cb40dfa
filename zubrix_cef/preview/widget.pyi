from typing import Any, Callable, List, Optional, Text

from zubrix_cef.channel import Channel
from zubrix_cef.preview.browser import PreviewBrowser
from zubrix_cef.preview.registry import PreviewRegistry

before_client_request: List[Callable[[str], Any]]

# A QWebEngineView, which these stubs cannot name.
class PreviewWidget(Any):
    channel_ready: Any        # a Qt signal (str): the channel's page URL
    console_message: Any      # a Qt signal (str, str): level, text
    engine_console_line: Any  # a Qt signal (str, str, int, str): level, text, line, source
    def __init__(self, url: str, channel: Optional[Channel] = ...,
                 startup_code: Optional[Text] = ..., parent: Optional[Any] = ...,
                 registry: Optional[PreviewRegistry] = ...) -> None: ...
    @property
    def url(self) -> str: ...
    @property
    def channel(self) -> Optional[Channel]: ...
    @property
    def browser(self) -> PreviewBrowser: ...

def preview_widget(url: str, channel: Optional[Channel] = ..., startup_code: Optional[Text] = ...,
                   parent: Optional[Any] = ...,
                   registry: Optional[PreviewRegistry] = ...) -> PreviewWidget: ...
