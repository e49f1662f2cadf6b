#!/usr/bin/env bash
# Installs what is missing, builds the game, its tests and its benchmark, and runs every test,
# on sdl12-compat and again on the classic SDL 1.2;
# builds the page of the web version and plays it in headless Chromium; builds and checks the
# Debian package too.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES $SKARVEL_TEST_PACKAGES
skarvel_build "$SKARVEL_ROOT/build" -DBUILD_TESTING=ON -DSKARVEL_BENCHMARKS=ON
cd "$SKARVEL_ROOT/build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
# The same game and tests built against the classic SDL 1.2.15 and run on it.
bash "$SKARVEL_ROOT/scripts/classic.sh"
# The game in a browser page, built once from the pictures and sounds generated above and
# played in headless Chromium through puppeteer-core, installed as its lock file pins it.
bash "$SKARVEL_ROOT/scripts/web.sh"
# Debian ships npm apart from Node.js; a Node.js that brings its own conflicts with that package.
command -v npm >/dev/null || skarvel_install npm
npm ci --prefix "$SKARVEL_ROOT/tests/web" --ignore-scripts --no-audit --no-fund
node "$SKARVEL_ROOT/tests/web/browser_test.mjs" "$SKARVEL_ROOT/build-web" "$SKARVEL_ROOT/build/images"
# The Debian package: built from a copy of the tree, checked, unpacked and played.
bash "$SKARVEL_ROOT/scripts/package.sh"

# A minute of fuzzing the keyboard, mouse and frame lengths, then every test again with
# AddressSanitizer and UndefinedBehaviorSanitizer, the soak and the bad-file matrix included.
bash "$SKARVEL_ROOT/scripts/fuzz.sh"
bash "$SKARVEL_ROOT/scripts/sanitize.sh"
