#!/usr/bin/env bash
# Sets up, builds the demo installation when its sources changed, and starts the game on it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="${TARVOLIN_BUILD_DIR:-$ROOT/build}"
"$ROOT/scripts/setup.sh"
DEMO_DIR="${TARVOLIN_DEMO_DIR:-$BUILD_DIR/demo}"
"$ROOT/scripts/build-demo.sh" "$DEMO_DIR"
exec "$BUILD_DIR/tarvolin" --program-dir "$DEMO_DIR/program" "$@"
