# -*- coding: utf-8 -*-
"""Local content under Python 2.7: pages from the internal folder and from
a content archive that the helper package's packer made, calling Python."""
import os

from harness import TemporaryFolder, run_tests, write_tree
from pages import Recorder, open_page

import _zubrix_cef
import host_app
from zubrix_cef.pack import pack

# A page whose script, a second file, calls Python: the callback id and
# where the page came from are filled in. The page declares its charset,
# since its script is read in the page's encoding, which CEF takes as
# ISO-8859-1 without one.
INDEX = "<meta charset='utf-8'><script src='app.js'></script>"
APP = u"host.call_python_callback(%d, ['%s', 'd\u00e9j\u00e0 vu', 7, [true]]);"


def calls_from(folder_files, make_url):
    recorder = Recorder()
    callback_id = _zubrix_cef.RegisterPyCallback(recorder)
    with TemporaryFolder() as work:
        files = dict(folder_files)
        files["app.js"] = APP % (callback_id, "from " + make_url.__name__)
        content = write_tree(os.path.join(work, "content"), files)
        open_page(make_url(work, content))
        host_app.run_until(lambda: recorder.calls, 5)
        host_app.run_events(0.2)
    return recorder.calls


def internal(work, content):
    os.environ["CEF_PLOVEX_INTERNAL"] = content
    return "client://internal/index.html"


def archive(work, content):
    archive_path = os.path.join(work, "panel.plovex")
    assert pack(content, archive_path) == ["app.js", "index.html"]
    return "client://plovex/%s/index.html" % archive_path


def test_pages_from_the_internal_folder_call_python():
    calls = calls_from({"index.html": INDEX}, internal)
    assert calls == [("from internal", "d\xc3\xa9j\xc3\xa0 vu", 7, (True,))], calls


def test_pages_from_a_packed_archive_call_python():
    calls = calls_from({"index.html": INDEX}, archive)
    assert calls == [("from archive", "d\xc3\xa9j\xc3\xa0 vu", 7, (True,))], calls


run_tests(globals(), finish=_zubrix_cef.Shutdown)
