#!/bin/bash
# A TrueType font that is not installed, taken from Debian's package without installing it:
# FreeSerif of fonts-freefont-ttf, into the folder given.
set -u
mkdir -p "$1" && out=$(cd "$1" && pwd) || exit 1
[ -f "$out/FreeSerif.ttf" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
apt-get download fonts-freefont-ttf >/dev/null 2>&1 ||
    { apt-get update -qq >/dev/null 2>&1 && apt-get download fonts-freefont-ttf >/dev/null 2>&1; } ||
    { echo "fonts-freefont-ttf could not be downloaded" >&2; exit 1; }
dpkg-deb -x fonts-freefont-ttf_*.deb unpacked && mkdir -p "$out" &&
    cp unpacked/usr/share/fonts/truetype/freefont/FreeSerif.ttf "$out/"
