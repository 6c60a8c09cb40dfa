# -*- coding: utf-8 -*-
"""The helper package's packer under Python 2.7: the same archive, byte for
byte, as under Python 3, and the same refusals."""
import os
import subprocess
import sys
import zipfile
from StringIO import StringIO

from harness import ROOT, TemporaryFolder, expect_error, run_tests, write_tree

from zubrix_cef import pack as packer

PYTHON3 = "/usr/bin/python3"
TREE = {"index.html": "<p>i</p>", "js/app.js": "x()", "js/lib/util.js": "u",
        "Zeta.txt": "z", "a b.txt": "space",
        u"caf\u00e9/\u4e2d.js".encode("utf-8"): u"// \u00e9".encode("utf-8")}


def pack_under_python3(folder, out):
    code = "import sys; from zubrix_cef.pack import pack; pack(sys.argv[1], sys.argv[2])"
    subprocess.check_call([PYTHON3, "-c", code, folder, out], cwd=ROOT)


def test_archives_match_python_3s_byte_for_byte():
    with TemporaryFolder() as work:
        folder = write_tree(os.path.join(work, "site"), TREE)
        os.makedirs(os.path.join(folder, "empty", "deeper"))
        for index, name in enumerate(sorted(os.listdir(folder))):
            path = os.path.join(folder, name)
            os.utime(path, (1e9 + index, 1.5e9 + index))
        mine, theirs = os.path.join(work, "two.plovex"), os.path.join(work, "three.plovex")
        names = packer.pack(folder, mine)
        pack_under_python3(folder, theirs)
        with open(mine, "rb") as a, open(theirs, "rb") as b:
            assert a.read() == b.read()
        assert names == sorted(TREE)
        # Names come back as the walk gave them, bytes; the archive holds
        # them as text.
        with zipfile.ZipFile(mine) as archive:
            assert archive.namelist() == [name.decode("utf-8") for name in names]
            assert dict((n, archive.read(n.decode("utf-8"))) for n in names) == TREE


def test_an_archive_inside_the_folder_leaves_itself_out():
    with TemporaryFolder() as work:
        write_tree(work, {"index.html": "i"})
        out = os.path.join(work, "site.plovex")
        packer.pack(work, out)
        assert packer.pack(work, out) == ["index.html"]


def test_refusals_raise_value_error_and_write_nothing():
    for files, archive_name, message in [
            ({"a.js": "1", "A.js": "2"}, "x.plovex", "differ only in case"),
            ({"\xc3\xa9.js": "1", "\xc3\x89.js": "2"}, "x.plovex", "differ only in case"),
            ({"a.js": "1"}, "x.zip", "must end in .plovex"),
            ({"a.js": "1"}, "x.PLOVEX", "must end in .plovex")]:
        with TemporaryFolder() as work:
            folder = write_tree(os.path.join(work, "site"), files)
            out = os.path.join(work, archive_name)
            error = expect_error(ValueError, packer.pack, folder, out)
            assert message in str(error), (files, error)
            assert not os.path.exists(out)
    with TemporaryFolder() as work:
        expect_error(ValueError, packer.pack, os.path.join(work, "missing"),
                     os.path.join(work, "m.plovex"))


def test_misused_arguments_are_refused_and_empty_files_left_out():
    with TemporaryFolder() as work:
        folder = write_tree(os.path.join(work, "site"), {"index.html": "i", "blank.js": ""})
        out = os.path.join(work, "site.plovex")
        for exclude in ("*.psd", u"*.psd"):
            error = expect_error(TypeError, packer.pack, folder, out, exclude)
            assert "list of patterns" in str(error)
        assert not os.path.exists(out)
        assert packer.pack(folder, out) == ["index.html"]
        error = expect_error(ValueError, packer.pack, folder, out, ["index.html"])
        assert ("nothing to pack in " + folder) in str(error)


def test_the_command_packs_and_reports_failures():
    with TemporaryFolder() as work:
        folder = write_tree(os.path.join(work, "site"), TREE)
        out = os.path.join(work, "site.plovex")
        sys.stdout, sys.stderr = StringIO(), StringIO()
        try:
            done = packer.main([folder, out])
            missing = packer.main([os.path.join(work, "missing"), out + "2.plovex"])
            printed, complaints = sys.stdout.getvalue(), sys.stderr.getvalue()
        finally:
            sys.stdout, sys.stderr = sys.__stdout__, sys.__stderr__
        assert (done, missing) == (0, 1)
        assert "6 entries" in printed
        assert complaints.startswith("pack: not a folder")


run_tests(globals())
