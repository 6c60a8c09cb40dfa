#!/usr/bin/env bash
# Builds a Release build in build-bench/ and runs every benchmark, printing
# one table: each figure's minimum and median beside its limit (or its peer),
# measured in the same run, and the ratio; then how each cost grows with the
# work.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --deps-only
# The peer of page calls: Qt's web channel in QtWebEngine.
scripts/install_packages.sh python3-pyside2.qtwebenginewidgets \
  python3-pyside2.qtwebchannel
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" --target \
  scheme_bench _zubrix_bench _zubrix_cef _cefsim zubrix_cef_subprocess >/dev/null
ZUBRIX_BUILD_DIR="$PWD/build-bench" xvfb-run -a /usr/bin/python3 bench/run_bench.py
