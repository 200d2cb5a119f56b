#!/usr/bin/env bash
# Builds the Debian package and installs it as a merchant would, with
# apt-get; starts the desktop program from its menu entry in a fresh home
# folder under a virtual display, sees its program folder made and its
# window open; then removes the package and checks that the machine is as it
# was. Installing needs root: without it the test is skipped (exit 77).
#
#     install-package-test.sh SOURCE_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
package=quaystall
app_id=org.quaystall.QuaystallDB
skipped=77

if [ "$(id -u)" -ne 0 ]; then
    echo "Skipped: installing a package needs root."
    exit "$skipped"
fi
installed() { dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; }
if installed; then
    echo "The package $package is installed on this machine already; remove it before this test." >&2
    exit 1
fi

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
apt_get() { apt-get -o DPkg::Lock::Timeout=600 "$@"; }

work=$(mktemp -d)
cleanup() {
    if installed; then apt_get purge -y "$package" >/dev/null 2>&1 || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

started=$SECONDS
"$source_dir/scripts/package"
echo "The package was built in $((SECONDS - started)) s."
deb=$(ls "$source_dir"/build/package/${package}_*.deb)
version=$(dpkg-deb -f "$deb" Version)

lintian --fail-on error "$deb" || fail "lintian found errors in $deb"

dpkg-query -W -f='${Package} ${Version}\n' | sort >"$work/packages-before"
DEBIAN_FRONTEND=noninteractive apt_get install -y "$deb"
dpkg-query -L "$package" | while read -r path; do [ -d "$path" ] || echo "$path"; done >"$work/files"
[ -s "$work/files" ] || fail "dpkg lists no files of $package"

[ "$(quaystall-cli --version)" = "Quaystall DB v$version" ] || fail "quaystall-cli --version: $(quaystall-cli --version)"

# The menu entry's command, without its field codes.
exec_line=$(sed -n 's/^Exec=//p' "/usr/share/applications/$app_id.desktop" | sed 's/ *%[fFuUdDnNickvm]//g')
[ -n "$exec_line" ] || fail "the menu entry has no Exec line"

home="$work/home"
mkdir "$home"
# A desktop session starts menu entries in the home folder, on its display
# (never a test's offscreen platform); this one has never run the program.
(
    cd "$home"
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM HOME="$home" \
        xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
            '"$exec_line"' &
            program=$!
            for _ in $(seq 120); do
                if xdotool search --onlyvisible --name "^Quaystall DB\$" >/dev/null 2>&1; then
                    kill "$program"
                    wait "$program" 2>/dev/null
                    exit 0
                fi
                sleep 0.5
            done
            kill "$program" 2>/dev/null
            echo "The main window did not open within a minute." >&2
            exit 1'
) || fail "the program started from the menu entry showed no window"

own="$home/.local/share/quaystall"
[ "$(cat "$own/program-version.txt")" = "$version" ] || fail "no program folder of version $version in $own"
[ -d "$own/Apache/cgi-bin/qstldb" ] && [ -d "$own/Buttons" ] || fail "$own is not a whole program folder"

DEBIAN_FRONTEND=noninteractive apt_get purge -y "$package"
installed && fail "$package is still installed"
left=$(while read -r path; do [ -e "$path" ] && echo "$path"; done <"$work/files" || true)
[ -z "$left" ] || fail "files left after removing the package: $left"
[ ! -e /usr/share/quaystall ] || fail "/usr/share/quaystall is still there"
dpkg-query -W -f='${Package} ${Version}\n' | sort >"$work/packages-after"
diff "$work/packages-before" "$work/packages-after" || fail "the installed packages changed"
echo "The package installed, started from its menu entry and went without a trace."
