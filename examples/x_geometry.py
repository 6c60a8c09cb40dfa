"""A window's size as the X server sees it, through xwininfo."""
import re
import subprocess


def x_window_size(window_id):
    """(width, height) of the X window, or None when there is none."""
    try:
        info = subprocess.run(["xwininfo", "-id", str(window_id)],
                              capture_output=True, text=True)
    except OSError:
        return None
    if info.returncode != 0:
        return None
    width = re.search(r"Width:\s+(\d+)", info.stdout)
    height = re.search(r"Height:\s+(\d+)", info.stdout)
    return (int(width.group(1)), int(height.group(1))) if width and height else None
