#!/usr/bin/env bash
# Builds the program and its benchmarks as shipped (optimised) in build-bench/,
# then measures: the conversions, one keystroke's chain and one preset click on
# the real window (Google Benchmark, medians of 9 repetitions), and start-up
# against a bare Qt window (bench/startup/startup.sh).
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
. scripts/packages.sh
ensure_build_deps nocheck
ensure_packages "${BENCH_PACKAGES[@]}"

cmake --preset bench
cmake --build --preset bench

echo "== the conversions and the formula"
build-bench/bench/conversions_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
  2>/dev/null | grep -E 'Benchmark|median'
echo
echo "== one keystroke and one preset click on the real window (offscreen)"
QT_QPA_PLATFORM=offscreen build-bench/bench/keystroke_bench --benchmark_repetitions=9 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'Benchmark|median'
echo
echo "== start-up"
bench/startup/startup.sh build-bench
