#!/usr/bin/env bash
# Accepts a meant change of how the game plays: writes the digests of the golden demos in
# tests/demos anew from how the game program plays them now (skarvel -timedemo DEMO
# -digest), and stamps the demos with the game's version. A change of behaviour comes with
# a new version, so that a demo recorded before it says so when it is played: when the
# digests change and the version has not, this stops and asks for the version first.
# Commit the digests and the demos with the change.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

skarvel_build "$SKARVEL_ROOT/build" -DBUILD_TESTING=ON
demos="$SKARVEL_ROOT/tests/demos"
read -r major minor < <(sed -n 's/^project(Skarvel VERSION \([0-9]*\)\.\([0-9]*\) .*/\1 \2/p' "$SKARVEL_ROOT/CMakeLists.txt")
# The version a demo's header holds (bytes 10 to 13, two little-endian words), and stamping it.
demo_version() { od -An -tu2 -j10 -N4 "$1" | awk '{ print $1, $2 }'; }
stamp() { printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((major & 255)) $((major >> 8)) $((minor & 255)) $((minor >> 8)))" |
    dd of="$1" bs=1 seek=10 conv=notrunc status=none; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
changed=""
for demo in "$demos"/*.skdemo; do
    name="$(basename "$demo" .skdemo)"
    (cd "$work" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$SKARVEL_ROOT/build/skarvel" -window -timedemo "$demo" \
        -digest 2>/dev/null) | grep -E '^(frame|end) ' >"$work/$name.digest"
    cmp -s "$work/$name.digest" "$demos/$name.digest" || changed="$changed $name"
done
if [ -n "$changed" ] && [ "$(demo_version "$demos/calm.skdemo")" = "$major $minor" ]; then
    echo "golden.sh: the game now plays$changed another way, and its version is still $major.$minor." >&2
    echo "If that change is meant, raise the version (CMakeLists.txt, debian/changelog, the metainfo and the manual page) and run this again." >&2
    exit 1
fi
for demo in "$demos"/*.skdemo; do
    stamp "$demo"
    cp "$work/$(basename "$demo" .skdemo).digest" "$demos/"
done
echo "golden.sh: the demos in tests/demos are of version $major.$minor and their digests say how the game plays now${changed:+ (changed:$changed)}; commit them only if that was meant"
