#!/usr/bin/env bash
# Runs each tests/py27/test_*.py in a Python 2.7 host process of its own,
# shows its output, and sums up the "N passed, N failed" lines they end
# with; a script that exits non-zero or ends without that line counts as a
# failure. Needs an X display (xvfb-run). Dropping a test_*.py file here adds
# it. Usage: tests/py27/run.sh [HOST] (default build-py27/zubrix_py27_host)
set -uo pipefail
cd "$(dirname "$0")/../.."
host=${1:-build-py27/zubrix_py27_host}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

passed=0
failed=0
broken=()
for script in tests/py27/test_*.py; do
  echo "== $script"
  timeout 300 "$host" "$script" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1)
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
