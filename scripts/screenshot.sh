#!/bin/sh
# Takes docs/screenshot.png (and the band map's picture when a second file is
# named): the program under Xvfb, fed by the local spot server on a port of
# its own.
set -eu
program_dir=$1
out=$2
map=${3:-}
port=8079

# The picture shows the program's own defaults, not the settings and country
# data of whoever takes it.
home=$(mktemp -d)
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"

pids=
cleanup() {
    for pid in $pids; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$home"
}
trap cleanup EXIT

"$program_dir/spot_server" --port $port >/dev/null &
pids="$pids $!"
Xvfb :98 -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
pids="$pids $!"
sleep 1
DISPLAY=:98 "$program_dir/screenshot_tour" "$out" "http://127.0.0.1:$port" $map
echo "Saved $out $map"
