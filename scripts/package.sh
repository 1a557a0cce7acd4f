#!/usr/bin/env bash
# Builds the Debian package and checks it: lintian (no error, no warning),
# the desktop entry, the AppStream metadata (validate --pedantic, and compose,
# which must keep every Polish paragraph of the description). The package is
# built in build-package/ (or $TARVOLIN_PACKAGE_DIR) for the prefix /usr with
# Debian's hardening flags and without the tests; the last line names it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TARVOLIN_PACKAGE_DIR:-$ROOT/build-package}"

. "$ROOT/scripts/packages.sh"
install_packages cmake ninja-build g++ pkg-config ccache qt6-base-dev libsdl2-dev libsndfile1-dev \
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev libjpeg62-turbo-dev fonts-liberation2 \
  espeak-ng fonts-noto-color-emoji dpkg-dev lintian desktop-file-utils appstream appstream-compose

# Debian's flags, all hardening on; without -g, since the programs are stripped anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1" | sed 's/\(^\| \)-g\( \|$\)/ /'; }
CFLAGS="$(flags CFLAGS) $(flags CPPFLAGS)"
CXXFLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)"
LDFLAGS="$(flags LDFLAGS)"
if [[ ! -f "$BUILD_DIR/build.ninja" ]]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_C_FLAGS="$CFLAGS" -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
    -DCMAKE_SHARED_LINKER_FLAGS="$LDFLAGS" -DCMAKE_MODULE_LINKER_FLAGS="$LDFLAGS" \
    -DCMAKE_UNITY_BUILD=ON -DTARVOLIN_PCH=ON -DTARVOLIN_TESTS=OFF >/dev/null
fi
cmake --build "$BUILD_DIR" -- -j"$(nproc)"
rm -f "$BUILD_DIR"/tarvolin_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD_DIR"/tarvolin_*.deb)

status=0
echo "lintian:"
lintian --fail-on error,warning --display-info "$deb" || status=1

tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree/root"
echo "desktop entry:"
desktop-file-validate "$tree/root/usr/share/applications/org.tarvolin.Tarvolin.desktop" || status=1
echo "AppStream:"
appstreamcli validate --pedantic --no-net "$tree/root/usr/share/metainfo/org.tarvolin.Tarvolin.metainfo.xml" ||
  status=1
appstreamcli compose --no-color --origin=tarvolin --prefix=/usr --result-root="$tree/out" \
  --data-dir="$tree/out/data" --icons-dir="$tree/out/icons" "$tree/root" >"$tree/compose.log" 2>&1 || {
  cat "$tree/compose.log"
  status=1
}
written=$(grep -c '<p xml:lang="pl">' "$tree/root/usr/share/metainfo/org.tarvolin.Tarvolin.metainfo.xml")
# Composed, the translations become a description of their own.
composed=$(zcat "$tree/out/data/tarvolin.xml.gz" 2>/dev/null |
  awk '/<description xml:lang="pl">/ { pl = 1 } pl && /<p>/ { n++ } /<\/description>/ { pl = 0 } END { print n + 0 }')
echo "  Polish paragraphs: $written written, $composed after compose"
[[ $written -gt 0 && $composed -eq $written ]] || status=1

((status == 0)) || { echo "package checks failed: $deb" >&2; exit 1; }
echo "$deb"
