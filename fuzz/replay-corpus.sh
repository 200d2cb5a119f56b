#!/usr/bin/env bash
# Builds the fuzz targets with clang in their own folder and replays each
# one's seed corpus once, so that every input that once found a fault stays
# a regression test.
#
#   fuzz/replay-corpus.sh BUILD_DIR            replay the corpus (ctest does this)
#   fuzz/replay-corpus.sh BUILD_DIR SECONDS    fuzz each target that long
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
seconds="${2:-0}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUAYSTALL_FUZZ=ON >/dev/null
cmake --build "$build" >/dev/null

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in fuzz_catalogue_loader fuzz_name_value_list fuzz_field_definitions fuzz_option_files fuzz_import_table; do
    corpus="$root/fuzz/corpus/${target#fuzz_}"
    if [ "$seconds" -eq 0 ]; then
        "$build/fuzz/$target" -runs=0 "$corpus"
    else
        mkdir -p "$build/found/$target"
        "$build/fuzz/$target" -max_total_time="$seconds" -max_len=8192 \
            -artifact_prefix="$build/found/$target-" "$build/found/$target" "$corpus"
    fi
done
