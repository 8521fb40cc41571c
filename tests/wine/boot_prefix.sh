#!/bin/bash
# Boots the Wine prefix that every test program gets a copy of; kept between runs.
set -u
template=$1
if [ -f "$template/.booted" ]; then exit 0; fi
rm -rf "$template"
mkdir -p "$template"
export WINEPREFIX=$template WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's services inherit the output of the first wine process: keep it away from ctest.
timeout 300 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 </dev/null
status=$?
# Without a window manager, Wine would wait two seconds for one at every hide of a window.
timeout 60 /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
    >/dev/null 2>&1 </dev/null
timeout 60 /usr/lib/wine/wineserver -k >/dev/null 2>&1 </dev/null
timeout 60 /usr/lib/wine/wineserver -w >/dev/null 2>&1 </dev/null
if [ $status -ne 0 ]; then
    echo "wineboot failed with status $status" >&2
    exit 1
fi
touch "$template/.booted"
