# shellcheck shell=bash
# The Debian packages the tool needs, installed when missing.

PACKAGES=(g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64 libz-mingw-w64-dev
          wine wine64 xvfb xauth x11-apps imagemagick fonts-wine cmake ninja-build googletest
          clang libclang-rt-dev shellcheck zlib1g-dev)

ensure_packages() {
    [ -z "${PACKAGES_CHECKED:-}" ] || return 0
    local missing=() p installed
    # One query for all: the tool asks on every build.
    installed=$(dpkg-query -W -f='${Package}\t${Status}\n' "${PACKAGES[@]}" 2>/dev/null || true)
    for p in "${PACKAGES[@]}"; do
        [[ $'\n'$installed$'\n' == *$'\n'"$p"$'\t''install ok installed'$'\n'* ]] || missing+=("$p")
    done
    PACKAGES_CHECKED=1
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "vellumate: these Debian packages are missing; install them with:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    # Another install (a machine still setting itself up) may hold the lock: wait for it.
    note "installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 update -qq
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq "${missing[@]}" >/dev/null
}
