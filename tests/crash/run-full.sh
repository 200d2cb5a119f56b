#!/usr/bin/env bash
# The whole crash test: 1,000 kills of each of a save, an import and an export
# of a 100,000-product shop, with a release quaystall-cli built in BUILD
# (default /tmp/build-bench). scripts/test runs a short version through ctest.
#
#   tests/crash/run-full.sh [KILLS]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
kills="${1:-1000}"
build="${BUILD:-/tmp/build-bench}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUAYSTALL_TESTS=OFF >/dev/null
cmake --build "$build" --target quaystall-cli >/dev/null
status=0
for operation in save import export; do
    python3 "$root/tests/crash/kill-test.py" "$build/src/cli/quaystall-cli" "$operation" \
        --kills "$kills" --products 100000 --rows 20000 || status=1
done
exit $status
