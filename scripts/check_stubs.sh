#!/usr/bin/env bash
# Checks the type stubs: mypy's stubtest compares them with the built module
# and the helper package (names, kinds, the package's signatures), and mypy
# checks that the helper package's stubs hold together.
# Usage: scripts/check_stubs.sh [BUILD_DIR, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_packages.sh python3-mypy
build_dir=${1:-build}
export MYPYPATH="$PWD/module" PYTHONPATH="$PWD/$build_dir:$PWD"
/usr/bin/python3 -m mypy.stubtest --allowlist module/stubtest_allowlist.txt \
  _zubrix_cef zubrix_cef
/usr/bin/python3 -m mypy -p zubrix_cef
