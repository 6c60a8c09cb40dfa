"""Content for client-scheme scenarios, written by a test before its host
starts: folders of files, ZIP archives, and pages that load scripts."""
import os
import zipfile


def write_files(folder, files):
    """Writes files (a relative name: its text) below folder, making the
    folders their names need."""
    for name, text in files.items():
        path = os.path.join(str(folder), name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)


def zip_archive(path, entries, method=zipfile.ZIP_DEFLATED):
    """Writes a ZIP archive of (name, data) entries; returns its path."""
    with zipfile.ZipFile(str(path), "w", method) as z:
        for name, data in entries:
            z.writestr(name, data)
    return str(path)


def scripts_page(urls, last_script):
    """A page that loads each URL as a script, in order, and then runs
    last_script: what that script does shows that every request before it
    was answered."""
    return ("".join("<script src='%s'></script>" % url for url in urls)
            + "<script>" + last_script + "</script>")
