#!/usr/bin/env bash
# Builds the fuzz target with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-fuzz, and runs it for a bounded time from the seed corpus in fuzz/corpus/play.
# FUZZ_SECONDS bounds the run (60 when unset). The run works in a temporary folder (S writes
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
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j "$(nproc)" --target play_fuzz

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$SKARVEL_ROOT/fuzz/corpus/play" "$work/corpus"
cd "$work"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/play_fuzz" -max_total_time="${FUZZ_SECONDS:-60}" \
    -timeout=30 -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$build/" corpus
