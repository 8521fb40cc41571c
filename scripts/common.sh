# Shared by the run and test commands: installs what is missing and builds.
# shellcheck shell=bash

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian packages the build and the tests need.
required_packages=(cmake make gcc g++ python3 g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64
                   xvfb xdotool imagemagick x11-utils googletest fonts-dejavu-core
                   fonts-wqy-microhei locales)

install_missing_packages() {
    local missing=()
    for package in "${required_packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# build_target ARCH [cmake options...]: configures and builds build/ARCH; with BUILD_ONLY set
# (a list of targets), only those.
build_target() {
    local arch=$1
    shift
    local targets=()
    [ -n "${BUILD_ONLY:-}" ] && targets=(--target ${BUILD_ONLY})
    cmake -S "$repo_root" -B "$repo_root/build/$arch" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/toolchain-$arch.cmake" "$@" >/dev/null &&
        cmake --build "$repo_root/build/$arch" -j "$(nproc)" "${targets[@]}"
}

# Starts Xvfb on a free display number and exports DISPLAY; sets xvfb_pid.
start_xvfb() {
    local display=90
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$display" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}
