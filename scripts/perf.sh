#!/usr/bin/env bash
# Measures the game on the demo installation under Xvfb, driven by xdotool:
# launch -> sign-in painted against a bare Qt window painting the same picture,
# every screen change, the GUI time to open a song, idle CPU and wake-ups, peak
# memory; medians and 90th percentiles (min-max) of N runs.
#
#   scripts/perf.sh [--runs N] [--idle SECONDS] [--display :N] [--long-media] [BUILD]
#   scripts/perf.sh --compare BUILD_A BUILD_B [--runs N] ...
#
# A BUILD is a build directory or a game binary (default: this checkout's
# build). Compared builds run in turns, one session each, so load on the
# machine affects them alike; all play the same demo installation, built by
# this checkout. --long-media makes the menu's clips two minutes long and the
# first two songs three, the second in a codec only FFmpeg reads. Set
# SDL_AUDIODRIVER=dummy to leave the sound card out.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TARVOLIN_BUILD_DIR:-$ROOT/build}"

options=()
builds=()
while (($#)); do
  case $1 in
    --compare)
      (($# >= 3)) || { echo "perf: --compare needs two builds" >&2; exit 2; }
      builds+=("$2" "$3")
      shift 3
      ;;
    --runs | --idle | --display | --screen | --bare)
      (($# >= 2)) || { echo "perf: $1 needs a value" >&2; exit 2; }
      options+=("$1" "$2")
      shift 2
      ;;
    --keep | --long-media) options+=("$1"); shift ;;
    -h | --help) sed -n '2,15s/^# \{0,1\}//p' "$0"; exit 0 ;;
    -*) echo "perf: unknown option $1" >&2; exit 2 ;;
    *) builds+=("$1"); shift ;;
  esac
done
((${#builds[@]})) || builds=("$BUILD_DIR")

# Xvfb, xdotool and python3 come with the rest of the set-up.
"$ROOT/scripts/setup.sh"
DEMO_DIR="${TARVOLIN_DEMO_DIR:-$BUILD_DIR/demo}"
TARVOLIN_BUILD_DIR="$BUILD_DIR" "$ROOT/scripts/build-demo.sh" "$DEMO_DIR"
exec python3 "$ROOT/scripts/perf.py" --demo "$DEMO_DIR" --bare "$BUILD_DIR/bare_window" "${options[@]}" "${builds[@]}"
