#!/usr/bin/env bash
# Builds the program in build/ and opens its window.
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
. scripts/packages.sh
ensure_build_deps nocheck
ensure_packages fonts-liberation

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build --parallel
exec build/app/quorvel
