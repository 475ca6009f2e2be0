#!/usr/bin/env bash
# Runs a command against a virtual X display of its own and returns the command's status.
# Display numbers are drawn at random well above 0 (programs without DISPLAY fall back to ":0",
# and must not find a test's server there); a number already taken makes the server exit at
# once and another is tried. The server's shutdown cannot change the command's status.
# Usage: with-xvfb.sh COMMAND [ARGS...]
set -uo pipefail
work=$(mktemp -d)
server=
trap '[ -n "$server" ] && { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }; rm -rf "$work"' EXIT
for attempt in $(seq 1 20); do
    number=$((100 + RANDOM % 30000))
    rm -f "$work/ready"
    mkfifo "$work/ready"
    # -displayfd reports the number once the server accepts connections.
    Xvfb ":$number" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/ready" 2>"$work/log" &
    server=$!
    display=
    if read -r -t 20 display <"$work/ready" && [ -n "$display" ]; then
        DISPLAY=":$display" "$@"
        exit $?
    fi
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    server=
done
echo "with-xvfb: no virtual display could be started" >&2
cat "$work/log" >&2
exit 1
