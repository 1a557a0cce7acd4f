#!/usr/bin/env bash
# A whole class on one installation: N games at once on one program directory.
#
#   scripts/classroom.sh N [--sshfs] [--display :N] [--port P] [--keep] [BUILD]
#
# Starts N games under Xvfb on one copy of the demo's program directory;
# each creates a player and finishes the town's gap dialogue at the same
# moment, then the display goes away and every game must save and end. It
# prints the figures and checks that every child is on the list once, every
# point is kept and no game showed a message box (exit code 1 otherwise).
# --sshfs plays from the same folder mounted through sshfs from an OpenSSH
# server of its own on this machine (installed here when missing; not part
# of CI). A BUILD is a build directory or a game binary (default: this
# checkout's build).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TARVOLIN_BUILD_DIR:-$ROOT/build}"

options=()
binary="$BUILD_DIR/tarvolin"
while (($#)); do
  case $1 in
    --display | --port)
      (($# >= 2)) || { echo "classroom: $1 needs a value" >&2; exit 2; }
      options+=("$1" "$2")
      shift 2
      ;;
    --sshfs | --keep) options+=("$1"); shift ;;
    -h | --help) sed -n '2,14s/^# \{0,1\}//p' "$0"; exit 0 ;;
    -*) echo "classroom: unknown option $1" >&2; exit 2 ;;
    *)
      if [[ $1 =~ ^[0-9]+$ ]]; then
        games=$1
      elif [[ -d $1 ]]; then
        binary="$1/tarvolin"
      else
        binary=$1
      fi
      shift
      ;;
  esac
done
[[ -n ${games:-} ]] || { echo "classroom: how many games? (scripts/classroom.sh N)" >&2; exit 2; }

# Xvfb, xdotool and python3 come with the rest of the set-up.
"$ROOT/scripts/setup.sh"
if [[ " ${options[*]} " == *" --sshfs "* ]]; then
  . "$ROOT/scripts/packages.sh"
  install_packages openssh-server openssh-client sshfs fuse3
fi
DEMO_DIR="${TARVOLIN_DEMO_DIR:-$BUILD_DIR/demo}"
TARVOLIN_BUILD_DIR="$BUILD_DIR" "$ROOT/scripts/build-demo.sh" "$DEMO_DIR"
exec python3 "$ROOT/scripts/classroom.py" "$games" --binary "$binary" --demo "$DEMO_DIR" \
  ${options[@]+"${options[@]}"}
