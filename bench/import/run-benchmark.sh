#!/usr/bin/env bash
# Times quaystall-cli import of a generated stock table into an empty shop
# (reading, merging and saving) against sqlite3's bare CSV import of the same
# file, and reports peak memory against the table's size; then the phases of
# the merge with undo and redo (bench_import), and the importer window loading
# and showing the table (bench_import_window, offscreen).
#
#   bench/import/run-benchmark.sh [ROWS]        (default: 1000000)
#
# Builds a release quaystall-cli in BUILD (default /tmp/build-bench), makes a
# fresh program folder from share/program with one empty shop, writes the
# table and its .sff with make-stock-table.py, and for each contender takes
# the best of three runs:
#   sqlite3 :memory: '.mode csv' '.import TABLE t'     (when sqlite3 is installed)
#   quaystall-cli import Big TABLE --skip-rows 1       (into the empty shop each time)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
rows="${1:-1000000}"
build="${BUILD:-/tmp/build-bench}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUAYSTALL_TESTS=OFF >/dev/null
cmake --build "$build" --target quaystall-cli bench_import bench_import_window >/dev/null
cli="$build/src/cli/quaystall-cli"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
program="$work/program"
cp -r "$root/share/program" "$program"
"$cli" --program-dir "$program" new-shop Big 2>/dev/null
data="$program/Apache/cgi-bin/qstldb/Big-cgi/data"
table="$work/stock.csv"
python3 "$root/bench/import/make-stock-table.py" "$table" --rows "$rows"
bytes=$(stat -c %s "$table")

# Runs a command three times after a preparation; prints the best wall time in
# seconds and the peak resident memory in KiB.
measure() {
    local prepare="$1"
    shift
    local best="" peak=0
    for _ in 1 2 3; do
        eval "$prepare"
        local start end seconds kb
        start=$(date +%s.%N)
        /usr/bin/time -f '%M' -o "$work/time" "$@" >"$work/stdout" 2>"$work/stderr" || {
            echo "failed: $*" >&2
            cat "$work/stderr" >&2
            exit 1
        }
        end=$(date +%s.%N)
        seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
        best=$(awk -v a="$best" -v b="$seconds" 'BEGIN { print (a == "" || b < a) ? b : a }')
        kb=$(tail -n 1 "$work/time")
        [ "$kb" -gt "$peak" ] && peak=$kb
    done
    echo "$best $peak"
}

cat "$table" >/dev/null # warm the page cache for every contender alike
printf '%-9s %9s %10s %10s %8s %10s %9s\n' rows table_MB sqlite_s import_s ratio peak_MB peak/size
if command -v sqlite3 >/dev/null; then
    read -r sqlite_s _ < <(measure : sqlite3 :memory: '.mode csv' ".import $table t")
else
    sqlite_s="-"
fi
read -r import_s import_kb < <(measure "rm -f '$data/shop.data' '$data/header_data.log'" \
    "$cli" --program-dir "$program" import Big "$table" --skip-rows 1)
grep -q "products added: $rows" "$work/stdout" || { echo "unexpected output:" >&2; cat "$work/stdout" >&2; exit 1; }

ratio=$(awk -v a="$import_s" -v b="$sqlite_s" 'BEGIN { if (b == "-" || b <= 0) print "-"; else printf "%.2f", a / b }')
printf '%-9s %9.1f %10s %10s %8s %10.1f %9.2f\n' "$rows" "$(awk -v b="$bytes" 'BEGIN { print b / 1048576 }')" \
    "$sqlite_s" "$import_s" "$ratio" "$(awk -v k="$import_kb" 'BEGIN { print k / 1024 }')" \
    "$(awk -v k="$import_kb" -v b="$bytes" 'BEGIN { printf "%.2f", k * 1024 / b }')"

echo
"$build/bench/bench_import" "$table"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_import_window" "$table" 2>/dev/null
