# Shared by play.sh and test.sh: install whatever Debian packages are missing, then build.
# Sourced, not run.

# Packages the game needs to build and run.
SKARVEL_BUILD_PACKAGES="build-essential cmake pkg-config libsdl1.2-compat-dev libsdl-image1.2-dev
  libsdl-mixer1.2-dev libx11-dev libxrandr-dev libcairo2-dev libsndfile1-dev fonts-dejavu-core"
# Packages only the tests and the benchmark need.
SKARVEL_TEST_PACKAGES="googletest libgtest-dev libbenchmark-dev xvfb xdotool openbox imagemagick clang
  libclang-rt-14-dev python3"
# What the classic SDL 1.2 needs to run (scripts/classic.sh unpacks the library itself).
SKARVEL_CLASSIC_PACKAGES="libasound2 libcaca0 libpulse0 libx11-6 libxext6"
# Packages that build the game for a browser page (emscripten) and test it in one (Chromium).
SKARVEL_WEB_PACKAGES="emscripten chromium nodejs"
# Packages that build the Debian package and check it and its desktop files.
SKARVEL_PACKAGE_PACKAGES="debhelper dpkg-dev lintian desktop-file-utils appstream man-db groff-base autopkgtest xauth"

skarvel_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# Installs only what is not there yet, so a second run asks apt for nothing.
skarvel_install() {
    local missing=""
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $package"
        fi
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        skarvel_root apt-get update -qq
        # shellcheck disable=SC2086
        skarvel_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends $missing
    fi
}

skarvel_build() {
    local build="$1"
    shift
    cmake -S "$SKARVEL_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$build" -j "$(nproc)"
}

SKARVEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
