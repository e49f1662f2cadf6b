#!/usr/bin/env bash
# Installs what is missing, builds the game and its benchmark in Release, and measures what
# a frame and a start cost: several repetitions of each figure, medians reported. It runs
# twice: full screen, as the game opens by default, and in a window (-window), because on
# SDL's dummy driver a full-screen flip is mostly SDL scaling the picture to the desktop.
#
#   scripts/bench.sh [REPETITIONS] [more skarvel_bench arguments]
#
# Each run ends with its table of medians. The same figures are written as JSON to
# build-bench/bench.json and build-bench/bench-window.json, and Google Benchmark's own
# record of every repetition to build-bench/bench-runs.json and bench-window-runs.json.
# About a minute with the default five repetitions.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

repetitions="${1:-5}"
shift || true

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES libbenchmark-dev
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
        --benchmark_report_aggregates_only=true \
        --benchmark_out="$name-runs.json" --benchmark_out_format=json \
        --json "$name.json" "$@"
done
