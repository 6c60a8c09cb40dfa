"""What the preview loads: a content archive as it is, or a panel folder
packed into an archive of its own, as the packer packs it for the host, and
packed again whenever a file below the folder changes. So the preview serves
the folder by the archive's rules (names without regard to case, dot-files
left out), and a reload shows the page as it is now."""
import logging
import os
import re
import shutil
import tempfile

from zubrix_cef.pack import ARCHIVE_SUFFIX, pack
from zubrix_cef.preview.client_scheme import archive_url

logger = logging.getLogger("zubrix_cef")


def _folder_state(folder):
    """What changes when a file below folder is added, removed or written."""
    state = []
    for directory, subdirectories, files in os.walk(folder):
        subdirectories.sort()
        for name in sorted(files) + subdirectories:
            path = os.path.join(directory, name)
            try:
                info = os.stat(path)
            except OSError:
                continue
            state.append((path, info.st_size, info.st_mtime))
    return state


class PanelSource(object):
    """panel: a folder or a .plovex archive; page: the entry to open."""

    def __init__(self, panel, page="index.html"):
        panel = os.path.abspath(panel)
        self._folder = None
        self._temporary = None
        self._state = None
        if os.path.isdir(panel):
            self._folder = panel
            self._temporary = tempfile.mkdtemp(prefix="zubrix_preview_")
            # A name the URL carries as it is, without escapes.
            name = re.sub(r"[^A-Za-z0-9_.-]", "_", os.path.basename(panel)) or "panel"
            self.archive = os.path.join(self._temporary, name + ARCHIVE_SUFFIX)
            self._pack_if_changed()
            if self._state is None:
                self.close()
                raise ValueError("could not pack the panel folder %s" % panel)
        elif os.path.isfile(panel) and panel.endswith(ARCHIVE_SUFFIX):
            self.archive = panel
        else:
            raise ValueError("the panel is neither a folder nor a %s archive: %s"
                             % (ARCHIVE_SUFFIX, panel))
        self.url = archive_url(self.archive, page)
        self._url_prefix = archive_url(self.archive, "")

    @property
    def folder(self):
        """The panel folder, or None for an archive."""
        return self._folder

    def refresh(self, url):
        """Runs before each client: request: a request into the folder's
        archive finds it packed from the folder as it is now."""
        if self._folder is not None and url.startswith(self._url_prefix):
            self._pack_if_changed()

    def _pack_if_changed(self):
        state = _folder_state(self._folder)
        if state == self._state:
            return
        try:
            pack(self._folder, self.archive)
        except (ValueError, OSError) as error:
            # The last good archive stays; the next request tries again.
            logger.error("could not pack %s: %s", self._folder, error)
            self._state = None
            return
        self._state = state

    def close(self):
        if self._temporary is not None:
            shutil.rmtree(self._temporary, ignore_errors=True)
            self._temporary = None
