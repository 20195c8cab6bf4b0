#!/bin/sh
# Starts the program from its folder; under Xvfb when there is no display.
# When the configured spot site is the local spot-page server (the default),
# that server runs beside the program and stops with it.
set -eu
program_dir=$1

helpers=
stop_helpers() {
    for pid in $helpers; do
        kill "$pid" 2>/dev/null || true
    done
}
trap stop_helpers EXIT
trap 'exit 130' INT TERM

local_spot_site=http://127.0.0.1:8073
spot_site=$(sed -n 's/^[[:space:]]*spot_site[[:space:]]*=[[:space:]]*\([^[:space:]]*\).*/\1/p' \
    "$program_dir/Pelk_Dedirad.conf" 2>/dev/null | tail -n 1)
spot_site=${spot_site%/}
if [ -z "$spot_site" ] || [ "$spot_site" = "$local_spot_site" ]; then
    echo "Starting the local spot-page server on $local_spot_site"
    "$program_dir/spot_server" --port 8073 >/dev/null &
    helpers="$helpers $!"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "$program_dir/Pelk_Dedirad"
    exit
fi
echo "No display: starting the program under Xvfb on :99"
Xvfb :99 -screen 0 1280x1024x24 >/dev/null 2>&1 &
helpers="$helpers $!"
sleep 1
DISPLAY=:99 "$program_dir/Pelk_Dedirad"
