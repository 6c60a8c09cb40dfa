from zubrix_cef.preview.engine import TARGET_CHROMIUM as TARGET_CHROMIUM
from zubrix_cef.preview.registry import PreviewRegistry as PreviewRegistry
from zubrix_cef.preview.registry import shared_registry as shared_registry
from zubrix_cef.preview.widget import PreviewWidget as PreviewWidget
from zubrix_cef.preview.widget import preview_widget as preview_widget
