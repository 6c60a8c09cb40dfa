#!/usr/bin/env bash
# Sets up and builds, then runs the demo (under a virtual X server when there
# is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
run=()
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a)
exec "${run[@]}" /usr/bin/python3 examples/web_panel_demo.py "$@"
