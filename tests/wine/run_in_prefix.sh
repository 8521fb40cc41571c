#!/bin/bash
# Runs one Windows program under wine64 in a throwaway copy of the booted template prefix,
# then stops that prefix's wineserver and removes the copy. The exit status is the program's.
set -u
template=$1
scratch=$2
shift 2
mkdir -p "$scratch"
prefix=$(mktemp -d "$scratch/prefix.XXXXXX")
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
# The program's output goes through a file, so that no process wine leaves behind can
# hold ctest's pipe open.
timeout "${MORVEX7_TEST_TIMEOUT:-800}" /usr/lib/wine/wine64 "$@" >"$prefix/output.log" 2>&1 </dev/null
status=$?
timeout 60 /usr/lib/wine/wineserver -k >/dev/null 2>&1 </dev/null
cat "$prefix/output.log"
rm -rf "$prefix"
exit $status
