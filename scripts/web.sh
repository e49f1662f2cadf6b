#!/usr/bin/env bash
# Installs what is missing and builds the game for a browser page with Debian's emscripten into
# build-web/: index.html, touch.js, images/ (the title screen's large pictures), skarvel.js,
# skarvel.wasm and skarvel.data (the other pictures, the sounds and the demos packed), the web
# app manifest, icons and the service worker that keeps them. The pictures and sounds are the desktop build's in build/, generated first when
# missing. Any static file server serves the page, for example:
#   python3 -m http.server -d build-web 8000
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES $SKARVEL_WEB_PACKAGES
native="$SKARVEL_ROOT/build"
if [ ! -f "$native/CMakeCache.txt" ]; then
    cmake -S "$SKARVEL_ROOT" -B "$native" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DSKARVEL_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$native" -j "$(nproc)" --target assets
emcmake cmake -S "$SKARVEL_ROOT" -B "$SKARVEL_ROOT/build-web" -DCMAKE_BUILD_TYPE=Release \
    -DSKARVEL_ASSETS="$native" >/dev/null
cmake --build "$SKARVEL_ROOT/build-web" -j "$(nproc)"
echo "web.sh: the page is in build-web/; serve it with: python3 -m http.server -d build-web 8000"
