#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan and UBSan) in build-fuzz/ and
# runs each from its seeds in tests/fuzz/corpus/ for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target, default 20] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(clang libclang-rt-14-dev)
scripts/install_packages.sh "${packages[@]}"

seconds=${1:-20}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(channel_frames_fuzzer value_codec_fuzzer cef_string_fuzzer
           list_to_tuple_fuzzer scheme_route_fuzzer parse_url_fuzzer
           v8_array_to_list_fuzzer)
fi

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZUBRIX_FUZZ=ON -DZUBRIX_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

status=0
for target in "${targets[@]}"; do
  # New inputs go to a scratch folder; the seeds in the repository stay as
  # they are.
  work=build-fuzz/fuzz/work/$target
  mkdir -p "$work" build-fuzz/fuzz/artifacts
  echo "== $target: ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 \
    LSAN_OPTIONS=suppressions=tests/fuzz/lsan_suppressions.txt \
    "build-fuzz/fuzz/$target" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/fuzz/artifacts/"$target"- \
    "$work" "tests/fuzz/corpus/$target" || status=1
done
exit $status
