"""Which pages get a channel: a page's URL, with the dot segments of its
path resolved as the client: route resolves them, starts with one of the
allowed prefixes. The same check in Python and as page code.

The route reads a URL's path as it stands (no percent-decoding) and lets
the file system resolve "." and ".." (with "\\" a separator too on Windows),
so a URL such as client://internal/panel/../docs/x.html is served
docs/x.html even though its text starts with client://internal/panel/."""
import json

_SEPARATORS = u"/\\"
_PATH_ENDS = u"?#"


def _is_dots_and_spaces(segment):
    return all(c in u". " for c in segment)


def normalised_url(url):
    """url with the dot segments of its path (what follows the scheme's
    colon up to "?" or "#") resolved, separators and empty segments kept;
    None when a segment is made of dots and spaces in another way ("...",
    ".. "), which Windows may also read as a step up and no check should
    guess at, or without a scheme."""
    colon = url.find(u":")
    if colon < 0:
        return None
    start = end = colon + 1
    while end < len(url) and url[end] not in _PATH_ENDS:
        end += 1
    out = url[:start]
    segment = u""
    for i in range(start, end + 1):
        c = url[i] if i < end else u""
        if c and c not in _SEPARATORS:
            segment += c
        else:
            if segment == u"..":
                out = _without_last_segment(out, start)
            elif segment and segment != u"." and _is_dots_and_spaces(segment):
                return None
            elif segment != u".":
                out += segment + c
            segment = u""
    return out + url[end:]


def normalised_prefix(prefix):
    """An allowed prefix in the form url_is_allowed compares: normalised,
    or as given when it names no scheme yet ("clie")."""
    normalised = normalised_url(prefix)
    return prefix if normalised is None else normalised


def url_is_allowed(url, normalised_prefixes):
    """Whether url, normalised, starts with one of the prefixes (each
    already normalised)."""
    url = normalised_url(url)
    return url is not None and any(url.startswith(prefix) for prefix in normalised_prefixes)


def _without_last_segment(text, start):
    """text without its last non-empty segment and the separators after it;
    as it is when it has no segment after start to take."""
    cut = len(text)
    while cut > start and text[cut - 1] in _SEPARATORS:
        cut -= 1
    if cut == start:
        return text
    while cut > start and text[cut - 1] not in _SEPARATORS:
        cut -= 1
    return text[:cut]


# Page code that sets ok to whether location.href, normalised as above,
# starts with one of the prefixes in p. It calls no function and builds no
# array or object, so that a page that replaced built-in functions or
# prototype setters cannot make it pass.
_CHECK_CODE = (
    u"var h=(typeof location==='object'&&location)?location.href:'',p=%s,ok=false,"
    u"n='',s='',c,t,i=0,j,k,m;"
    u"if(typeof h==='string'){"
    u"while(i<h.length&&h[i]!==':'){n+=h[i];i++;}"
    u"if(i<h.length){n+=':';i++;m=i;"
    u"for(;;i++){c=i<h.length&&h[i]!=='?'&&h[i]!=='#'?h[i]:'';"
    u"if(c!==''&&c!=='/'&&c!=='\\\\'){s+=c;continue;}"
    u"if(s==='..'){k=n.length;"
    u"while(k>m&&(n[k-1]==='/'||n[k-1]==='\\\\'))k--;"
    u"if(k>m){while(k>m&&n[k-1]!=='/'&&n[k-1]!=='\\\\')k--;"
    u"t=n;n='';for(j=0;j<k;j++)n+=t[j];}}"
    u"else if(s!=='.'){for(j=0;j<s.length&&(s[j]==='.'||s[j]===' ');j++){}"
    u"if(s!==''&&j===s.length){h=null;break;}n+=s+c;}"
    u"s='';if(c==='')break;}"
    u"if(h!==null){for(;i<h.length;i++)n+=h[i];"
    u"for(i=0;i<p.length&&!ok;i++){if(n.length>=p[i].length){ok=true;"
    u"for(j=0;j<p[i].length;j++){if(n[j]!==p[i][j]){ok=false;break;}}}}}}}")


def url_check_code(normalised_prefixes):
    """Page code that sets the variable ok as url_is_allowed would for the
    page's own URL."""
    return _CHECK_CODE % json.dumps(list(normalised_prefixes),
                                    ensure_ascii=True).replace("</", "<\\/")


def url_guard(normalised_prefixes):
    """Page code that returns from the enclosing function unless the page's
    URL is allowed."""
    return url_check_code(normalised_prefixes) + u"if(!ok)return;"
