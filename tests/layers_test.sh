#!/usr/bin/env bash
# The layer check passes the game's source, and fails, naming the file and the include, on a
# copy with an include planted upward, one across between the kinds, one that closes a circle
# between two modules of the game and one that closes a circle in the platform layer.
set -euo pipefail
check="$1/scripts/layers.py"
python3 "$check" "$1/src"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$1/src" "$work/src"
echo '#include "game/title.h"' >>"$work/src/world/motion.cpp"
echo '#include "enemies/enemy.h"' >>"$work/src/player/shot.h"
echo '#include "game/title.h"' >>"$work/src/game/controlscreen.cpp"
echo '#include "platform/present.h"' >>"$work/src/platform/clock_web.cpp"
echo '#include "platform/clock.h"' >>"$work/src/platform/present.h"
if python3 "$check" "$work/src" >"$work/out"; then
    echo "planted includes went unnoticed" >&2
    exit 1
fi
grep -q 'src/world/motion.cpp:[0-9]*: includes "game/title.h", up to game from world' "$work/out"
grep -q 'src/player/shot.h:[0-9]*: includes "enemies/enemy.h", across to enemies from player' "$work/out"
grep -q 'src/game/: controlscreen -> title -> controlscreen include each other in a circle' "$work/out"
grep -q 'src/platform/: clock -> present -> clock include each other in a circle' "$work/out"
[ "$(wc -l <"$work/out")" -eq 4 ]
