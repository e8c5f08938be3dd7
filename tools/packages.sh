# shellcheck shell=bash
# The Debian packages the tool needs, installed when missing.

PACKAGES=(g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64 libz-mingw-w64-dev
          wine wine64 xvfb xauth x11-apps imagemagick fonts-wine cmake ninja-build googletest
          clang libclang-rt-dev shellcheck)

ensure_packages() {
    local missing=() p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "vellumate: these Debian packages are missing; install them with:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    note "installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
