"""Helpers for host code that uses the _zubrix_cef module.

- zubrix_cef.browser_widget: a QWidget that hosts a browser.
- zubrix_cef.channel: a channel between a page and Python (calls answered
  through promises, events, page functions, console messages, readiness);
  its page side is channel.js beside it.
- zubrix_cef.callbacks: named Python callbacks for pages, and the start-up
  script that tells a page their ids.
- zubrix_cef.pack: turns a folder into a .plovex content archive.
- zubrix_cef.initialize(settings): checks the settings, says what is wrong
  through the "zubrix_cef" logger or an exception, and starts CEF.

Only the standard library is imported here, so that the packer runs without
the module or Qt.
"""
from zubrix_cef.startup import initialize  # noqa: F401
