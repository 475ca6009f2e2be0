#!/usr/bin/env bash
# Runs a command against a virtual X display of its own and returns the command's status.
# The server picks a free display number itself (-displayfd), so parallel test runs never race
# for one, and its shutdown cannot change the command's status.
# Usage: with-xvfb.sh COMMAND [ARGS...]
set -uo pipefail
fifo_dir=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo_dir/display" 2>"$fifo_dir/log" &
server=$!
display=
if ! read -r -t 20 display <"$fifo_dir/display" || [ -z "$display" ]; then
    echo "with-xvfb: the virtual display did not start" >&2
    cat "$fifo_dir/log" >&2
    exit 1
fi
DISPLAY=":$display" "$@"
