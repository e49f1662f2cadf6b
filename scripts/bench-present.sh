#!/usr/bin/env bash
# Measures how the game shows its frames in a 640 x 480 window under a private Xvfb, the way
# a machine without a graphics processor shows them: frames of play a second, processor
# milliseconds a frame, share of a core, peak memory and the time from the start to the first
# frame. Each variant is a game folder (its skarvel, images/ and sounds/) and the options to
# start it with; the variants take turns for ROUNDS rounds of SECONDS of play each, and the
# medians are printed as a table.
#
#   scripts/bench-present.sh [ROUNDS] [SECONDS] [SCREEN] -- NAME FOLDER [OPTION...] -- NAME FOLDER ...
#
# Without variants it measures this build's default (auto), -present opengl and -present
# software. Needs build-bench/ (scripts/bench.sh makes it) for the frame watcher.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"
# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES $SKARVEL_TEST_PACKAGES libbenchmark-dev time
skarvel_build "$SKARVEL_ROOT/build-bench" -DBUILD_TESTING=OFF -DSKARVEL_BENCHMARKS=ON >/dev/null
rounds="${1:-3}" seconds="${2:-12}" screen="${3:-800x600x24}"
shift $(($# < 3 ? $# : 3))
watch="$SKARVEL_ROOT/build-bench/libflipwatch.so"
names=() folders=() options=()
while [ "${1:-}" = "--" ]; do
    shift
    names+=("$1") folders+=("$(realpath "$2")")
    shift 2
    words=""
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do words="$words $1"; shift; done
    options+=("$words")
done
if [ ${#names[@]} -eq 0 ]; then
    b="$SKARVEL_ROOT/build-bench"
    names=(auto opengl software) folders=("$b" "$b" "$b") options=("" "-present opengl" "-present software")
fi

work="$(mktemp -d)"
exec 3<> >(:)
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
read -r -t 20 number <&3
export DISPLAY=":$number" SDL_AUDIODRIVER=dummy

# One run: a game of SECONDS in the window, its figures as "rate cpu-ms core-% peak-MiB first-ms".
run() {
    local folder="$1" words="$2" out="$work/run.txt"
    # shellcheck disable=SC2086
    (cd "$work" && /usr/bin/time -f "peak %M" env LD_PRELOAD="$watch" "$folder/skarvel" -window $words -nojoystick \
        2>"$out") &
    local game=$! window
    window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Skarvel OS4$' | head -n 1)"
    xdotool windowfocus --sync "$window" && sleep 1 && xdotool key space && sleep "$seconds"
    xdotool key Escape && sleep 0.5 && xdotool key Escape
    wait "$game" || true
    [ -n "${BENCH_DEBUG:-}" ] && cat "$out" >&2
    awk '/^flipwatch:/ { rate = $6; cpu = $9; first = $(NF - 1) } /^peak/ { peak = $2 / 1024 }
         END { printf "%.1f %.2f %.1f %.0f %.0f\n", rate, cpu, rate * cpu / 10, peak, first }' "$out"
}

for _ in $(seq "$rounds"); do
    for i in "${!names[@]}"; do run "${folders[$i]}" "${options[$i]}" >>"$work/${names[$i]}.txt"; done
done
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
printf '%-12s %10s %12s %10s %12s %14s\n' variant frames/s "cpu ms/frame" "core %" "peak MiB" "first frame ms"
for name in "${names[@]}"; do
    printf '%-12s' "$name"
    for column in 1 2 3 4 5; do printf ' %12s' "$(cut -d' ' -f$column "$work/$name.txt" | median)"; done
    echo
done
