#!/usr/bin/env bash
# A fuzzing campaign (`make fuzz`): each libFuzzer program of BUILD_DIR runs for
# SECONDS on its corpus, then what it found that reaches new code is merged
# into the corpus folder (-merge=1 counting edges only, without hit counts,
# keeps a few dozen inputs where counting them would keep hundreds). A crash, a leak or a sanitizer report stops the program;
# its input is left in BUILD_DIR/fuzz-artifacts/<target>/ and the campaign
# fails after every target has had its turn.
#
# Usage: campaign.sh BUILD_DIR SECONDS TARGET...
set -uo pipefail

build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=()

for target in "$@"; do
  program=$build/tests/fuzz/fuzz_$target
  corpus=$here/corpus/$target
  found=$build/fuzz-found/$target
  artifacts=$build/fuzz-artifacts/$target/
  log=$build/fuzz-logs/$target.log
  rm -rf "$found"
  mkdir -p "$found" "$artifacts" "$(dirname "$log")"
  options=(-max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048
           -print_final_stats=1 -artifact_prefix="$artifacts")
  if [ -f "$here/$target.dict" ]; then
    options+=(-dict="$here/$target.dict")
  fi
  # Only the OFX target runs with libofx's own leak suppressed.
  unset LSAN_OPTIONS
  if [ "$target" = ofx ]; then
    export LSAN_OPTIONS=suppressions=$here/../sanitizer/libofx.supp:print_suppressions=0
  fi
  # New inputs go into the first folder; the corpus is read only.
  "$program" "${options[@]}" "$found" "$corpus" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  before=$(find "$corpus" -type f | wc -l)
  "$program" -merge=1 -use_counters=0 -max_len=8192 -timeout=10 "$corpus" "$found" >>"$log" 2>&1
  after=$(find "$corpus" -type f | wc -l)
  if [ $status -ne 0 ]; then
    failed+=("$target")
    echo "fuzz_$target: FOUND a fault after ${runs:-?} runs; input in $artifacts, log $log"
  else
    echo "fuzz_$target: ${seconds} s, ${runs:-?} runs, ${speed:-?} runs/s, corpus $before -> $after files"
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "faults found by: ${failed[*]}"
  exit 1
fi
