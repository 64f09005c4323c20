#!/usr/bin/env bash
# Builds everything from scratch and runs all tests: once normally, once
# under AddressSanitizer and UndefinedBehaviorSanitizer; in between, the
# concurrency test under ThreadSanitizer and a short run of every fuzz
# target (scripts/fuzz.sh --smoke). The large-input tests run on request:
# ctest --test-dir build -C Large -L large.
set -euo pipefail
cd "$(dirname "$0")/.."

# clang for ThreadSanitizer and libFuzzer.
scripts/install-deps.sh clang libclang-rt-dev llvm
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGNSSIMPORT_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# ThreadSanitizer: only the concurrency test and what it loads.
cmake -S . -B build-tsan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGNSSIMPORT_SANITIZE=thread -DGNSSIMPORT_WERROR=ON
cmake --build build-tsan -j "$jobs" --target robustness_concurrency_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir build-tsan --output-on-failure --no-tests=error -R '^Concurrency\.'

scripts/fuzz.sh --smoke

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGNSSIMPORT_SANITIZE=ON -DGNSSIMPORT_WERROR=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
