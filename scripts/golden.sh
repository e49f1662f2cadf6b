#!/usr/bin/env bash
# Writes the digests of the golden demos in tests/demos anew, from how the game plays them
# now. Run it when a change of the game's behaviour is meant, and commit the digests with
# the change; the test command compares them every time.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

skarvel_build "$SKARVEL_ROOT/build" -DBUILD_TESTING=ON
(cd "$SKARVEL_ROOT/build" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy SKARVEL_GOLDEN_RECORD=1 \
    ./play_test --gtest_filter='Play.GoldenDemos*' --gtest_brief=1)
echo "golden.sh: the digests in tests/demos now say the game behaves as it does; commit them only if that change was meant"
