#!/bin/bash
# Installs what is missing, builds the program and starts it: under wine64 on Linux
# (in Xvfb when there is no display), directly on Windows.
set -u
source "$(dirname "$0")/common.sh"

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
    BUILD_ONLY="morvex7 morvex7c" build_target x86_64 || exit 1
    exec "$repo_root/build/x86_64/morvex7.exe"
    ;;
esac

install_missing_packages || exit 1
BUILD_ONLY="morvex7 morvex7c" build_target x86_64 || exit 1
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb || exit 1
    trap 'kill "$xvfb_pid" 2>/dev/null' EXIT
    # Ctrl+C or a kill ends the script through its exit, so the display goes with it
    trap 'exit 130' INT TERM HUP
    echo "No display: the program runs in Xvfb on $DISPLAY (see it with: import -window root shot.png)"
fi
export WINEDEBUG=${WINEDEBUG:--all}
# a prefix of the program's own, never the user's ~/.wine, booted quietly the first time
export WINEPREFIX=${WINEPREFIX:-$repo_root/build/wine-prefix}
if [ ! -d "$WINEPREFIX" ]; then
    echo "First start: making the Wine prefix $WINEPREFIX"
    timeout 300 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 </dev/null
fi
/usr/lib/wine/wine64 "$repo_root/build/x86_64/morvex7.exe"
status=$?
echo "The program ended with exit status $status."
