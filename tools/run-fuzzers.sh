#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a set time, JOBS at a time,
# each on its committed seeds (fuzz/corpus/NAME, read only) plus a working
# corpus in the build folder, and prints the executions of each.
# Usage: tools/run-fuzzers.sh BUILD_DIR SECONDS [JOBS]
set -euo pipefail
build=$1 seconds=$2 jobs=${3:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$build/fuzz-run
# Each run tells its own findings: an earlier run's crash, kept in the
# committed corpus or not, is not this run's.
rm -rf "$out/crashes"
mkdir -p "$out/crashes"

run_one() {
    local name=$1
    mkdir -p "$out/corpus/$name"
    "$build/fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$out/crashes/$name-" "$out/corpus/$name" "$root/fuzz/corpus/$name" \
        >"$out/$name.log" 2>&1
}
export -f run_one
export out seconds root build

names=$(cd "$build/fuzz" && ls -- *_fuzz)
status=0
printf '%s\n' $names | xargs -P "$jobs" -I{} bash -c 'run_one {}' || status=$?

printf '%-20s %12s %10s %8s\n' target executions "exec/s" corpus
for name in $names; do
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$out/$name.log")
    files=$(ls "$out/corpus/$name" | wc -l)
    printf '%-20s %12s %10s %8s\n' "$name" "${execs:-FAILED}" "${rate:--}" "$files"
done
if [ "$status" -ne 0 ] || ls "$out/crashes" | grep -q .; then
    echo "A target failed: see $out/*.log and $out/crashes/ (add a crash input to fuzz/corpus/NAME to keep it as a test)."
    exit 1
fi
