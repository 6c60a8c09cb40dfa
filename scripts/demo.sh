#!/usr/bin/env bash
# Sets up and builds only what the demo needs, then runs the demo (under a
# virtual X server when there is no display). scripts/test.sh builds the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh _zubrix_cef _cefsim zubrix_cef_subprocess
run=()
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a)
exec "${run[@]}" /usr/bin/python3 examples/web_panel_demo.py "$@"
