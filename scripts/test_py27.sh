#!/usr/bin/env bash
# The Python 2.7 lane: fetches Python 2.7 and pybind11 2.6 (once), builds
# build-py27/ beside the default build whose stand-in it links, and runs
# tests/py27/ in the 2.7 host program under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --py27
xvfb-run -a tests/py27/run.sh
