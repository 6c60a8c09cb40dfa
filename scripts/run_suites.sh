#!/usr/bin/env bash
# Runs one build folder's tests under a virtual X server: the C++ tests
# through CTest, then the Python tests through pytest with that folder's
# modules. Every lane that runs the suites runs them through here.
# Usage: scripts/run_suites.sh BUILD_DIR [--ctest-only] [--preload LIBRARY]
#   --ctest-only  the C++ tests alone
#   --preload     a library the Python interpreter loads first
#                 (ThreadSanitizer's runtime, for an instrumented module)
# Exits 1 when a suite failed; both run either way.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath "$1")
shift
ctest_only=0
preload=()
while [ $# -gt 0 ]; do
  case "$1" in
    --ctest-only) ctest_only=1 ;;
    --preload) preload=(LD_PRELOAD="$2"); shift ;;
    *) echo "run_suites.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done

status=0
(cd "$build_dir" && xvfb-run -a ctest --output-on-failure --timeout 300) ||
  status=1
if [ "$ctest_only" -eq 0 ]; then
  PYTHONPATH="$build_dir:$PWD" ZUBRIX_BUILD_DIR="$build_dir" xvfb-run -a \
    env "${preload[@]}" /usr/bin/python3 -m pytest -q tests/python || status=1
fi
exit $status
