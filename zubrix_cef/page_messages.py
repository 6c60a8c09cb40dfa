"""Text that crosses between Python and a page: the strings a page sends
(UTF-8 byte strings) and string literals for code that Python runs in a
page."""
import json


def decode_page_text(value):
    """A page string as unicode; pages send UTF-8 byte strings."""
    if isinstance(value, bytes):
        return value.decode("utf-8", "replace")
    return value


def javascript_string(text):
    """A JavaScript string literal for text: ASCII only (so no U+0000,
    U+2028 or U+2029 appears unescaped), and no "</" that could end an
    HTML script element."""
    return json.dumps(text, ensure_ascii=True).replace("</", "<\\/")
