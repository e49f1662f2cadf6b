#!/usr/bin/env bash
# Measures how the game shows its frames on a private Xvfb of 1920 x 1080, the way a machine
# without a graphics processor shows them, in three places: a 640 x 480 window, full screen
# without a window manager (a session of the game alone) and full screen under openbox. For
# each: frames of play a second, processor milliseconds a frame and share of a core (every
# thread of the process counted: utime and stime of /proc/PID/stat over the seconds of play),
# peak memory, and the milliseconds from the launch to the first frame. Each variant is a game
# folder (its skarvel, images/ and sounds/) and the options to start it with; the variants
# take turns for ROUNDS rounds of SECONDS of play each, and the medians are printed as a table.
#
#   scripts/bench-present.sh [ROUNDS] [SECONDS] [SCREEN] -- NAME FOLDER [OPTION...] -- NAME FOLDER ...
#
# Without variants it measures this build's default (auto), -present opengl and -present
# software. Needs build-bench/ (made here) for the frame watcher; nothing is asserted.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"
# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES $SKARVEL_TEST_PACKAGES libbenchmark-dev
skarvel_build "$SKARVEL_ROOT/build-bench" -DBUILD_TESTING=OFF -DSKARVEL_BENCHMARKS=ON >/dev/null
rounds="${1:-3}" seconds="${2:-12}" screen="${3:-1920x1080x24}"
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
server="" manager=""
stop() { kill $manager $server 2>/dev/null || true; wait $manager $server 2>/dev/null || true; server="" manager=""; }
trap 'stop; rm -rf "$work"' EXIT
# A fresh X server for each place, so that every first frame meets a server no client has
# used yet; openbox on it for the managed full screen.
serve() {
    exec 3<> >(:)
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
    server=$!
    read -r -t 20 number <&3
    exec 3<&-
    export DISPLAY=":$number" SDL_AUDIODRIVER=dummy
    if [ "$1" = fullscreen-wm ]; then
        openbox >/dev/null 2>&1 &
        manager=$!
        sleep 1
    fi
}

# One run: a game of SECONDS, its figures as "rate cpu-ms core-% peak-MiB first-ms". The game
# is started by exec from the shell that reads the clock, so that the first frame counts from
# its launch and nothing else's.
run() {
    local folder="$1" words="$2" out="$work/run.txt" window
    # shellcheck disable=SC2086
    (cd "$work" && FLIPWATCH_LAUNCHED="$(date +%s%N)" LD_PRELOAD="$watch" exec "$folder/skarvel" $words -nojoystick \
        2>"$out") &
    local game=$!
    window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Skarvel OS4$' | head -n 1)"
    xdotool windowfocus --sync "$window" && sleep 1 && xdotool key space && sleep 1
    local before after tick started ended peak
    tick="$(getconf CLK_TCK)"
    read -r -a before <"/proc/$game/stat"
    started="$(date +%s.%N)"
    sleep "$seconds"
    read -r -a after <"/proc/$game/stat"
    ended="$(date +%s.%N)"
    peak="$(awk '/^VmHWM:/ { print $2 / 1024 }' "/proc/$game/status")"
    xdotool key Escape && sleep 0.5 && xdotool key Escape
    wait "$game" || true
    [ -n "${BENCH_DEBUG:-}" ] && cat "$out" >&2
    awk -v used=$((after[13] + after[14] - before[13] - before[14])) -v tick="$tick" -v from="$started" \
        -v to="$ended" -v peak="$peak" '/^flipwatch:/ { rate = $6; cpu = $9; first = $(NF - 1) }
        END { printf "%.1f %.2f %.1f %.0f %.0f\n", rate, cpu, 100 * used / tick / (to - from), peak, first }' "$out"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for place in window fullscreen fullscreen-wm; do
    for _ in $(seq "$rounds"); do
        for i in "${!names[@]}"; do
            serve "$place"
            mode="-fullscreen"
            [ "$place" = window ] && mode="-window"
            run "${folders[$i]}" "$mode ${options[$i]}" >>"$work/$place-${names[$i]}.txt"
            stop
        done
    done
done
printf '%-14s %-12s %10s %12s %10s %10s %15s\n' place variant frames/s "cpu ms/frame" "core %" "peak MiB" "first frame ms"
for place in window fullscreen fullscreen-wm; do
    for name in "${names[@]}"; do
        printf '%-14s %-12s' "$place" "$name"
        for column in 1 2 3 4 5; do printf ' %12s' "$(cut -d' ' -f$column "$work/$place-$name.txt" | median)"; done
        echo
    done
done
