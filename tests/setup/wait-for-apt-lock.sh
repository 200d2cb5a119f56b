#!/usr/bin/env bash
# scripts/setup run with stand-ins for apt-get, dpkg-query and sudo: it waits
# while another apt run holds a lock, and fails at once on any other failure.
set -euo pipefail

setup=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"

# Nothing is installed.
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
# Each call is logged; the first LOCKED calls find the lock held, and a
# call while BROKEN is set fails for another reason.
cat >"$work/bin/apt-get" <<'STANDIN'
#!/bin/sh
echo "$*" >>"$APT_LOG"
calls=$(wc -l <"$APT_LOG")
if [ "$calls" -le "$LOCKED" ]; then
  echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 7 (apt-get)" >&2
  exit 100
fi
if [ -n "$BROKEN" ]; then
  echo "E: Unable to locate package lighttpd" >&2
  exit 100
fi
STANDIN
chmod +x "$work/bin/"*

failures=0
check() { # description, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}

run() { # locked calls, broken
  : >"$work/log"
  status=0
  PATH="$work/bin:$PATH" APT_LOG="$work/log" LOCKED=$1 BROKEN=$2 "$setup" >"$work/out" 2>&1 || status=$?
}

run 2 ""
check "a held lock is waited for" 0 "$status"
check "update tried until the lock is free, then install" \
  "update update update install" "$(cut -d' ' -f3 "$work/log" | tr '\n' ' ' | sed 's/ $//')"
check "apt-get waits for the dpkg lock too" "-o DPkg::Lock::Timeout=600" "$(head -c 26 "$work/log")"
check "the wait is told" 2 "$(grep -c 'waiting for it' "$work/out")"

run 0 yes
check "another failure ends setup" 100 "$status"
check "and is not tried again" 1 "$(wc -l <"$work/log")"
check "its message is shown" 1 "$(grep -c 'Unable to locate package' "$work/out")"

exit $((failures > 0))
