#!/usr/bin/env bash
# Installs what the build needs (when it can), then configures and builds.
# Sourced by play.sh and test.sh; safe to run again: it only does what is missing.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TARVOLIN_BUILD_DIR:-$ROOT/build}"

PACKAGES=(cmake ninja-build g++ pkg-config ccache
  qt6-base-dev libsdl2-dev libsndfile1-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libjpeg62-turbo-dev libxcb-randr0-dev fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick ffmpeg espeak-ng fonts-noto-color-emoji xdotool
  chromium appstream desktop-file-utils dpkg-dev python3)

. "$ROOT/scripts/packages.sh"
install_packages "${PACKAGES[@]}"

# Debug information by default; CI builds without it (a quarter less compile time).
# TARVOLIN_UNITY=ON and TARVOLIN_PCH=ON (as CI builds) compile sources in batches
# with precompiled headers: a whole build takes half the time, but a change to
# one source recompiles its batch, and ccache shares none of it between checkouts.
if [[ ! -f "$BUILD_DIR/build.ninja" ]]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${TARVOLIN_BUILD_TYPE:-RelWithDebInfo}" \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_UNITY_BUILD="${TARVOLIN_UNITY:-OFF}" -DTARVOLIN_PCH="${TARVOLIN_PCH:-OFF}" \
    -DTARVOLIN_WERROR="${TARVOLIN_WERROR:-ON}" >/dev/null
fi
cmake --build "$BUILD_DIR" -- -j"$(nproc)"
