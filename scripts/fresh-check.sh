#!/bin/sh
# Runs `make test` as a newcomer would: in a fresh minimal Debian 12 root
# (debootstrap minbase with make, git and ca-certificates only), on a clean
# clone of this repository's committed HEAD. With --package it then builds the
# Debian package, installs it with apt-get and starts the installed program as
# an ordinary user under Xvfb, checking that its window maps and its spot
# server answers. Takes minutes; not part of CI. Must run as root.
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
work=${FRESH_DIR:-/var/tmp/pelk-fresh}
cache=$work/bookworm-minbase.tar.gz
root=$work/root
with_package=0
[ "${1:-}" = "--package" ] && with_package=1

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-check: run as root (debootstrap, chroot and mounts need it)" >&2
    exit 2
fi

# The machine's own Debian mirror, so that the root gets what apt would.
mirror=$(grep -hs -E '^(URIs:|deb )' /etc/apt/sources.list /etc/apt/sources.list.d/*.sources \
    /etc/apt/sources.list.d/*.list | grep -E '/debian/?( |$)' | head -n 1 |
    sed -E 's/^URIs: *//; s/^deb +(\[[^]]*\] +)?//; s/ .*//')
mirror=${mirror:-http://deb.debian.org/debian}

command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap

mkdir -p "$work"
if [ ! -f "$cache" ]; then
    echo "fresh-check: building a minbase bookworm root from $mirror (once)"
    rm -rf "$root.new"
    debootstrap --variant=minbase --include=make,git,ca-certificates bookworm "$root.new" "$mirror"
    tar -C "$root.new" -czf "$cache.tmp" .
    mv "$cache.tmp" "$cache"
    rm -rf "$root.new"
fi

mounted=""
cleanup() {
    for m in $mounted; do
        umount -l "$m" 2>/dev/null || true
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

rm -rf "$root"
mkdir -p "$root"
tar -C "$root" -xzf "$cache"
cp /etc/resolv.conf "$root/etc/resolv.conf"

for m in proc sys dev dev/pts; do
    case $m in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount -t sysfs sys "$root/sys" ;;
    dev) mount --bind /dev "$root/dev" ;;
    dev/pts) mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts" ;;
    esac
    # Unmounted in reverse order.
    mounted="$root/$m $mounted"
done

git clone -q "$repo" "$root/root/pelk-dedirad"

status=0
start=$(date +%s)
chroot "$root" /bin/sh -c 'cd /root/pelk-dedirad && make test' || status=$?
echo "fresh-check: make test exited $status after $(($(date +%s) - start)) s"

if [ "$status" -eq 0 ] && [ "$with_package" -eq 1 ]; then
    chroot "$root" /bin/sh -eu -c '
        cd /root/pelk-dedirad
        make package
        export DEBIAN_FRONTEND=noninteractive
        apt-get install -y -qq ./build/pelk-dedirad_*_amd64.deb x11-utils curl
        useradd -m ham 2>/dev/null || true
        su ham -c "
            set -eu
            Xvfb :97 -screen 0 1366x768x24 >/dev/null 2>&1 &
            xvfb=\$!
            sleep 1
            DISPLAY=:97 pelk-dedirad >/tmp/pelk.log 2>&1 &
            program=\$!
            sleep 4
            DISPLAY=:97 xwininfo -root -tree | grep -q Pelk_Dedirad && echo \"window shown\"
            curl -sf http://127.0.0.1:8073/dxc/top_50_HF.html | grep -c \"<tr\" | sed \"s/^/rows served on the HF page: /\"
            kill \$program; wait \$program 2>/dev/null || true
            kill \$xvfb
        "
    ' || status=$?
    echo "fresh-check: package install and start exited $status"
fi
exit "$status"
