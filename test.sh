#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
#   ./test.sh             the normal build; in CI (CI set and not "false") the
#                         same suite then runs again under the sanitizers
#   ./test.sh --sanitize  only the suite under AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")"

# One lane: configure once, build, run the suite.
run_lane() {
  local build_dir=$1
  shift
  if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S . -B "$build_dir" -G Ninja "$@"
  fi
  cmake --build "$build_dir"
  ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
}

sanitize_lane() (
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # Line tables are all the reports need, and build faster than full debug info.
  run_lane build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DSANITIZE=ON
)

./tools/install-deps.sh
if [ "${1:-}" = "--sanitize" ]; then
  sanitize_lane
  exit 0
fi
run_lane build -DCMAKE_BUILD_TYPE=RelWithDebInfo
case "${CI:-}" in
  "" | false | 0) ;;
  *) sanitize_lane ;;
esac
