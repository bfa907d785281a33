#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build_dir=${TARVEX_TEST_BUILD_DIR:-build/asan}
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DTARVEX_SANITIZE=ON \
  -DTARVEX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" --parallel "$jobs"

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$build_dir"
ctest --output-on-failure --parallel "$jobs"
