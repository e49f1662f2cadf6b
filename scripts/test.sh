#!/usr/bin/env bash
# Installs what is missing, builds the game, its tests and its benchmark, and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES $SKARVEL_TEST_PACKAGES
skarvel_build "$SKARVEL_ROOT/build"
cd "$SKARVEL_ROOT/build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
