#!/usr/bin/env bash
# The second leg of the tests: the game built against the classic SDL 1.2.15, the library the
# SDL 1.2 interface was made for, and run on it instead of on sdl12-compat. Debian ships it as
# packages that conflict with sdl12-compat's, so they are downloaded and unpacked into
# build-classic/sdl (with SDL_image's and SDL_mixer's, whose headers include "SDL.h" from
# beside them) rather than installed; the build finds them through pkg-config and the
# programs load the classic libSDL-1.2.so.0 through LD_LIBRARY_PATH (SDL_image and SDL_mixer
# link the same name, so they run on it too). Then: the unit tests on the dummy drivers, the
# golden demos and the window tests on a private Xvfb.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES $SKARVEL_TEST_PACKAGES $SKARVEL_CLASSIC_PACKAGES
top="$SKARVEL_ROOT/build-classic"
sdl="$top/sdl"
arch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
if [ ! -f "$sdl/usr/include/SDL/SDL.h" ]; then
    mkdir -p "$top/debs"
    (cd "$top/debs" && apt-get download libsdl1.2debian libsdl1.2-dev libsdl-image1.2 libsdl-image1.2-dev \
        libsdl-mixer1.2 libsdl-mixer1.2-dev 2>&1 | grep -v "^W: Download is performed unsandboxed" >&2 || true)
    for deb in "$top"/debs/*.deb; do dpkg -x "$deb" "$sdl"; done
    # The packages' pkg-config files name /usr; here they name the unpacked folder.
    sed -i "s|^prefix=.*|prefix=$sdl/usr|" "$sdl/usr/lib/$arch/pkgconfig/"*.pc
fi
export PKG_CONFIG_PATH="$sdl/usr/lib/$arch/pkgconfig" LD_LIBRARY_PATH="$sdl/usr/lib/$arch"
cmake -S "$SKARVEL_ROOT" -B "$top/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DSKARVEL_BENCHMARKS=OFF \
    -DSKARVEL_BAD_FILE_MATRIX=OFF >/dev/null
grep -q "^SDL_INCLUDE_DIRS:INTERNAL=$sdl/" "$top/build/CMakeCache.txt" || { echo "classic.sh: the build did not find the classic SDL" >&2; exit 1; }
cmake --build "$top/build" -j "$(nproc)" >/dev/null
cd "$top/build"
echo "classic.sh: the game loads $(LD_DEBUG=libs ./skarvel --version 2>&1 | sed -n 's/.*calling init: \(.*libSDL-1.2[^ ]*\).*/\1/p' | head -n 1)"
# Every test but the soak and those of the tools and the source tree, which the main leg runs
# and which do not touch SDL.
ctest --output-on-failure -j "$(nproc)" --timeout 600 -E 'Soak|benchmark|Assetgen|layers|LostDisplay'
