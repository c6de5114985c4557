#!/usr/bin/env bash
# Fuzzes for a number of seconds: run.sh FUZZER SECONDS SEEDS WORK [MORE_SEEDS...]
#
# New inputs go to WORK/corpus, never into the kept SEEDS folder; a finding is saved
# under WORK/ and ends the run with a non-zero status. FUZZ_SECONDS overrides SECONDS;
# FUZZ_JOBS=N runs N fuzzers side by side on the same corpus (their logs go to
# WORK/fuzz-*.log).
set -euo pipefail
fuzzer=$(realpath "$1") seconds=${FUZZ_SECONDS:-$2} seeds=$(realpath "$3") work=$4
shift 4
mkdir -p "$work/corpus"
work=$(realpath "$work")
jobs=${FUZZ_JOBS:-1}
# A small quarantine and no fill of fresh blocks keep the allocator's pages hot: the
# fuzzer runs twice as fast and still sees every overflow and use after free that a
# recent block can show.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:max_malloc_fill_size=0:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
args=(-max_total_time="$seconds" -max_len=8192 -timeout=20 -rss_limit_mb=2048
      -print_final_stats=1 -artifact_prefix="$work/" -dict="$(realpath "$(dirname "$0")/vp.dict")")
if [ "$jobs" -gt 1 ]; then
  args+=(-jobs="$jobs" -workers="$jobs")
fi
cd "$work"
exec "$fuzzer" "${args[@]}" "$work/corpus" "$seeds" "$@"
