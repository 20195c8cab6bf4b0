#!/bin/sh
# Runs every benchmark of the project and prints their tables.
set -eu
build_dir=$1
export QT_QPA_PLATFORM=offscreen
for bench in "$build_dir"/bench/bench_* "$build_dir"/bin/bench_*; do
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
