#!/usr/bin/env bash
# Builds the libFuzzer targets fuzz_cli and fuzz_rules with clang into the
# folder given (build/ci-fuzz by default), for scripts/fuzz.sh and
# scripts/fuzz-open.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=${1:-build/ci-fuzz}
cmake -S . -B "$dir" -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCHECKERS_FUZZ=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target fuzz_cli fuzz_rules
