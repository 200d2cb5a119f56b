#!/usr/bin/env bash
# Makes every write, fsync, close, rename and link of every operation fail
# in turn (in the test build, which it builds first), and prints the fault
# points tried per operation and kind with the failures found. Runs as root
# for the full-disk test's tmpfs. Exits non-zero when anything failed.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${1:-build/test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUAYSTALL_SANITIZE=ON >/dev/null
cmake --build "$build" --target fault_tests -j 2 >/dev/null

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QS_FAULT_SWEEP=full "$build/tests/faults/fault_tests"
