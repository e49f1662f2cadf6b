#!/usr/bin/env bash
# Builds the game and its tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize and runs every test there: the unit tests, the golden games, the soak
# (SKARVEL_SOAK_FRAMES frames, 200000 when unset) and the bad-file matrix.
# Any report of either sanitizer stops the program it is in, and so fails its test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES $SKARVEL_TEST_PACKAGES
# The game keeps every picture and sound until it ends, on purpose, and tests make surfaces
# as they please: a leak report would list only those.
export ASAN_OPTIONS=detect_leaks=0
skarvel_build "$SKARVEL_ROOT/build-sanitize" -DSKARVEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSKARVEL_BENCHMARKS=OFF
cd "$SKARVEL_ROOT/build-sanitize"
# The tests in a real window spend most of their time waiting on it, so they run wider than
# the machine has cores.
ctest --output-on-failure -j 4 --timeout 600
