#!/usr/bin/env bash
# The long walk through the main window: every seed of a range walked for
# many steps under AddressSanitizer, each in a process of its own so that a
# crash costs one seed, not the run. Prints one line per failed seed and the
# totals.
#   bench/walk/run-walk.sh [build-folder] [first-seed] [last-seed] [steps]
# The build folder is a sanitizer build with the tests (scripts/test makes
# build/test).
set -uo pipefail
build=${1:-build/test}
first=${2:-1}
last=${3:-100}
steps=${4:-2000}
binary="$build/tests/gui_tests"
[ -x "$binary" ] || { echo "No $binary: build the tests first (scripts/test)." >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
start=$(date +%s)
for seed in $(seq "$first" "$last"); do
  log=$(mktemp)
  if ! QUAYSTALL_WALK_SEEDS=$seed QUAYSTALL_WALK_STEPS=$steps \
       "$binary" --gtest_filter='MainWindowWalk.*' >"$log" 2>&1; then
    failed=$((failed + 1))
    echo "seed $seed failed: $(grep -m1 -E 'seed [0-9]+, step|ERROR: AddressSanitizer|Failure' "$log")"
    cp "$log" "walk-seed-$seed.log"
  fi
  rm -f "$log"
done
seeds=$((last - first + 1))
echo "seeds: $seeds, steps per seed: $steps, steps: $((seeds * steps)), failed seeds: $failed, seconds: $(( $(date +%s) - start ))"
[ "$failed" -eq 0 ]
