#!/usr/bin/env bash
# Installs what is missing, builds the game and its benchmark in Release, and measures what
# a frame and a start cost: several repetitions of each figure, their mean, median, spread
# and variation printed by Google Benchmark. It runs twice: full screen, as the game opens by
# default, and in a window (-window), because on SDL's dummy driver a full-screen flip is
# mostly SDL scaling the picture to the desktop.
#
#   scripts/bench.sh [REPETITIONS] [more skarvel_bench arguments]
#
# Each run writes Google Benchmark's JSON, every repetition and the aggregates, to
# build-bench/bench.json and build-bench/bench-window.json; bench/targets.py then reads both
# and prints each frame of play against the floor and the targets, on the medians.
# About a minute with the default five repetitions.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

repetitions="${1:-5}"
shift || true

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES libbenchmark-dev python3
build="$SKARVEL_ROOT/build-bench"
skarvel_build "$build" -DBUILD_TESTING=OFF -DSKARVEL_BENCHMARKS=ON
cd "$build"
for mode in full window; do
    name=bench
    flags=()
    if [ "$mode" = window ]; then
        name=bench-window
        flags=(--window)
    fi
    ./skarvel_bench "${flags[@]}" \
        --benchmark_repetitions="$repetitions" \
        --benchmark_display_aggregates_only=true \
        --benchmark_counters_tabular=true \
        --benchmark_out="$name.json" --benchmark_out_format=json "$@"
done
echo
python3 "$SKARVEL_ROOT/bench/targets.py" bench.json bench-window.json
