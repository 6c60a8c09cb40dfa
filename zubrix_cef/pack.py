"""Packs a folder into a .plovex content archive, deterministically: entries
sorted by name, fixed timestamps and permissions, so that the same folder
gives the same bytes.

    python3 -m zubrix_cef.pack FOLDER OUT.plovex

Only files become entries, named by their path below the folder with "/"
between the parts; folders leave no entry of their own, since the archive
reader skips them.
"""
import argparse
import os
import sys
import zipfile

ARCHIVE_SUFFIX = ".plovex"
_FIXED_TIME = (1980, 1, 1, 0, 0, 0)  # the earliest a ZIP entry can hold
_FILE_ATTRIBUTES = 0o100644 << 16    # a regular file, rw-r--r--
_UNIX = 3


def _text(name):
    """The name as text. Python 2 walks a folder given as bytes with byte
    names: zipfile would store them unmarked, for readers to take as code
    page 437, and lower() would fold only their ASCII letters."""
    return name.decode("utf-8") if isinstance(name, bytes) else name


def archive_entries(folder, excluded_path=None):
    """Sorted (entry name, file path) pairs for the files below folder,
    leaving out excluded_path. Raises ValueError for names that differ only
    in case, since the archive reader matches names without regard to case
    and would serve only one of them."""
    excluded = os.path.realpath(excluded_path) if excluded_path else None
    entries = []
    for directory, subdirectories, files in os.walk(folder):
        subdirectories.sort()
        for file_name in files:
            path = os.path.join(directory, file_name)
            if os.path.realpath(path) == excluded:
                continue
            name = os.path.relpath(path, folder).replace(os.sep, "/")
            entries.append((name, path))
    entries.sort()
    seen = {}
    for name, _ in entries:
        other = seen.setdefault(_text(name).lower(), name)
        if other != name:
            raise ValueError("entry names differ only in case: %s, %s" % (other, name))
    return entries


def pack(folder, archive_path):
    """Writes the archive and returns its entry names in archive order."""
    if not os.path.isdir(folder):
        raise ValueError("not a folder: %s" % folder)
    if not archive_path.endswith(ARCHIVE_SUFFIX):
        # client://plovex/ URLs find an archive only by this suffix.
        raise ValueError("archive name must end in %s: %s" % (ARCHIVE_SUFFIX, archive_path))
    entries = archive_entries(folder, excluded_path=archive_path)
    with zipfile.ZipFile(archive_path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, path in entries:
            info = zipfile.ZipInfo(_text(name), date_time=_FIXED_TIME)
            info.create_system = _UNIX
            info.external_attr = _FILE_ATTRIBUTES
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                archive.writestr(info, source.read())
    return [name for name, _ in entries]


def main(argv=None):
    parser = argparse.ArgumentParser(
        prog="python3 -m zubrix_cef.pack",
        description="Packs a folder into a deterministic .plovex content archive.")
    parser.add_argument("folder")
    parser.add_argument("archive", help="output path, ending in " + ARCHIVE_SUFFIX)
    args = parser.parse_args(argv)
    try:
        names = pack(args.folder, args.archive)
    except (ValueError, OSError) as error:
        sys.stderr.write("pack: %s\n" % error)
        return 1
    print("%s: %d entries" % (args.archive, len(names)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
