#!/bin/bash
# Installs what is missing, builds the 32-bit and the 64-bit program warning-free, and runs
# every test headless: the 64-bit build under wine64 in Xvfb.
set -u
source "$(dirname "$0")/common.sh"

install_missing_packages sdcc mcu8051ide || exit 1
build_target i686 -DMORVEX7_WERROR=ON || exit 1
build_target x86_64 -DMORVEX7_WERROR=ON || exit 1

start_xvfb || exit 1
template="$repo_root/build/x86_64/wine/template"
cleanup() {
    [ -d "$template" ] && WINEPREFIX=$template timeout 60 /usr/lib/wine/wineserver -k \
        >/dev/null 2>&1 </dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

cd "$repo_root/build/x86_64" || exit 1
timeout 3600 ctest --output-on-failure --timeout 900
