#!/usr/bin/env bash
# Plays the real game in a real X11 window on a virtual screen (Xvfb), pressing keys with
# xdotool as a player would and reading what the game shows from its own screenshots.
#
# Usage: play_test.sh SKARVEL [PHOTO_FOLDER]
#   SKARVEL       the built game; its images/ and sounds/ lie beside it
#   PHOTO_FOLDER  where a failure leaves a photo of the virtual screen, the game's last
#                 screenshot and its output (default: a folder in the system's temp folder)
#
# Two games are played, each by a copy of the program in a temporary folder of its own, so
# screenshot.bmp lands there:
#   1. -window -bpp 32: the title screen comes up in a window named "Skarvel OS4"; Space
#      starts a game that shows 199 living enemies; holding Left, Space and M turns the ship
#      counter-clockwise and fires bullets and missiles; Escape goes back to the title screen
#      with the program still running; Escape there ends it with status 0.
#   2. -window at the default depth request (16 bits, which SDL may raise to the desktop's):
#      a game starts with 199 enemies; closing the window ends the game and shows the title
#      screen; closing it again ends the program with status 0. Colours are compared with a
#      tolerance here, for a 16-bit screen drops their lowest bits.
set -uo pipefail

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
    echo "usage: play_test.sh SKARVEL [PHOTO_FOLDER]" >&2
    exit 2
fi
for tool in Xvfb xdotool convert identify import python3 od; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "play_test: FAILED: $tool is not installed (scripts/test.sh installs xvfb, xdotool, imagemagick and python3)" >&2
        exit 1
    fi
done
GAME="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
ASSETS="$(dirname "$GAME")"
PHOTOS="${2:-${TMPDIR:-/tmp}/skarvel-e2e-failures}"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
SCREEN="python3 $HERE/screen.py"
NUMBERS="$ASSETS/images/numbers.png"
# How long anything may take before the test gives up; generous, since a busy machine may be
# slow, and a passing run never waits for them.
START_SECONDS=30
STEP_SECONDS=15

WORK="$(mktemp -d "${TMPDIR:-/tmp}/skarvel-e2e.XXXXXX")"
XVFB_PID=""
GAME_PID=""
WINDOW=""
TOLERANCE=0
RUN=""
STARTED=$SECONDS

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        # SDL turns SIGTERM into a quit event, which in play only ends the game.
        kill -KILL "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

say() {
    echo "play_test: [$((SECONDS - STARTED))s] $*"
}

# Prints why, keeps a photo of the virtual screen, the game's last screenshot and its
# output, and ends the test.
fail() {
    echo "play_test: FAILED in run $RUN: $*" >&2
    mkdir -p "$PHOTOS"
    local stamp
    stamp="$PHOTOS/run$RUN-$(date +%H%M%S)"
    if [ -n "$XVFB_PID" ] && import -display "$DISPLAY" -window root "$stamp-screen.png" 2>/dev/null; then
        echo "play_test: the virtual screen at the failure: $stamp-screen.png" >&2
    fi
    if [ -f "$WORK/game/screenshot.bmp" ]; then
        convert "$WORK/game/screenshot.bmp" "$stamp-screenshot.png" 2>/dev/null &&
            echo "play_test: the game's last screenshot: $stamp-screenshot.png" >&2
    fi
    if [ -s "$WORK/game.log" ]; then
        cp "$WORK/game.log" "$stamp-game.log"
        echo "play_test: what the game printed ($stamp-game.log):" >&2
        sed 's/^/    /' "$WORK/game.log" >&2
    fi
    exit 1
}

# Repeats a command every tenth of a second until it succeeds or the seconds run out.
poll() {
    local seconds="$1"
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        if [ $SECONDS -ge $deadline ]; then
            return 1
        fi
        sleep 0.1
    done
}

display_ready() {
    kill -0 "$XVFB_PID" 2>/dev/null && xdotool getdisplaygeometry >/dev/null 2>&1
}

display_number_written() {
    grep -q '^[0-9][0-9]*$' "$WORK/display" 2>/dev/null
}

