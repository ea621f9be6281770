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

# Cheapest first: a formatting difference fails before anything is built.
echo "== Formatting =="
scripts/sources.sh '*.cpp' '*.h' | xargs -d '\n' clang-format --dry-run -Werror

echo "== Release build =="
build build/ci-release -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build/ci-release --output-on-failure -j"$jobs"

# Reads the Release build's compile commands and moc files.
echo "== clang-tidy =="
scripts/tidy.sh build/ci-release

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
build build/ci-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHECKERS_SANITIZE=address
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  ctest --test-dir build/ci-asan --output-on-failure -j"$jobs"

echo "== ThreadSanitizer build of the threaded tests =="
cmake -S . -B build/ci-tsan -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCHECKERS_SANITIZE=thread >/dev/null
# The tests labelled "thread" are named after their targets: build just those.
mapfile -t threaded < <(ctest --test-dir build/ci-tsan -L thread -N | sed -n 's/^ *Test *#[0-9]*: //p')
cmake --build build/ci-tsan -j"$jobs" --target "${threaded[@]}"
# Debian's Qt is not instrumented: ignore_noninstrumented_modules silences
# reports about accesses made inside Qt's own code, whose futex-based locking
# TSan cannot see, and nothing else. QT_NO_GLIB picks Qt's own event
# dispatcher, whose wake-ups TSan does not take for synchronisation, so our
# code must show every hand-over between threads itself. Qt starts a
# program with a vfork-like clone that shares the parent's memory; TSan's
# clone hook then does its after-fork bookkeeping in that child, which marks
# the parent itself as forked while threaded, and die_after_fork would kill
# the parent at its next new thread: die_after_fork=0 keeps it alive.
QT_NO_GLIB=1 TSAN_OPTIONS="ignore_noninstrumented_modules=1 halt_on_error=1 die_after_fork=0" \
  ctest --test-dir build/ci-tsan -L thread --output-on-failure -j"$jobs"

echo "== Fuzzing (libFuzzer, fixed seed and number of runs) =="
scripts/fuzz.sh
