#!/bin/sh
# Starts the program from its folder; under Xvfb when there is no display.
set -eu
program_dir=$1

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program_dir/Pelk_Dedirad"
fi
echo "No display: starting the program under Xvfb on :99"
Xvfb :99 -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT INT TERM
sleep 1
DISPLAY=:99 "$program_dir/Pelk_Dedirad"
