#!/bin/sh
# Installs the Debian packages needed to build, run and test Pelk_Dedirad.
# Only the packages that are missing are installed, so a second run is quick.
# `install-deps.sh bench` also installs the programs the benchmarks compare
# this one with.
set -eu

PACKAGES="
build-essential
cmake
ninja-build
dpkg-dev
file
desktop-file-utils
appstream
pkg-config
clang
libclang-rt-14-dev
clang-format
qt6-base-dev
qt6-base-dev-tools
qt6-qpa-plugins
qt6-serialport-dev
qt6-webengine-dev
qt6-webengine-dev-tools
libqt6webenginecore6-bin
libgl-dev
libvulkan-dev
libxkbcommon-dev
libxcb1-dev
libcurl4-openssl-dev
libasound2-dev
libasound2-plugins
libsndfile1-dev
hamradio-files
libhamlib-dev
libhamlib-utils
googletest
libgtest-dev
libgmock-dev
libbenchmark-dev
xvfb
xauth
x11-utils
xdotool
wsjtx
perl
libmojolicious-perl
libev-perl
libjson-xs-perl
libdata-structure-util-perl
libmath-round-perl
libtimedate-perl
fonts-dejavu-core
"
if [ "${1:-}" = bench ]; then
    PACKAGES="$PACKAGES xdx"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
