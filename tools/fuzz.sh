#!/usr/bin/env bash
# Builds the fuzzers (clang, libFuzzer, ASan and UBSan) in build-fuzz/, makes
# their seed corpora from our data, and runs every fuzzer for a set time,
# then prints the executions and coverage of each.
#   tools/fuzz.sh [SECONDS] [TARGET...]    default 60 seconds, every target
# FUZZ_JOBS (default 1, at most 2) fuzzers run side by side, each at the
# lowest priority. Each runs in its own folder (in /dev/shm when there is
# one, else build-fuzz/work/) with a fresh copy of data/; crashes land in
# build-fuzz/artifacts/ with the input that caused them, ready to keep under
# tests/fuzz/fuzz_regressions/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build_dir=build-fuzz

run_one() {
  local target=$1 work="$work_root/$1"
  rm -rf "$work" && mkdir -p "$work" && cp -r "$root/data" "$work/data"
  local dict=()
  dict_file="$root/fuzz/${target%_load}.dict"
  [ -f "$dict_file" ] && dict=(-dict="$dict_file")
  # Formulas and data lines are short; files and pictures need room.
  local max_len=65536
  case "$target" in
    formula) max_len=256 ;;
    field_reader | file_list) max_len=4096 ;;
    savegame) max_len=2097152 ;;  # a whole saved game, exact state included
  esac
  (cd "$work" && nice -n 19 "$root/$build_dir/fuzz/fuzz_$target" "${dict[@]}" \
      -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -max_len="$max_len" -print_final_stats=1 \
      -artifact_prefix="$root/$build_dir/artifacts/$target-" "$root/fuzz/corpus/$target") \
    > "$root/$build_dir/logs/$target.log" 2>&1 || true
}

# The whole script is read before it runs, so editing it mid-run is harmless.
main() {
  seconds=${1:-60}
  shift || true
  jobs=${FUZZ_JOBS:-1}
  [ "$jobs" -gt 2 ] && jobs=2

  ./tools/install-deps.sh --fuzz
  if [ ! -f "$build_dir/build.ninja" ]; then
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON
  fi
  all_targets=$(sed -n '/^set(polity_fuzz_targets/,/)/p' fuzz/CMakeLists.txt | tr '() ' '\n\n\n' |
    grep -vE '^(set|polity_fuzz_targets|)$')
  targets=${*:-$all_targets}
  nice -n 19 cmake --build "$build_dir" --target polity-soak $(for t in $targets; do echo "fuzz_$t"; done)
  ./tools/fuzz-corpus.sh "$build_dir" > /dev/null

  mkdir -p "$build_dir/artifacts" "$build_dir/logs"
  export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

  # Work folders in memory when there is room: the game writes its files
  # atomically, and a sync to disk for every input would slow the fuzzers down.
  work_root="$root/$build_dir/work"
  if [ -d /dev/shm ] && [ -w /dev/shm ]; then work_root="/dev/shm/polity-fuzz-$(id -u)"; fi


  running=0
  for target in $targets; do
    echo "fuzzing $target for $seconds s"
    run_one "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then wait -n || true; running=$((running - 1)); fi
  done
  wait

  status=0
  printf '%-14s %12s %8s %8s  %s\n' target executions cov ft result
  for target in $targets; do
    log="$build_dir/logs/$target.log"
    execs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | awk '{print $2}' | tail -n 1)
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
    cov=$(echo "$last" | grep -oE 'cov: [0-9]+' | awk '{print $2}')
    ft=$(echo "$last" | grep -oE 'ft: [0-9]+' | awk '{print $2}')
    result=clean
    if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|SUMMARY: ' "$log"; then
      result="FAILED: $(grep -oE 'Test unit written to .*' "$log" | head -n 1)"
      status=1
    fi
    printf '%-14s %12s %8s %8s  %s\n' "$target" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result"
  done
  exit $status
}

main "$@"
