#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-fuzz, and runs each for half of a bounded time from its seed corpus in fuzz/corpus:
# the play target from play/, the demo reader from demo/ and the golden demos.
# FUZZ_SECONDS bounds the whole run (60 when unset). The run works in a temporary folder (S writes
# screenshot.bmp into the current one); inputs it finds new go there too, and a crashing
# input is kept in build-fuzz. Leaks are not looked for: the game keeps what it loads to the
# end, and SDL keeps its event queue.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES clang libclang-rt-14-dev
build="$SKARVEL_ROOT/build-fuzz"
# The picture and sound generator is sanitized too; what it leaves to the end is not our game.
ASAN_OPTIONS=detect_leaks=0 cmake -S "$SKARVEL_ROOT" -B "$build" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARVEL_FUZZ=ON -DSKARVEL_SANITIZE=ON -DBUILD_TESTING=OFF \
    -DSKARVEL_BENCHMARKS=OFF >/dev/null
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j "$(nproc)" --target play_fuzz demo_fuzz

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/demo"
cp -r "$SKARVEL_ROOT/fuzz/corpus/play" "$work/play"
cp "$SKARVEL_ROOT"/tests/demos/*.skdemo "$work/demo/"
cd "$work"
for target in play demo; do
    ASAN_OPTIONS=detect_leaks=0 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/${target}_fuzz" -max_total_time=$((${FUZZ_SECONDS:-60} / 2)) \
        -timeout=30 -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$build/" "$target" 2>&1 |
        # A spoilt demo is refused with the game's one line, millions of times a minute: only
        # what else is said is kept.
        { grep -v -E '^(failed to play demo|demo fuzz.skdemo was recorded by) ' || true; }
done