# Starts Xvfb on a display number that the server itself finds free (-displayfd): it writes
# the number once it accepts clients, so no other server can take the same one meanwhile.
start_display() {
    : >"$WORK/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    if ! poll "$START_SECONDS" display_number_written; then
        RUN=0
        fail "Xvfb did not start (it said: $(tail -1 "$WORK/xvfb.log"))"
    fi
    export DISPLAY=":$(head -1 "$WORK/display")"
    poll "$START_SECONDS" display_ready || fail "Xvfb on $DISPLAY takes no clients"
    say "Xvfb runs on display $DISPLAY"
}

game_running() {
    kill -0 "$GAME_PID" 2>/dev/null
}

find_window() {
    game_running || fail "the game ended before it opened its window"
    WINDOW="$(xdotool search --onlyvisible --name '^Skarvel OS4$' 2>/dev/null | head -1)"
    [ -n "$WINDOW" ]
}

window_focused() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$WINDOW" ]
}

# Copies the program into a folder of its own beside its pictures and sounds and starts it
# with the arguments; waits for its window and gives it the keyboard.
start_game() {
    rm -rf "$WORK/game"
    mkdir -p "$WORK/game"
    cp "$GAME" "$WORK/game/skarvel"
    cp -r "$ASSETS/images" "$ASSETS/sounds" "$WORK/game/"
    : >"$WORK/game.log"
    (cd "$WORK/game" && SDL_AUDIODRIVER=dummy exec ./skarvel "$@" >>"$WORK/game.log" 2>&1) &
    GAME_PID=$!
    poll "$START_SECONDS" find_window || fail "no visible window named \"Skarvel OS4\" appeared within ${START_SECONDS}s"
    local name
    name="$(xdotool getwindowname "$WINDOW")"
    [ "$name" = "Skarvel OS4" ] || fail "the window's caption is \"$name\", not \"Skarvel OS4\""
    # Without a window manager nobody hands out the keyboard focus: take it.
    xdotool windowfocus "$WINDOW" 2>/dev/null
    poll "$STEP_SECONDS" window_focused || fail "the game's window did not get the keyboard focus"
    say "window $WINDOW \"$name\" is up and has the keyboard"
}

press() {
    game_running || fail "the game ended before the key $* was pressed"
    xdotool key --delay 30 "$@"
}

# A whole BMP: its header's file size (bytes 2 to 5) is the size on disk.
screenshot_complete() {
    local file="$WORK/game/screenshot.bmp"
    [ -f "$file" ] || return 1
    local size declared
    size=$(stat -c %s "$file")
    [ "$size" -ge 54 ] || return 1
    declared=$(od -An -tu4 -j2 -N4 "$file" | tr -d ' ')
    [ "$declared" = "$size" ]
}

# Presses S and waits for the game's screenshot; leaves it at $WORK/$1.bmp.
take_screenshot() {
    rm -f "$WORK/game/screenshot.bmp"
    press s
    poll "$STEP_SECONDS" screenshot_complete || fail "pressing S left no complete screenshot.bmp in the current folder"
    cp "$WORK/game/screenshot.bmp" "$WORK/$1.bmp"
}

on_title_screen() {
    take_screenshot title
    local ready intro
    ready=$($SCREEN matches "$WORK/title.bmp" "$ASSETS/images/ready.png" 0 340 "$TOLERANCE" none)
    intro=$($SCREEN matches "$WORK/title.bmp" "$ASSETS/images/intro.png" 0 0 "$TOLERANCE" none)
    # The ready picture covers the intro picture's lowest 140 rows.
    python3 -c "import sys; sys.exit(0 if $ready >= 0.95 and $intro >= 0.65 else 1)"
}

wait_for_title_screen() {
    poll "$STEP_SECONDS" on_title_screen ||
        fail "$1: the screenshot does not show the intro and ready pictures of the title screen"
    game_running || fail "$1: the program ended instead of showing the title screen"
    xdotool search --onlyvisible --name '^Skarvel OS4$' >/dev/null 2>&1 || fail "$1: the window is gone"
    say "$1: the title screen shows, the program runs"
}

enemy_count_shown() {
    take_screenshot start
    COUNT=$($SCREEN digits "$WORK/start.bmp" "$NUMBERS" 0 32 3 "$TOLERANCE" 2>"$WORK/digits.txt")
    [[ "$COUNT" =~ ^[0-9]{3}$ ]]
}

