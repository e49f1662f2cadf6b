#!/usr/bin/env bash
# Builds the Debian package from a copy of the tree, checks it with lintian, its menu entry,
# software-centre description and manual page with their own validators, then unpacks it
# with dpkg -x and runs the installed game in a window on Xvfb (tests/package_test.cpp), and
# last installs it and runs its Debian tests (debian/tests) with autopkgtest.
# The package is left in build/, ready for `apt install ./build/skarvel_*.deb`.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup-common.sh"

# shellcheck disable=SC2086
skarvel_install $SKARVEL_BUILD_PACKAGES $SKARVEL_TEST_PACKAGES $SKARVEL_PACKAGE_PACKAGES

fail() {
    echo "package.sh: $*" >&2
    exit 1
}
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The copies of the version must agree with the one CMake gives the program.
version="$(dpkg-parsechangelog -l "$SKARVEL_ROOT/debian/changelog" -S Version)"
grep -q "^project(Skarvel VERSION $version " "$SKARVEL_ROOT/CMakeLists.txt" ||
    fail "debian/changelog says $version, CMakeLists.txt another version"
grep -q "<release version=\"$version\"" "$SKARVEL_ROOT"/data/*.metainfo.xml ||
    fail "the metainfo has no release $version"
grep -q "^\.TH SKARVEL 6 .* \"skarvel $version\"" "$SKARVEL_ROOT/data/skarvel.6" ||
    fail "the manual page is not of skarvel $version"

# dpkg-buildpackage writes into the tree and beside it: it gets a copy of its own.
mkdir "$work/skarvel"
tar -C "$SKARVEL_ROOT" --exclude='./build*' --exclude=./.git --exclude=./out -cf - . | tar -C "$work/skarvel" -xf -
(cd "$work/skarvel" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc -b >"$work/build.log" 2>&1) ||
    { tail -n 40 "$work/build.log"; fail "dpkg-buildpackage failed (the end of its log is above)"; }
deb="$work/skarvel_${version}_$(dpkg --print-architecture).deb"

lintian --fail-on error,warning "$work"/skarvel_*.changes || fail "lintian found errors or warnings"

dpkg -x "$deb" "$work/root"
# The menu entry and the manual page pass without a word, the metainfo without an error or a
# warning (an info, which software centres only suggest, would still pass).
desktop="$work/root/usr/share/applications/io.github.skarvel.Skarvel.desktop"
if ! said="$(desktop-file-validate "$desktop" 2>&1)" || [ -n "$said" ]; then
    echo "$said"
    fail "desktop-file-validate found faults in the menu entry"
fi
if ! said="$(appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml 2>&1)" ||
    grep -q '^[EW]:' <<<"$said"; then
    echo "$said"
    fail "appstreamcli found errors or warnings in the metainfo"
fi
if ! said="$(zcat "$work/root/usr/share/man/man6/skarvel.6.gz" | groff -ww -z -man 2>&1)" || [ -n "$said" ]; then
    echo "$said"
    fail "groff found faults in the manual page"
fi

cmake -S "$SKARVEL_ROOT" -B "$SKARVEL_ROOT/build" -DBUILD_TESTING=ON >/dev/null
cmake --build "$SKARVEL_ROOT/build" -j "$(nproc)" --target package_test >/dev/null
SKARVEL_PACKAGE_ROOT="$work/root" "$SKARVEL_ROOT/build/package_test" --gtest_brief=1 || fail "the installed game failed"

# Debian's own test of an installed package, as its archive runs it for every upload of the
# game and of the libraries under it: autopkgtest installs the package on this machine (the
# null runner) and runs debian/tests from the source tree.
autopkgtest --quiet "$deb" "$work/skarvel/" -- null >"$work/autopkgtest.log" 2>&1 ||
    { tail -n 40 "$work/autopkgtest.log"; fail "autopkgtest failed (the end of its log is above)"; }
sed -n -E 's/^([a-z0-9-]+) +(PASS|SKIP|FLAKY)/autopkgtest: \1 \2/p' "$work/autopkgtest.log"

cp "$deb" "$SKARVEL_ROOT/build/"
echo "package.sh: build/$(basename "$deb") built, checked and played"
