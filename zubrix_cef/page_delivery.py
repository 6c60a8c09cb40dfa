"""What Python sends a channel's page, gathered into one script: answers
and progress for the load that asked, events and page calls for the load
that is ready. The page's receiver is compiled once with the page; each
script only hands it JSON text.

Pages whose channel script predates batches (an older copy of channel.js
that a page carries) get each message the way that script reads them."""
import json

from zubrix_cef.page_messages import javascript_string

# A page side that takes batches says so with every message it sends.
BATCH_VERSION = 2


class Outgoing(object):
    """Messages queued for pages, in the order made, until flushed."""

    def __init__(self):
        self._entries = []   # (load, url, version, kind, JSON text)

    def __len__(self):
        return len(self._entries)

    def add(self, load, url, version, kind, text):
        """kind: "answer" or "progress" (text is the item), or "deliver" (an
        event or page call with its sequence number)."""
        self._entries.append((load, url, version, kind, text))

    def take_script(self, url_check):
        """The script for everything queued, or None; empties the queue.
        url_check: page code that sets ok for a page whose URL changed since
        it sent its message (a fragment, say), by the full check."""
        entries, self._entries = self._entries, []
        groups, order = {}, []
        for load, url, version, kind, text in entries:
            if load not in groups:
                groups[load] = (url, version, [])
                order.append(load)
            groups[load][2].append((kind, text))
        if not groups:
            return None
        parts = [u"(function(){var h=location.href,r=window.zubrix&&window.zubrix._receive,"
                 u"full=function(){%s\nreturn ok;};if(typeof r!=='function')return;" % url_check]
        for load in order:
            url, version, items = groups[load]
            texts = _batch_texts(load, items) if version >= BATCH_VERSION else \
                _single_texts(load, items)
            if texts:
                parts.append(u"if(h===%s||full()){%s}" % (
                    javascript_string(url),
                    u"".join(u"r(%s);" % javascript_string(t) for t in texts)))
        parts.append(u"})();")
        return u"".join(parts)


def _batch_texts(load, items):
    return [u'{"t":"batch","load":%s,"m":[%s]}' % (json.dumps(load),
                                                  u",".join(text for _, text in items))]


def _single_texts(load, items):
    # The older page side reads answers one by one and page messages in
    # "deliver" lists; it knows no progress.
    texts, delivered = [], []
    for kind, text in items:
        if kind == "answer":
            texts.append(u'{"load":%s,%s' % (json.dumps(load), text[1:]))
        elif kind == "deliver":
            delivered.append(text)
    if delivered:
        texts.append(u'{"t":"deliver","load":%s,"messages":[%s]}' % (
            json.dumps(load), u",".join(delivered)))
    return texts
