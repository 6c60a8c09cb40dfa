"""The packer: the same folder gives the same bytes, entries are the files
named by their path below the folder, and bad requests fail loudly."""
import logging
import os
import subprocess
import zipfile

import pytest

from conftest import PYTHON, ROOT
from zubrix_cef.pack import pack


def make_tree(root, files, reverse=False):
    for name in sorted(files, reverse=reverse):
        path = os.path.join(str(root), *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(files[name])
    return str(root)


TREE = {"index.html": b"<p>i</p>", "js/app.js": b"x()", "js/lib/util.js": b"u",
        "css/site.css": b"p{}", "Zeta.txt": b"z", "a b.txt": b"space"}


def test_same_content_gives_same_bytes_whatever_times_order_and_modes(tmp_path):
    first = make_tree(tmp_path / "one", TREE)
    second = make_tree(tmp_path / "two", TREE, reverse=True)
    for i, name in enumerate(sorted(TREE)):
        path = os.path.join(second, *name.split("/"))
        os.utime(path, (1e9 + i, 1.5e9 + i))
        os.chmod(path, 0o600 if i % 2 else 0o755)
    out_one, out_two = str(tmp_path / "one.plovex"), str(tmp_path / "two.plovex")
    pack(first, out_one)
    pack(second, out_two)
    with open(out_one, "rb") as a, open(out_two, "rb") as b:
        assert a.read() == b.read()
    pack(first, out_two)
    with open(out_one, "rb") as a, open(out_two, "rb") as b:
        assert a.read() == b.read()


def test_entries_are_sorted_files_with_fixed_metadata(tmp_path):
    folder = make_tree(tmp_path / "site", TREE)
    os.makedirs(os.path.join(folder, "empty", "deeper"))
    out = str(tmp_path / "site.plovex")
    names = pack(folder, out)
    assert names == sorted(TREE)
    with zipfile.ZipFile(out) as archive:
        infos = archive.infolist()
        assert [i.filename for i in infos] == names
        assert {n: archive.read(n) for n in names} == TREE
        for info in infos:
            assert info.date_time == (1980, 1, 1, 0, 0, 0)
            assert info.external_attr >> 16 == 0o100644
            assert info.create_system == 3
            assert info.compress_type == zipfile.ZIP_DEFLATED


@pytest.mark.parametrize("files, exclude", [
    ({}, ()),
    ({"empty.html": b"", "sub/blank.js": b""}, ()),
    ({"art.psd": b"psd", ".hidden": b"h"}, ("*.psd",)),
], ids=["no files", "only empty files", "everything left out"])
def test_a_folder_that_leaves_no_entry_is_refused_by_name(tmp_path, files, exclude):
    folder = make_tree(tmp_path / "nothing", files)
    (tmp_path / "nothing" / "inside").mkdir(parents=True, exist_ok=True)
    out = str(tmp_path / "nothing.plovex")
    with pytest.raises(ValueError, match="nothing to pack in " + folder):
        pack(folder, out, exclude)
    assert not os.path.exists(out)


def test_empty_files_are_left_out_with_a_warning(tmp_path, caplog):
    folder = make_tree(tmp_path / "site", {"index.html": b"i", "js/empty.js": b""})
    out = str(tmp_path / "site.plovex")
    with caplog.at_level(logging.WARNING, logger="zubrix_cef"):
        assert pack(folder, out) == ["index.html"]
    assert zipfile.ZipFile(out).namelist() == ["index.html"]
    (warning,) = [r.getMessage() for r in caplog.records if r.name == "zubrix_cef"]
    assert "js/empty.js" in warning and "empty" in warning


@pytest.mark.parametrize("exclude", ["*.psd", b"*.psd"])
def test_exclude_given_as_one_string_is_refused_before_anything_is_written(
        tmp_path, exclude):
    folder = make_tree(tmp_path / "site", {"index.html": b"i", "art.psd": b"p"})
    out = str(tmp_path / "site.plovex")
    with pytest.raises(TypeError, match="list of patterns"):
        pack(folder, out, exclude=exclude)
    assert not os.path.exists(out)


def test_names_beyond_ascii_are_stored_as_utf8(tmp_path):
    folder = make_tree(tmp_path / "f", {"caf\u00e9/\u4e2d.js": b"1"})
    out = str(tmp_path / "f.plovex")
    pack(folder, out)
    with zipfile.ZipFile(out) as archive:
        (info,) = archive.infolist()
        assert info.filename == "caf\u00e9/\u4e2d.js" and info.flag_bits & 0x800


def test_archive_written_into_the_packed_folder_leaves_itself_out(tmp_path):
    folder = make_tree(tmp_path / "site", {"index.html": b"i"})
    out = os.path.join(folder, "site.plovex")
    pack(folder, out)
    assert pack(folder, out) == ["index.html"]


@pytest.mark.parametrize("files, archive_name, message", [
    ({"a.js": b"1", "A.js": b"2"}, "x.plovex", "differ only in case"),
    ({"a.js": b"1"}, "x.zip", "must end in .plovex"),
    ({"a.js": b"1"}, "x.PLOVEX", "must end in .plovex"),
])
def test_refuses_archives_that_could_not_serve_every_file(tmp_path, files, archive_name, message):
    folder = make_tree(tmp_path / "site", files)
    if len(os.listdir(folder)) < len(files):
        pytest.skip("file system ignores case")
    out = str(tmp_path / archive_name)
    with pytest.raises(ValueError, match=message):
        pack(folder, out)
    assert not os.path.exists(out)


def run_command(*args, **kwargs):
    env = dict(os.environ, PYTHONPATH=ROOT)
    return subprocess.run([PYTHON, "-m", "zubrix_cef.pack"] + list(args),
                          cwd=kwargs.get("cwd", ROOT), env=env,
                          capture_output=True, text=True)


def test_command_packs_and_reports_failures(tmp_path):
    folder = make_tree(tmp_path / "site", TREE)
    out = str(tmp_path / "site.plovex")
    done = run_command(folder, out)
    assert done.returncode == 0 and "6 entries" in done.stdout
    assert zipfile.ZipFile(out).namelist() == sorted(TREE)

    missing = run_command(str(tmp_path / "missing"), str(tmp_path / "m.plovex"))
    assert missing.returncode == 1 and "not a folder" in missing.stderr
    assert not os.path.exists(str(tmp_path / "m.plovex"))
    assert run_command(folder).returncode == 2

    hollow = make_tree(tmp_path / "hollow", {"blank.txt": b""})
    refused = run_command(hollow, str(tmp_path / "h.plovex"))
    assert refused.returncode == 1 and not os.path.exists(str(tmp_path / "h.plovex"))
    assert refused.stderr.splitlines() == [
        "pack: left out the empty file blank.txt: an empty entry is never served",
        "pack: nothing to pack in %s: every file is left out or empty" % hollow]


CLUTTERED = dict(TREE, **{
    ".DS_Store": b"mac", ".git/HEAD": b"ref", ".git/objects/ab/cd": b"obj",
    "js/.eslintrc": b"{}", "js/__pycache__/tool.cpython-311.pyc": b"pyc",
    "tool.pyc": b"pyc", "tool.py": b"py", "art/logo.psd": b"psd",
    "docs/notes.md": b"md", "docs/guide.txt": b"txt", "drafts/old.html": b"o",
})
PLAIN = sorted(set(TREE) | {"tool.py", "art/logo.psd", "docs/notes.md",
                            "docs/guide.txt", "drafts/old.html"})


@pytest.mark.parametrize("exclude, include_hidden, expected", [
    ((), False, PLAIN),
    ((), True, sorted(PLAIN + [".DS_Store", ".git/HEAD", ".git/objects/ab/cd",
                               "js/.eslintrc"])),
    # A name anywhere, a folder's name (everything below it), a whole path.
    (("*.psd", "drafts", "docs/*.md"), False,
     [n for n in PLAIN if n not in ("art/logo.psd", "drafts/old.html", "docs/notes.md")]),
    # Matched whole and case-sensitively: no partial names, no other case.
    (("doc", "*.PSD", "js/lib"), False, [n for n in PLAIN if n != "js/lib/util.js"]),
    (("objects",), True, sorted(PLAIN + [".DS_Store", ".git/HEAD", "js/.eslintrc"])),
])
def test_leaves_out_hidden_files_build_leftovers_and_excluded_patterns(
        tmp_path, exclude, include_hidden, expected):
    folder = make_tree(tmp_path / "site", CLUTTERED)
    out = str(tmp_path / "site.plovex")
    assert pack(folder, out, exclude, include_hidden) == expected
    assert zipfile.ZipFile(out).namelist() == expected


def test_left_out_files_do_not_change_the_bytes(tmp_path):
    clean = make_tree(tmp_path / "clean", TREE)
    cluttered = make_tree(tmp_path / "cluttered", dict(TREE, **{
        ".git/HEAD": b"ref", "__pycache__/x.pyc": b"p", "js/y.pyc": b"p"}))
    pack(clean, str(tmp_path / "a.plovex"))
    pack(cluttered, str(tmp_path / "b.plovex"))
    assert (tmp_path / "a.plovex").read_bytes() == (tmp_path / "b.plovex").read_bytes()


def test_command_takes_patterns_and_prints_entries_from_any_folder(tmp_path):
    folder = make_tree(tmp_path / "site", CLUTTERED)
    out = str(tmp_path / "site.plovex")
    done = run_command(folder, out, "--exclude", "*.psd", "--exclude", "docs",
                       "--include-hidden", "--verbose", cwd=str(tmp_path))
    assert done.returncode == 0, done.stderr
    expected = [n for n in sorted(CLUTTERED) if not n.endswith("pyc")
                and n != "art/logo.psd" and not n.startswith("docs/")]
    lines = done.stdout.splitlines()
    assert [line.strip() for line in lines[:-1]] == expected
    assert lines[-1] == "%s: %d entries" % (out, len(expected))
    assert zipfile.ZipFile(out).namelist() == expected
