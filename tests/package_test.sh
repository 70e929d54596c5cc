#!/usr/bin/env bash
# Installs the build into a staging folder and packs it as a .deb, then checks
# what a user would meet: the programs, a man page that renders cleanly, a
# valid desktop entry, and a package that carries them with its dependencies.
# Usage: package_test.sh BUILD_DIR WITH_WINDOW(ON|OFF) VERSION
set -euo pipefail
build=$1 with_window=$2 version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

stage=$scratch/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null

files="usr/bin/quorvane-cli
usr/share/man/man1/quorvane.1
usr/share/man/man1/quorvane-cli.1
usr/share/applications/quorvane.desktop
usr/share/icons/hicolor/scalable/apps/quorvane.svg"
[ "$with_window" = ON ] && files="usr/bin/quorvane
$files"
for f in $files; do
  [ -e "$stage/$f" ] || fail "not installed: /$f"
done

"$stage/usr/bin/quorvane-cli" --version | grep -qx "quorvane-cli $version" ||
  fail "--version does not print $version"

for page in quorvane.1 quorvane-cli.1; do
  warnings=$(cd "$stage/usr/share/man/man1" &&
             LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man -l $page: $warnings"
  (cd "$stage/usr/share/man/man1" && LC_ALL=C.UTF-8 man -l "$page" 2>/dev/null) |
    grep -q 'EXIT STATUS' || fail "man -l $page renders no EXIT STATUS section"
done

desktop-file-validate "$stage/usr/share/applications/quorvane.desktop" ||
  fail "desktop entry does not validate"
grep -qx 'Exec=quorvane %f' "$stage/usr/share/applications/quorvane.desktop" ||
  fail "desktop entry does not pass the file to quorvane"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/deb" >/dev/null
deb=$(ls "$scratch"/deb/quorvane_"$version"_*.deb)
contents=$(dpkg-deb -c "$deb")
for f in $files; do
  grep -q " \./$f\( \|$\)" <<<"$contents" || fail "not in the package: /$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libstdc++6' <<<"$depends" || fail "Depends lacks libstdc++6: $depends"
if [ "$with_window" = ON ]; then
  grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks Qt 6: $depends"
fi
echo "package ok: $(basename "$deb"); Depends: $depends"
