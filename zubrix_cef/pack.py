"""Packs a folder into a .plovex content archive, deterministically: entries
sorted by name, fixed timestamps and permissions, so that the same folder
gives the same bytes.

    python3 -m zubrix_cef.pack FOLDER OUT.plovex [--exclude PATTERN]...
                               [--include-hidden] [--verbose]

Only files become entries, named by their path below the folder with "/"
between the parts; folders leave no entry of their own, since the archive
reader skips them.

A page (.html) with bytes beyond ASCII but no charset declaration (a
byte-order mark, or <meta charset="utf-8"> within its first 1024 bytes) is
packed with a warning on the "zubrix_cef" logger: CEF reads such a page as
ISO-8859-1, so its non-ASCII text would come out garbled. The command line
prints the warnings and marks those pages in its --verbose list.

Left out by default: dot-files and dot-folders (.git/, .DS_Store, ...),
__pycache__ folders and *.pyc files. Files of zero bytes are left out with a
warning on the "zubrix_cef" logger, since the archive reader never serves an
empty entry; a folder that leaves no entry at all is refused. An exclude pattern is matched, with
fnmatch's rules and case-sensitively, against an entry's whole path below the
folder ("docs/*.md") and against each of its names ("*.psd", "drafts"), so a
pattern that matches a folder's name leaves out everything below it. "*"
also matches "/".
"""
import argparse
import fnmatch
import logging
import os
import re
import sys
import zipfile

ARCHIVE_SUFFIX = ".plovex"
HIDDEN_PATTERNS = (".*",)
BUILD_LEFTOVER_PATTERNS = ("__pycache__", "*.pyc")
_FIXED_TIME = (1980, 1, 1, 0, 0, 0)  # the earliest a ZIP entry can hold
_FILE_ATTRIBUTES = 0o100644 << 16    # a regular file, rw-r--r--
_UNIX = 3
_PAGE_SUFFIXES = (".html", ".htm")
# What Chromium looks at before it falls back to the default encoding.
_BYTE_ORDER_MARKS = (b"\xef\xbb\xbf", b"\xff\xfe", b"\xfe\xff")
_CHARSET_SCAN_BYTES = 1024
_META_CHARSET = re.compile(br"<meta[^>]*charset", re.IGNORECASE)
_NON_ASCII = re.compile(br"[\x80-\xff]")
logger = logging.getLogger("zubrix_cef")

if sys.version_info[0] < 3:
    _TEXT_TYPES = (basestring,)  # noqa: F821 (Python 2 only)
else:
    _TEXT_TYPES = (str, bytes)


def _text(name):
    """The name as text. Python 2 walks a folder given as bytes with byte
    names: zipfile would store them unmarked, for readers to take as code
    page 437, and lower() would fold only their ASCII letters."""
    return name.decode("utf-8") if isinstance(name, bytes) else name


def excluded_by(name, patterns):
    """The first pattern that matches the entry name (a path with "/"
    between its parts) or one of its parts; None when none does."""
    for pattern in patterns:
        if fnmatch.fnmatchcase(name, pattern):
            return pattern
        for part in name.split("/"):
            if fnmatch.fnmatchcase(part, pattern):
                return pattern
    return None


def exclude_patterns(exclude=(), include_hidden=False):
    """The patterns the packer leaves out: the default ones and exclude.
    Raises TypeError for exclude given as one string, which would otherwise
    count as a pattern per character."""
    if isinstance(exclude, _TEXT_TYPES):
        raise TypeError("exclude takes a list of patterns, not a string: "
                        "exclude=[%r]" % (exclude,))
    hidden = () if include_hidden else HIDDEN_PATTERNS
    return hidden + BUILD_LEFTOVER_PATTERNS + tuple(exclude)


def archive_entries(folder, excluded_path=None, patterns=()):
    """Sorted (entry name, file path) pairs for the files below folder that
    no pattern excludes, leaving out excluded_path. Raises ValueError for
    names that differ only in case, since the archive reader matches names
    without regard to case and would serve only one of them."""
    excluded = os.path.realpath(excluded_path) if excluded_path else None
    entries = []
    for directory, subdirectories, files in os.walk(folder):
        relative = os.path.relpath(directory, folder).replace(os.sep, "/")
        prefix = "" if relative == "." else relative + "/"
        # Pruned here, an excluded folder is never walked.
        subdirectories[:] = sorted(d for d in subdirectories
                                   if excluded_by(prefix + d, patterns) is None)
        for file_name in files:
            path = os.path.join(directory, file_name)
            name = prefix + file_name
            if os.path.realpath(path) == excluded or excluded_by(name, patterns):
                continue
            entries.append((name, path))
    entries.sort()
    seen = {}
    for name, _ in entries:
        other = seen.setdefault(_text(name).lower(), name)
        if other != name:
            raise ValueError("entry names differ only in case: %s, %s" % (other, name))
    return entries


