#!/bin/bash
# Installs what is missing, builds the 32-bit and the 64-bit program warning-free, and runs
# every test headless: the 64-bit build under wine64 in Xvfb.
set -u
source "$(dirname "$0")/common.sh"

install_missing_packages sdcc mcu8051ide || exit 1
# a Chinese locale, under which Wine's code page is 936
locale -a | grep -qi '^zh_CN.utf8$' || localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 || exit 1
build_target i686 -DMORVEX7_WERROR=ON || exit 1
build_target x86_64 -DMORVEX7_WERROR=ON || exit 1

# The window's floors: state/ below view/ and settings/, those below app/; the view uses no
# dialog. An include that reaches up a floor fails the command, naming its file and line.
floors_broken=$(cd "$repo_root" && grep -Hn '^#include "\(app\|view\|settings\)/' state/* ;
    grep -Hn '^#include "\(app\|settings\)/' view/* ; grep -Hn '^#include "app/' settings/*)
if [ -n "$floors_broken" ]; then
    echo "$floors_broken" | sed 's/$/: includes a floor above its own/' >&2
    exit 1
fi

# The test budget: lines under tests/ against the product folders, each counted without blank
# lines and lines that hold only a comment, in C, C++, resource, shell, Python and CMake files.
# Above 0.35 the suite has grown past its budget and the command fails.
count_lines() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' -o -name '*.rc' -o \
        -name '*.sh' -o -name '*.py' -o -name CMakeLists.txt \) -exec cat {} + |
        grep -v '^\s*$' | grep -cv '^\s*\(//\|#\s\|/\*\|\*\)'
}
cd "$repo_root" || exit 1
tests=$(count_lines tests) product=$(count_lines app state model view convert output settings res)
ratio=$(awk -v t="$tests" -v p="$product" 'BEGIN { printf "%.3f", t / p }')
echo "Test budget: $tests test lines against $product product lines = $ratio (aim 0.25 to 0.35)"
if awk -v t="$tests" -v p="$product" 'BEGIN { exit !(t / p > 0.35) }'; then
    echo "The tests are above their budget of 0.35 of the product code." >&2
    exit 1
fi

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
