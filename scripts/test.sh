#!/usr/bin/env bash
# Sets up and builds, then runs every test: the C++ and Python suites
# (scripts/run_suites.sh), then the Python 2.7 lane (scripts/test_py27.sh),
# all under a virtual X server; then checks the type stubs against the built
# module.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The panel preview and its tests: QtWebEngine and Qt's web channel.
scripts/install_packages.sh python3-pyside2.qtwebenginewidgets \
  python3-pyside2.qtwebenginecore python3-pyside2.qtwebchannel

status=0
scripts/run_suites.sh build || status=1
scripts/test_py27.sh || status=1
scripts/check_stubs.sh build || status=1
exit $status
