"""Text that crosses between Python and a page: the strings a page sends
(UTF-8 byte strings), string literals for code that Python runs in a page,
and the check of a page's URL against allowed prefixes, in Python and as
page code."""
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


def url_is_allowed(url, prefixes):
    return any(url.startswith(prefix) for prefix in prefixes)


def url_guard(prefixes):
    """Page code that returns from the enclosing function unless the page's
    URL starts with one of prefixes. It compares character by character and
    calls no function, so that a page that replaced built-in functions
    cannot make it pass."""
    return (u"var h=(typeof location==='object'&&location)?location.href:'',"
            u"p=%s,ok=false,i,j;"
            u"if(typeof h!=='string')return;"
            u"for(i=0;i<p.length&&!ok;i++){if(h.length>=p[i].length){ok=true;"
            u"for(j=0;j<p[i].length;j++){if(h[j]!==p[i][j]){ok=false;break;}}}}"
            u"if(!ok)return;" % json.dumps(list(prefixes), ensure_ascii=True).replace("</", "<\\/"))
