#!/usr/bin/env bash
# Records the three golden demos in tests/demos with the game itself, in a window on a
# private Xvfb, pressing keys as a player would: a calm flight, a fight that loses a life,
# and a game flown into the enemies until its fourth loss ends it (about two minutes in all).
# Then writes their digests anew with scripts/golden.sh. Only for when the demos themselves
# should change; a change of the game's behaviour needs only scripts/golden.sh.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES $SKARVEL_TEST_PACKAGES
skarvel_build "$SKARVEL_ROOT/build" -DBUILD_TESTING=ON
demos="$SKARVEL_ROOT/tests/demos"
work="$(mktemp -d)"
exec 3<> >(:)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
read -r -t 20 number <&3
export DISPLAY=":$number" SDL_AUDIODRIVER=dummy

# record NAME SECONDS KEYS...: a game of at most SECONDS, the keys held through it changed
# by the xdotool commands given, then Escape out of the game and out of the program.
record() {
    local name="$1" seconds="$2" window
    shift 2
    rm -f "$demos/$name.skdemo"
    (cd "$work" && exec "$SKARVEL_ROOT/build/skarvel" -window -record "$demos/$name.skdemo") &
    local game=$!
    window="$(xdotool search --sync --onlyvisible --name '^Skarvel OS4$' | head -n 1)"
    xdotool windowfocus --sync "$window"
    sleep 1
    xdotool key space
    sleep 0.5
    for step in "$@"; do
        case "$step" in
        [0-9]*) sleep "$step" ;;
        *) xdotool $step ;;  # one xdotool command, words split on purpose
        esac
    done
    # The demo takes its name when its game ends; a game that ended by itself waits on the
    # title screen, where one Escape quits.
    local waited=0
    while [ ! -f "$demos/$name.skdemo" ] && [ "$waited" -lt "$seconds" ]; do
        sleep 1
        waited=$((waited + 1))
    done
    xdotool key Escape
    sleep 0.5
    kill -0 "$game" 2>/dev/null && xdotool key Escape
    wait "$game"
    echo "recorded $demos/$name.skdemo"
}

mkdir -p "$demos"
record calm 0 "keydown Up" 2 "keydown Left" 1.5 "keyup Left" 2 "keydown Right" 1 "keyup Right" 1 \
    "keydown Down" 2 "keyup Down keyup Up"
record fight 0 "keydown space keydown m" 2 "keydown Left" 3 "keyup Left keydown Down" 20 \
    "keyup Down keydown Right" 3 "keyup Right keyup space keyup m"
# Flown straight at full speed the ship meets an enemy every few seconds; the game ends at
# its fourth loss and waits on the title screen.
record end 240 "keydown Up"
xdotool keyup Up
bash "$SKARVEL_ROOT/scripts/golden.sh"
