#!/usr/bin/env bash
# Times loading and saving a big catalogue against the floor of merely
# reading and safely writing its bytes, and reports peak memory.
#
#   bench/catalogue/run-benchmark.sh [PRODUCTS...]     (default: 100000 1000000)
#
# Builds a release quaystall-cli in build/release, makes a fresh program
# folder from share/program with one shop, fills it with a generated
# catalogue and, for each size, times in one run:
#   cat shop.data > /dev/null            reading the bytes
#   quaystall-cli check                  start-up and loading the catalogue
#   dd ... bs=4M conv=fsync              writing the bytes safely
#   quaystall-cli resave                 loading, then saving the catalogue
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 1000000)

cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUAYSTALL_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --target quaystall-cli >/dev/null
cli="$root/build/release/src/cli/quaystall-cli"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Runs a command; prints its wall time in seconds (to the millisecond, the
# best of three runs, for a fast command like cat is over in a few dozen
# milliseconds) and its peak resident memory in KiB.
measure() {
    local best="" peak=0
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        /usr/bin/time -f '%M' -o "$work/time" "$@" >/dev/null 2>"$work/stderr" || {
            echo "failed: $*" >&2
            cat "$work/stderr" >&2
            exit 1
        }
        end=$(date +%s.%N)
        local seconds
        seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
        best=$(awk -v a="$best" -v b="$seconds" 'BEGIN { print (a == "" || b < a) ? b : a }')
        local kb
        kb=$(tail -n 1 "$work/time")
        [ "$kb" -gt "$peak" ] && peak=$kb
    done
    echo "$best $peak"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b <= 0) b = 0.001; printf "%.1f", a / b }'; }

printf '%-10s %10s %8s %8s %8s %8s %8s %10s %10s %8s\n' products MB cat_s load_s load/cat dd_s save_s save/dd peak_MB peak/size
for products in "${sizes[@]}"; do
    program="$work/program-$products"
    cp -r "$root/share/program" "$program"
    "$cli" --program-dir "$program" new-shop Big 2>/dev/null
    data="$program/Apache/cgi-bin/qstldb/Big-cgi/data"
    python3 "$root/bench/catalogue/make-big-shop.py" "$data" --products "$products"
    file="$data/shop.data"
    bytes=$(stat -c %s "$file")

    cat "$file" >/dev/null # warm the page cache for every contender alike
    read -r cat_s _ < <(measure cat "$file")
    read -r load_s load_kb < <(measure "$cli" --program-dir "$program" check Big)
    read -r dd_s _ < <(measure dd if="$file" of="$work/copy" bs=4M conv=fsync status=none)
    rm -f "$work/copy"
    # resave loads first; its save alone is its time less a load's.
    read -r resave_s resave_kb < <(measure "$cli" --program-dir "$program" resave Big)
    save_s=$(awk -v a="$resave_s" -v b="$load_s" 'BEGIN { d = a - b; printf "%.3f", d < 0 ? 0 : d }')
    peak_kb=$((load_kb > resave_kb ? load_kb : resave_kb))

    printf '%-10s %10.1f %8s %8s %8s %8s %8s %10s %10.1f %8s\n' "$products" \
        "$(awk -v b="$bytes" 'BEGIN { print b / 1048576 }')" "$cat_s" "$load_s" "$(ratio "$load_s" "$cat_s")" \
        "$dd_s" "$save_s" "$(ratio "$save_s" "$dd_s")" "$(awk -v k="$peak_kb" 'BEGIN { print k / 1024 }')" \
        "$(awk -v k="$peak_kb" -v b="$bytes" 'BEGIN { printf "%.2f", k * 1024 / b }')"
    rm -rf "$program"
done
