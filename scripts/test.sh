#!/usr/bin/env bash
# Builds the program and every test, and runs them all. Exits non-zero when any fails.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" locales

# A locale whose decimal mark is a comma, to show that no reading or writing of
# numbers depends on the locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

jobs=$(nproc)

echo "== core alone, without Qt"
cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_WINDOW=OFF -DQUORVEL_WERROR=ON
cmake --build build-core --parallel "$jobs"
ctest --test-dir build-core --output-on-failure --parallel "$jobs"

echo "== everything"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON
cmake --build build-test --parallel "$jobs"
ctest --test-dir build-test --output-on-failure --parallel "$jobs"
