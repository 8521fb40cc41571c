#!/bin/bash
# Installs what is missing and builds the two programs alone, no tests: the window program and
# morvex7c, in build/x86_64 (and the 32-bit ones in build/i686 with --i686).
set -u
source "$(dirname "$0")/common.sh"

install_missing_packages || exit 1
arch=x86_64
[ "${1:-}" = --i686 ] && arch=i686
BUILD_ONLY="morvex7 morvex7c" build_target $arch -DMORVEX7_TESTS=OFF -DMORVEX7_BENCH=OFF || exit 1
echo "Built: $repo_root/build/$arch/morvex7.exe and $repo_root/build/$arch/morvex7c.exe"
