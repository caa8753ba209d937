# Shared by the scripts in this folder: install what the build needs from Debian's
# packages, configure and build.  Sourced, not run.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export LANG="${LANG:-C.UTF-8}"
[ "$LANG" = "C" ] || [ "$LANG" = "POSIX" ] && export LANG=C.UTF-8

# What a build and the test suite need; the program's own run-time needs come with them.
BUILD_PACKAGES=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-serialport-dev libyaml-cpp-dev
                qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
                qt6-qpa-plugins fonts-dejavu-core e2fsprogs xvfb xdotool desktop-file-utils
                poppler-utils help2man ser2net
                libqt6sql6-sqlite libqt6sql6-psql postgresql)

# What scripts/fuzz needs on top: clang-14 only recommends the runtime that holds
# libFuzzer and the sanitizers, so it is named here.
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' \
            || echo "$p"
    done
}

ensure_packages() {
    local missing
    missing=$(missing_packages "$@" | tr "\n" " ")
    missing=${missing% }
    [ -z "$missing" ] && return 0
    echo "Installing from Debian's packages: $missing"
    # A machine that has never fetched the package lists knows no packages at all.
    if ! ls /var/lib/apt/lists/*_Packages* >/dev/null 2>&1; then
        as_root apt-get update
    fi
    # shellcheck disable=SC2086
    if ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing; then
        # Lists that are old enough to name versions the mirror no longer has.
        as_root apt-get update
        # shellcheck disable=SC2086
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
    fi
}

# configure DIR [cmake options...]
configure() {
    local dir="$1"; shift
    cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

# build DIR [targets...]
build() {
    local dir="$1"; shift
    if [ $# -gt 0 ]; then
        cmake --build "$ROOT/$dir" -j"$(nproc)" --target "$@"
    else
        cmake --build "$ROOT/$dir" -j"$(nproc)"
    fi
}
