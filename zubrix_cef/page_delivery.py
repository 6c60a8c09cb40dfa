"""What Python sends a channel's page, gathered into one script: answers
and progress for the load that asked, events and page calls for the load
that is ready. The page's receiver is compiled once with the page; each
script only hands it JSON text, for it to parse at once.

Pages whose channel script predates batches (an older copy of channel.js
that a page carries) get each message the way that script reads them."""
import json

from zubrix_cef.page_messages import javascript_string

# A page side that takes batches says so with every message it sends.
BATCH_VERSION = 2


class Outgoing(object):
    """Messages queued for pages, in the order made, until flushed."""

    def __init__(self):
        self._entries = []   # (load, version, kind, JSON text)
        self._batch_load = None
        self._batch_parts = None

    def __len__(self):
        return len(self._entries)

    def add(self, load, version, kind, text):
        """kind: "answer" or "progress" (text is the item), or "deliver" (an
        event or page call with its sequence number)."""
        self._entries.append((load, version, kind, text))

    def take_script(self, url_guard):
        """The script for everything queued, or None; empties the queue.
        url_guard: page code that returns unless the page's URL is allowed,
        for pages whose channel script predates batches."""
        entries, self._entries = self._entries, []
        groups, order = {}, []
        for load, version, kind, text in entries:
            group = groups.get(load)
            if group is None:
                group = groups[load] = (version, [])
                order.append(load)
            group[1].append((kind, text))
        parts = []
        for load in order:
            version, items = groups[load]
            if version >= BATCH_VERSION:
                parts.append(self._batch_script(load, items))
            else:
                texts = _single_texts(load, items)
                if texts:
                    parts.append(u"(function(){%s\nvar r=window.zubrix&&window.zubrix._receive;"
                                 u"if(typeof r==='function'){%s}})();" % (
                                     url_guard, u"".join(u"r(%s);" % javascript_string(t)
                                                         for t in texts)))
        return u"\n".join(parts) or None

    def _batch_script(self, load, items):
        # Only the load that asked knows its token, which no other page can
        # make a property equal, so the script needs no check of the URL and
        # no function of the page. A page speaks with one load at a time:
        # its script's fixed parts are kept.
        if self._batch_load != load:
            self._batch_load = load
            self._batch_parts = (
                u"(function(){var z=window.zubrix;if(z&&z._load===%s)z._receive(" %
                javascript_string(load),
                u'{"t":"batch","load":%s,"m":[' % json.dumps(load))
        head, batch_head = self._batch_parts
        text = batch_head + u",".join([text for _, text in items]) + u"]}"
        return head + javascript_string(text) + u");})();"


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
