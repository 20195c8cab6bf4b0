#!/bin/sh
# Runs every fuzz target for the given number of seconds, starting from the
# seed corpus in fuzz/corpus/<target>. Exits non-zero on the first finding.
set -eu
build_dir=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build_dir"/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target" | sed 's/^fuzz_//')
    work=$build_dir/fuzz/work-$name
    mkdir -p "$work"
    echo "== fuzz_$name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=0 -artifact_prefix="$work/" \
        "$work" "$root/fuzz/corpus/$name" > "$work/log.txt" 2>&1; then
        echo "fuzz_$name found a fault:"
        tail -40 "$work/log.txt"
        status=1
    fi
done
exit $status
