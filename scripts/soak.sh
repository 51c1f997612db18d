#!/usr/bin/env bash
# The long run of the robustness checks: fuzzes the conversions for FUZZ_SECONDS
# (default 1800) and plays RANDOM_SEQUENCES random user sequences (default
# 50000, of 40 actions each) on the real window. Run scripts/test.sh once first.
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
export QT_QPA_PLATFORM=offscreen

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target conversions_fuzz
mkdir -p build-fuzz/tests/fuzz/corpus
build-fuzz/tests/fuzz/conversions_fuzz -max_total_time="${FUZZ_SECONDS:-1800}" \
  -print_final_stats=1 build-fuzz/tests/fuzz/corpus tests/fuzz/corpus 2>&1 |
  grep -E 'DONE|number_of_executed_units|property broken|ERROR'

cmake --preset asan >/dev/null
cmake --build --preset asan --target window_tests
QUORVEL_RANDOM_SEQUENCES="${RANDOM_SEQUENCES:-50000}" QUORVEL_RANDOM_SEED="${RANDOM_SEED:-100000}" \
  build-asan/tests/window/window_tests --gtest_filter='RandomActions.*'
