#!/bin/sh
# Starts the program from its folder; under Xvfb when there is no display.
# The program starts its own spot source when it needs one.
set -eu
program_dir=$1

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program_dir/Pelk_Dedirad"
fi

echo "No display: starting the program under Xvfb on :99"
Xvfb :99 -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
sleep 1
DISPLAY=:99 "$program_dir/Pelk_Dedirad"
