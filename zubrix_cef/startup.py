"""A checked start of CEF: zubrix_cef.initialize(settings).

The module's Initialize checks only the settings' types (a dictionary of
strings): a misspelt key is ignored and a sub-process executable that cannot
start shows as a blank panel. This checks the settings first, says through the "zubrix_cef" logger
what it found and what it starts, and then calls Initialize. CEF starts once
per process, so a second call raises RuntimeError.
"""
import difflib
import logging
import os
import sys

KNOWN_KEYS = ("browser_subprocess_path", "cache_path", "locales_dir_path",
              "resources_dir_path")
FOLDER_KEYS = ("locales_dir_path", "resources_dir_path")
SUBPROCESS_KEY = "browser_subprocess_path"

logger = logging.getLogger("zubrix_cef")
_started = []

if sys.version_info[0] < 3:
    _TEXT_TYPES = (basestring,)  # noqa: F821 (Python 2 only)
else:
    _TEXT_TYPES = (str, bytes)


def check_settings(settings):
    """Raises TypeError for a settings object that is no dict or a value that
    is no string, ValueError for a browser_subprocess_path that names no
    executable file; warns about unknown keys, a missing
    browser_subprocess_path and folder settings that name no folder."""
    if not isinstance(settings, dict):
        raise TypeError("settings must be a dict, not %s" % type(settings).__name__)
    for key in sorted(settings, key=repr):
        if key not in KNOWN_KEYS:
            _warn_unknown(key)
        elif not isinstance(settings[key], _TEXT_TYPES):
            raise TypeError("setting %r must be a string, not %s"
                            % (key, type(settings[key]).__name__))
    _check_subprocess(settings.get(SUBPROCESS_KEY))
    for key in FOLDER_KEYS:
        if settings.get(key) and not os.path.isdir(settings[key]):
            logger.warning("setting %r names no folder: %r", key, settings[key])


def initialize(settings):
    """Checks settings as check_settings does, logs what it starts and calls
    _zubrix_cef.Initialize with them. Raises RuntimeError, starting nothing,
    once an earlier call has started CEF (Shutdown included: CEF cannot
    start again in the same process)."""
    if _started:
        raise RuntimeError("zubrix_cef.initialize was already called in this process "
                           "(with %s); CEF starts only once per process" % _started[0])
    check_settings(settings)
    # Imported here: the package's other tools (the packer) run without it.
    import _zubrix_cef
    logger.info("starting CEF (module %s) with %s",
                getattr(_zubrix_cef, "__file__", "_zubrix_cef"), _described(settings))
    _zubrix_cef.Initialize(settings)
    _started.append(_described(settings))


def _described(settings):
    return ", ".join("%s=%r" % (key, settings[key]) for key in KNOWN_KEYS
                     if key in settings) or "no settings"


def _warn_unknown(key):
    text = isinstance(key, _TEXT_TYPES)
    close = difflib.get_close_matches(key, KNOWN_KEYS, n=1) if text else []
    hint = " (did you mean %r?)" % close[0] if close else ""
    logger.warning("unknown setting %r ignored%s; known settings: %s",
                   key, hint, ", ".join(KNOWN_KEYS))


def _check_subprocess(path):
    if not path:
        logger.warning(
            "no %s: CEF starts this process's own executable (%s) as its "
            "render processes, which leaves pages blank (or starts more copies "
            "of the host); pass the path of zubrix_cef_subprocess",
            SUBPROCESS_KEY, sys.executable)
        return
    if not os.path.exists(path):
        raise ValueError("setting %r: no such file: %r" % (SUBPROCESS_KEY, path))
    if not os.path.isfile(path) or not os.access(path, os.X_OK):
        raise ValueError("setting %r: not an executable file: %r" % (SUBPROCESS_KEY, path))
