"""Starts CEF inside this process, with zubrix_cef_subprocess for its
sub-processes, and shuts it down again."""
import os
import sys

build = os.environ.get("ZUBRIX_BUILD_DIR",
                       os.path.join(os.path.dirname(__file__), "..", "build"))
sys.path.insert(0, os.path.abspath(build))

import _zubrix_cef  # noqa: E402


def main():
    subprocess_path = os.path.abspath(os.path.join(build, "zubrix_cef_subprocess"))
    print("Initialize with browser_subprocess_path =", subprocess_path)
    _zubrix_cef.Initialize({"browser_subprocess_path": subprocess_path})
    print("CEF is running")
    _zubrix_cef.Shutdown()
    print("CEF has shut down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
