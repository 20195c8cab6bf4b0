#!/bin/sh
# Runs a test program under an X server of its own: with-xvfb.sh WIDTHxHEIGHT
# program [arguments]. The program sees an X screen of that size and no
# window manager.
set -eu
size=$1
shift
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/log" &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
tries=0
while ! grep -q . "$work/display" 2>/dev/null; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 $server 2>/dev/null; then
        echo "Xvfb did not start:" >&2
        cat "$work/log" >&2
        exit 1
    fi
    sleep 0.05
done
DISPLAY=:$(cat "$work/display") PELK_TEST_PLATFORM=xcb "$@"