def pages_without_charset(folder, names):
    """The names, among the entry names below folder, of pages whose bytes go
    beyond ASCII but that declare no charset: CEF 3.3163 reads them with its
    default encoding, ISO-8859-1, rather than as UTF-8."""
    pages = []
    for name in names:
        if not _text(name).lower().endswith(_PAGE_SUFFIXES):
            continue
        with open(os.path.join(folder, *name.split("/")), "rb") as page:
            data = page.read()
        declared = (data.startswith(_BYTE_ORDER_MARKS)
                    or _META_CHARSET.search(data[:_CHARSET_SCAN_BYTES]))
        if not declared and _NON_ASCII.search(data):
            pages.append(name)
    return pages


def pack(folder, archive_path, exclude=(), include_hidden=False):
    """Writes the archive and returns its entry names in archive order.
    exclude: a list of fnmatch patterns, as the module's description says,
    left out on top of the defaults (one string raises TypeError);
    include_hidden keeps dot-files and dot-folders. Raises ValueError,
    writing nothing, when no file would become an entry."""
    if not os.path.isdir(folder):
        raise ValueError("not a folder: %s" % folder)
    if not archive_path.endswith(ARCHIVE_SUFFIX):
        # client://plovex/ URLs find an archive only by this suffix.
        raise ValueError("archive name must end in %s: %s" % (ARCHIVE_SUFFIX, archive_path))
    entries = _without_empty_files(archive_entries(
        folder, excluded_path=archive_path, patterns=exclude_patterns(exclude, include_hidden)))
    if not entries:
        raise ValueError("nothing to pack in %s: every file is left out or empty" % folder)
    with zipfile.ZipFile(archive_path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, path in entries:
            info = zipfile.ZipInfo(_text(name), date_time=_FIXED_TIME)
            info.create_system = _UNIX
            info.external_attr = _FILE_ATTRIBUTES
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                archive.writestr(info, source.read())
    names = [name for name, _ in entries]
    for name in pages_without_charset(folder, names):
        logger.warning('%s holds text beyond ASCII but declares no charset: CEF reads it '
                       'as ISO-8859-1; add <meta charset="utf-8"> to its <head>', _text(name))
    return names


def _without_empty_files(entries):
    kept = []
    for name, path in entries:
        if os.path.getsize(path) == 0:
            logger.warning("left out the empty file %s: an empty entry is never served",
                           _text(name))
        else:
            kept.append((name, path))
    return kept


def main(argv=None):
    parser = argparse.ArgumentParser(
        prog="python -m zubrix_cef.pack",
        description="Packs a folder into a deterministic .plovex content archive. "
                    "Leaves out dot-files and dot-folders, __pycache__ and *.pyc.")
    parser.add_argument("folder")
    parser.add_argument("archive", help="output path, ending in " + ARCHIVE_SUFFIX)
    parser.add_argument("--exclude", action="append", default=[], metavar="PATTERN",
                        help="leave out entries whose path below the folder, or any "
                             "one of whose names, matches this fnmatch pattern "
                             "(case-sensitive; repeatable)")
    parser.add_argument("--include-hidden", action="store_true",
                        help="keep dot-files and dot-folders")
    parser.add_argument("--verbose", action="store_true",
                        help="print each entry packed")
    args = parser.parse_args(argv)
    logging.basicConfig(format="pack: %(levelname)s: %(message)s")
    try:
        names = pack(args.folder, args.archive, args.exclude, args.include_hidden)
    except (ValueError, OSError) as error:
        sys.stderr.write("pack: %s\n" % error)
        return 1
    if args.verbose:
        garbled = set(pages_without_charset(args.folder, names))
        for name in names:
            print("  " + name + ("  (no charset: read as ISO-8859-1)" if name in garbled else ""))
    print("%s: %d entries" % (args.archive, len(names)))
    return 0


if __name__ == "__main__":
    # The warnings about left-out files, said as the errors are.
    logging.basicConfig(format="pack: %(message)s")
    sys.exit(main())
