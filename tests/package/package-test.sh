#!/bin/bash
# Builds the Debian package from the build tree, unpacks it and checks what a
# user gets: the files, the desktop entry, the AppStream metadata, and the
# unpacked program starting under Xvfb with its window mapped and its spot
# server answering.
set -euo pipefail

build_dir=$1
work=$(mktemp -d)
program=
xvfb=
cleanup() {
    local status=$?
    set +e
    if [ -n "$program" ]; then
        kill "$program" 2>/dev/null
        wait "$program" 2>/dev/null
    fi
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build_dir/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/pelk-dedirad_*_amd64.deb) || fail "no pelk-dedirad_<version>_amd64.deb"
echo "built $(basename "$deb")"

# Dependencies computed from the binaries' links, plus the plugins loaded at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libcurl4 libsndfile1 libasound2 qt6-qpa-plugins; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
files=$(cd "$root" && find . ! -type d | sed 's|^\./|/|' | sort)
outside=$(grep -v -E '^/(usr|etc)/' <<<"$files" || true)
[ -z "$outside" ] || fail "files outside /usr and /etc: $outside"
for expected in \
    /usr/bin/pelk-dedirad \
    /usr/lib/pelk-dedirad/Pelk_Dedirad \
    /usr/lib/pelk-dedirad/spot_server \
    /usr/lib/pelk-dedirad/pelk_browser \
    /usr/lib/pelk-dedirad/libpelk_http.so \
    /usr/lib/pelk-dedirad/libpelk_sound.so \
    /usr/lib/pelk-dedirad/libpelk_hamlib.so \
    /usr/lib/pelk-dedirad/Pelk_Dedirad.conf \
    /usr/lib/pelk-dedirad/Prefixe_DXCC.txt \
    /usr/lib/pelk-dedirad/ringin.wav \
    /usr/lib/pelk-dedirad/ringout.wav \
    /usr/share/applications/pelk-dedirad.desktop \
    /usr/share/icons/hicolor/scalable/apps/pelk-dedirad.svg \
    /usr/share/metainfo/pelk-dedirad.metainfo.xml \
    /usr/share/man/man1/pelk-dedirad.1.gz \
    /usr/share/doc/pelk-dedirad/copyright \
    /usr/share/doc/pelk-dedirad/changelog.gz; do
    grep -qx "$expected" <<<"$files" || fail "missing $expected"
done
[ "$(readlink "$root/usr/bin/pelk-dedirad")" = ../lib/pelk-dedirad/Pelk_Dedirad ] ||
    fail "the command does not point at the program"
grep -q "AD1C" "$root/usr/share/doc/pelk-dedirad/copyright" || fail "copyright does not credit AD1C"

desktop=$root/usr/share/applications/pelk-dedirad.desktop
desktop-file-validate "$desktop" || fail "desktop entry"
grep -qx "Exec=/usr/bin/pelk-dedirad" "$desktop" || fail "Exec= is not the installed command"
appstreamcli validate --no-net "$root/usr/share/metainfo/pelk-dedirad.metainfo.xml" >/dev/null ||
    fail "metainfo"

# Start the unpacked program through its command, on a spot site port of its
# own, with an empty home, under a private X server. The port is taken below
# the range the system hands out to the other tests' servers, so that none of
# them can hold it already.
ephemeral=$(awk '{print $1}' /proc/sys/net/ipv4/ip_local_port_range)
[ "$ephemeral" -gt 21000 ] || ephemeral=40000
port=$((20000 + RANDOM % (ephemeral - 20000)))
sed -i "s|^spot_site = .*|spot_site = http://127.0.0.1:$port|" "$root/usr/lib/pelk-dedirad/Pelk_Dedirad.conf"
mkdir -p "$work/home"
Xvfb -displayfd 3 -screen 0 1366x768x24 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(cat "$work/display")
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
    DISPLAY=$display QT_QPA_PLATFORM=xcb "$root/usr/bin/pelk-dedirad" >"$work/program.log" 2>&1 &
program=$!

window=
for _ in $(seq 200); do
    window=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep '"Pelk_Dedirad Rev' | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || { cat "$work/program.log"; fail "the program ended"; }
    sleep 0.1
done
[ -n "$window" ] || fail "no window mapped"
echo "window: $window"
id=$(awk '{print $1}' <<<"$window")
DISPLAY=$display xprop -id "$id" WM_CLASS | grep -q '"Pelk_Dedirad"' ||
    fail "window class does not match StartupWMClass: $(DISPLAY=$display xprop -id "$id" WM_CLASS)"

page=
for _ in $(seq 100); do
    if exec 4<>"/dev/tcp/127.0.0.1/$port" 2>/dev/null; then
        printf 'GET /dxc/top_50_14_MHz.html HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n' >&4
        page=$(cat <&4)
        exec 4<&-
        break
    fi
    sleep 0.1
done
grep -q "200 OK" <<<"$page" || fail "the spot server did not answer on port $port"
rows=$(grep -o -i "<tr" <<<"$page" | wc -l)
[ "$rows" -gt 1 ] || fail "the spot server's page has no spots"
echo "spot server answered with $rows rows"
