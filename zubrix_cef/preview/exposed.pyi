from zubrix_cef.channel import Channel
from zubrix_cef.preview.registry import PreviewRegistry

def exposed_channel(spec: str, registry: PreviewRegistry) -> Channel: ...
