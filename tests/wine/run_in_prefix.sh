#!/bin/bash
# Runs one Windows program under wine64, or one test script with WINEPREFIX set, in a
# throwaway copy of a template prefix that is booted on first use; then stops that prefix's
# wineserver and removes the copy. The exit status is the program's.
set -u
template=$1 scratch=$2
shift 2
wine=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="

# ctest runs the tests one after another: the first boots the template
if [ ! -f "$template/.booted" ]; then
    rm -rf "$template" && mkdir -p "$template"
    # Wine's services inherit the output of the first wine process: keep it away from ctest.
    WINEPREFIX=$template timeout 300 $wine wineboot -i >/dev/null 2>&1 </dev/null ||
        { echo "wineboot failed" >&2; exit 1; }
    # Without a window manager, Wine would wait two seconds for one at every hide of a window.
    WINEPREFIX=$template timeout 60 $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed \
        /d N /f >/dev/null 2>&1 </dev/null
    WINEPREFIX=$template timeout 60 /usr/lib/wine/wineserver -k >/dev/null 2>&1 </dev/null
    WINEPREFIX=$template timeout 60 /usr/lib/wine/wineserver -w >/dev/null 2>&1 </dev/null
    touch "$template/.booted"
fi

export WINEPREFIX
WINEPREFIX=$(mktemp -d "$scratch/prefix.XXXXXX")
cp -a "$template/." "$WINEPREFIX/"
[[ $1 == *.sh ]] || set -- $wine "$@"
# The output goes through a file, so that no process wine leaves behind can hold ctest's pipe.
timeout "${MORVEX7_TEST_TIMEOUT:-800}" "$@" >"$WINEPREFIX/output.log" 2>&1 </dev/null
status=$?
timeout 60 /usr/lib/wine/wineserver -k >/dev/null 2>&1 </dev/null
cat "$WINEPREFIX/output.log"
rm -rf "$WINEPREFIX"
exit $status
