#!/usr/bin/env bash
# The Python 2.7 lane, its one entry: fetches Python 2.7 and pybind11 2.6
# (once) and builds build-py27/ beside the default build whose stand-in it
# links (scripts/setup.sh --py27), then runs each tests/py27/test_*.py (or
# each SCRIPT named) in a 2.7 host process of its own under a virtual X
# server, shows its output and sums up the "N passed, N failed" lines they
# end with; a script that exits non-zero or ends without that line counts as
# a failure. Dropping a test_*.py file into tests/py27/ adds it.
# Usage: scripts/test_py27.sh [--host HOST] [SCRIPT...]
#   --host  the host program (default build-py27/zubrix_py27_host)
set -euo pipefail
cd "$(dirname "$0")/.."
# Built first, then the scripts share one X server.
if [ -z "${ZUBRIX_PY27_BUILT:-}" ]; then
  scripts/setup.sh --py27
  ZUBRIX_PY27_BUILT=1 exec xvfb-run -a scripts/test_py27.sh "$@"
fi
host=build-py27/zubrix_py27_host
if [ "${1:-}" = "--host" ]; then
  host=$2
  shift 2
fi
scripts=("$@")
[ ${#scripts[@]} -gt 0 ] || scripts=(tests/py27/test_*.py)

log=$(mktemp)
trap 'rm -f "$log"' EXIT
passed=0
failed=0
broken=()
for script in "${scripts[@]}"; do
  echo "== $script"
  set +e
  timeout 300 "$host" "$script" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  set -e
  summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1 || true)
  script_failed=0
  if [ -n "$summary" ]; then
    read -r script_passed _ script_failed _ <<<"$summary"
    passed=$((passed + script_passed))
    failed=$((failed + script_failed))
  fi
  # CEF on the target does not survive a shutdown with browsers open.
  if grep -qE 'CefShutdown with [0-9]+ browser' "$log"; then
    broken+=("$script (CEF shut down with browsers open)")
    failed=$((failed + 1))
  elif [ "$status" -ne 0 ] || [ -z "$summary" ]; then
    broken+=("$script (exit $status)")
    # A crash, or an exit its own count does not explain, is one failure.
    [ "$script_failed" -gt 0 ] || failed=$((failed + 1))
  fi
done

for script in "${broken[@]}"; do
  echo "failed: $script"
done
echo "Python 2.7: $passed passed, $failed failed"
[ ${#broken[@]} -eq 0 ]
