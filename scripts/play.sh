#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. Arguments go to skarvel itself,
# for example: scripts/play.sh -window
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES
skarvel_build "$SKARVEL_ROOT/build" -DBUILD_TESTING=OFF -DSKARVEL_BENCHMARKS=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
    echo "skarvel: no display to open a window on (DISPLAY is not set); start it from a desktop session" >&2
    exit 1
fi
exec "$SKARVEL_ROOT/build/skarvel" "$@"