# Space on the title screen starts a game; the first screenshot of the game must read 199
# living enemies in the second row of digits.
start_playing() {
    press space
    COUNT=""
    poll "$STEP_SECONDS" enemy_count_shown ||
        fail "after Space no screenshot showed three digits at x 0..50, y 32..63 (last read: '$COUNT'; scores per cell: $(cat "$WORK/digits.txt"))"
    local size
    size=$(identify -format '%wx%h' "$WORK/start.bmp")
    [ "$size" = "640x480" ] || fail "the screenshot is $size, not 640x480"
    [ "$COUNT" = "199" ] || fail "a new game shows $COUNT living enemies, not 199"
    say "a new game shows 199 living enemies on a 640x480 screenshot"
}

game_ended() {
    ! game_running
}

expect_exit_status_0() {
    poll "$STEP_SECONDS" game_ended || fail "$1: the program still runs ${STEP_SECONDS}s later"
    wait "$GAME_PID"
    local status=$?
    GAME_PID=""
    [ "$status" -eq 0 ] || fail "$1: the program ended with status $status, not 0"
    say "$1: the program ended with status 0"
}

ship_frame() {
    # The camera follows the ship, so its 32 x 32 picture stands at the screen's centre.
    $SCREEN frame "$1" 304 224 "$TOLERANCE" black "$ASSETS"/images/ship00[0-6][0-9].png
}

start_display

RUN=1
TOLERANCE=0
say "run 1: 32-bit window; title, turning, firing, Escape twice"
start_game -window -bpp 32
wait_for_title_screen "at start-up"
start_playing

read -r frame score _ _ <<<"$(ship_frame "$WORK/start.bmp")"
python3 -c "import sys; sys.exit(0 if $score >= 0.9 else 1)" ||
    fail "no ship picture at the screen's centre of a new game (best: ship$(printf %04d "$frame").png, ${score} of its pixels)"
[ "$frame" -eq 17 ] || fail "a new game's ship shows ship$(printf %04d "$frame").png, not ship0017.png (pointing up)"

# Long enough for the missiles' half-second reload to send a second pair, near the ship.
xdotool keydown Left space m
sleep 0.6
xdotool keyup Left space m
take_screenshot firing
read -r turned score _ _ <<<"$(ship_frame "$WORK/firing.bmp")"
python3 -c "import sys; sys.exit(0 if $score >= 0.6 else 1)" ||
    fail "no ship picture at the screen's centre after turning (best: ship$(printf %04d "$turned").png, ${score} of its pixels)"
# 0.6 seconds of Left turn the ship by about 108 degrees, 19 frames counter-clockwise: the
# frame number grows, and stays short of half a turn.
steps=$(((turned - frame + 64) % 64))
if [ "$steps" -lt 1 ] || [ "$steps" -gt 31 ]; then
    fail "holding Left for 0.6 seconds moved the ship from ship$(printf %04d "$frame").png to ship$(printf %04d "$turned").png, not counter-clockwise"
fi
bullets=$($SCREEN find "$WORK/firing.bmp" magenta "$ASSETS/images/bullet.png")
[ "$bullets" -ge 1 ] || fail "holding Space for 0.6 seconds left no bullet on the screen"
missiles=$($SCREEN find "$WORK/firing.bmp" black "$ASSETS"/images/missile00[0-6][0-9].png)
[ "$missiles" -ge 1 ] || fail "holding M for 0.6 seconds left no missile on the screen"
say "Left turned the ship from ship$(printf %04d "$frame").png to ship$(printf %04d "$turned").png; $bullets bullets and $missiles missiles fly"

press Escape
wait_for_title_screen "after Escape in play"
press Escape
expect_exit_status_0 "after Escape on the title screen"

RUN=2
TOLERANCE=12
say "run 2: window at the default depth; closing the window in play and on the title screen"
start_game -window
wait_for_title_screen "at start-up"
start_playing
$SCREEN close "$WINDOW" || fail "could not ask the window to close"
wait_for_title_screen "after closing the window in play"
$SCREEN close "$WINDOW" || fail "could not ask the window to close"
expect_exit_status_0 "after closing the window on the title screen"

say "passed"
