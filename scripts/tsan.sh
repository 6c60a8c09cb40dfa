#!/usr/bin/env bash
# Builds everything with ThreadSanitizer in build-tsan/ and runs the C++
# tests, then the Python tests with TSan's runtime preloaded into Debian's
# interpreter. Every process that reports (host, render process, test)
# leaves a log in build-tsan/tsan-logs/; any log fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tsan

logs=$PWD/build-tsan/tsan-logs
rm -rf "$logs"
mkdir -p "$logs"
export TSAN_OPTIONS="suppressions=$PWD/tests/tsan_suppressions.txt:log_path=$logs/report:second_deadlock_stack=1"
runtime=$(gcc -print-file-name=libtsan.so)
# Qt's GLX integration is of no use to these tests and brings Mesa's
# uninstrumented locking along.
export QT_XCB_GL_INTEGRATION=none

status=0
scripts/run_suites.sh build-tsan --preload "$runtime" || status=1

if compgen -G "$logs/report*" >/dev/null; then
  echo "ThreadSanitizer reports:"
  cat "$logs"/report*
  status=1
fi
exit $status
