#!/bin/sh
# Runs a command in a desktop session of its own: a message bus and a
# keyring daemon whose keyring, kept in a throwaway home folder, is unlocked
# with a password of the run's own. Skipped (77) where there is no keyring daemon.
set -eu
command -v gnome-keyring-daemon >/dev/null || exit 77
command -v dbus-run-session >/dev/null || exit 77
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
exec dbus-run-session -- sh -c '
    printf "unlock" | gnome-keyring-daemon --unlock --components=secrets >/dev/null
    exec "$@"' sh "$@"
