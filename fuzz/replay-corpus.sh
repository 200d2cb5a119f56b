#!/usr/bin/env bash
# Builds the fuzz targets with clang in their own folder and replays each
# one's seed corpus once, so that every input that once found a fault stays
# a regression test; or fuzzes them, for a time or a number of inputs each.
#
#   fuzz/replay-corpus.sh BUILD_DIR                    replay the corpus (ctest does this)
#   fuzz/replay-corpus.sh BUILD_DIR 0 TARGET...         replay only these targets' corpora
#   fuzz/replay-corpus.sh BUILD_DIR SECONDS [TARGET...]  fuzz each target that long
#   fuzz/replay-corpus.sh BUILD_DIR --runs N [TARGET...] fuzz each target for N inputs
#
# Every fuzz/fuzz_*.cpp is a target (fuzz/CMakeLists.txt builds the same
# list); its seeds are in fuzz/corpus/ under its name without "fuzz_". A
# target whose name ends in "_bytes" reads and writes its format in memory,
# many times faster, and shares the seeds of its twin that goes through files.
# Fuzzing keeps what it finds under BUILD_DIR/found/TARGET: the inputs of
# faults (crash-*, leak-*, timeout-*, oom-*, slow-unit-*), the output of
# the last run (fuzz.log) and, in corpus/, the new inputs that reached
# further, from which the next run goes on. Each input may take at most
# $FUZZ_TIMEOUT seconds (10) and the process $FUZZ_MEMORY_MB of memory
# (2048); inputs are at most $FUZZ_MAX_LEN bytes long (8192, and 192 or 128
# for the catalogue's two files read in memory: see maxLength). A line per target tells the
# inputs run, how many a second, and what was found; the script fails when
# anything was.
#
# While fuzzing, a memory fault's report shows the faulty access but not
# where the memory was allocated or freed: recording the calls behind every
# allocation took a tenth or more of each input's time. Running the target
# on the fault's input, `BUILD_DIR/fuzz/TARGET BUILD_DIR/found/TARGET/crash-...`,
# reports them in full.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
shift
mode=replay
amount=0
if [ $# -gt 0 ]; then
    if [ "$1" = --runs ]; then
        mode=runs
        amount="$2"
        shift 2
    else
        mode=seconds
        amount="$1"
        shift
    fi
fi
case "$amount" in
'' | *[!0-9]*)
    echo "replay-corpus.sh: the seconds or the number of inputs is a whole number, not '$amount'" >&2
    exit 1
    ;;
esac
if [ "$amount" -eq 0 ]; then
    mode=replay
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in "$root"/fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUAYSTALL_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The targets' shop folders lie in a folder of this run, in memory where the
# system has /dev/shm; it goes when the script ends, with whatever a target
# that crashed left there.
shm=/dev/shm
[ -d "$shm" ] || shm="${TMPDIR:-/tmp}"
TMPDIR="$(mktemp -d "$shm/quaystall-fuzz-run.XXXXXX")"
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT

# The longest input a target is given. Where the catalogue's two files are
# read and written in memory, the work grows with every line, and inputs of
# up to 1 KiB ran at under half the speed of these, reaching no more of the
# code in the same time (libFuzzer's -print_coverage=1 compared): shop.data
# needs 192 bytes for a line of every field (about 70), a value long enough
# for a two-byte length (128), the nine products from which a category's
# names are indexed, or the twenty-one renamed products that overflow the
# list a message shows (about 150); header_data.log needs 128 bytes for the
# ten sub-categories of an indexed family (about 110). Seeds of that size
# start each from there. Through files, the files' own cost outweighs an
# input's length.
maxLength() {
    case "$1" in
    fuzz_catalogue_loader_bytes) echo "${FUZZ_MAX_LEN:-192}" ;;
    fuzz_category_file_bytes) echo "${FUZZ_MAX_LEN:-128}" ;;
    *) echo "${FUZZ_MAX_LEN:-8192}" ;;
    esac
}

seeds() {
    local name="${1#fuzz_}"
    echo "$root/fuzz/corpus/${name%_bytes}"
}

if [ "$mode" = replay ]; then
    for target in "${targets[@]}"; do
        "$build/fuzz/$target" -runs=0 "$(seeds "$target")"
    done
    exit 0
fi

export ASAN_OPTIONS="$ASAN_OPTIONS:malloc_context_size=0"
if [ "$mode" = runs ]; then
    limit=(-runs="$amount")
else
    limit=(-max_total_time="$amount")
fi
memory="${FUZZ_MEMORY_MB:-2048}"
faults=0
for target in "${targets[@]}"; do
    found="$build/found/$target"
    mkdir -p "$found/corpus"
    before="$(ls "$found" | grep -cE '^(crash|leak|timeout|oom|slow-unit)-' || true)"
    status=0
    "$build/fuzz/$target" "${limit[@]}" -max_len="$(maxLength "$target")" -timeout="${FUZZ_TIMEOUT:-10}" \
        -rss_limit_mb="$memory" -malloc_limit_mb="$memory" -print_final_stats=1 \
        -artifact_prefix="$found/" "$found/corpus" "$(seeds "$target")" \
        >"$found/fuzz.log" 2>&1 || status=$?
    after="$(ls "$found" | grep -cE '^(crash|leak|timeout|oom|slow-unit)-' || true)"
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$found/fuzz.log" | tail -n 1)"
    speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$found/fuzz.log" | tail -n 1)"
    if [ "$status" -eq 0 ] && [ "$after" -eq "$before" ]; then
        outcome="nothing found"
    else
        outcome="FOUND $((after - before)) new fault input(s), exit status $status: see $found/fuzz.log"
        faults=$((faults + 1))
    fi
    printf '%-26s %12s inputs %8s/s  %s\n' "$target" "${runs:-?}" "${speed:-?}" "$outcome"
done
[ "$faults" -eq 0 ]
