#!/usr/bin/env bash
# Builds the demo installation into $1 when the content tool or its sources changed.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TARVOLIN_BUILD_DIR:-$ROOT/build}"
OUT="$1"
TOOL="$BUILD_DIR/tarvolin-content"
STAMP="$OUT/.sources"
sum=$( { sha1sum "$TOOL"; find "$ROOT/content" -type f -print0 | sort -z | xargs -0 sha1sum; } | sha1sum | cut -d' ' -f1)
if [[ -f $STAMP && $(cat "$STAMP") == "$sum" ]]; then exit 0; fi
# Keep the players' progress of an earlier demo build.
SAVED=""
if [[ -d "$OUT/program/login" ]]; then
  SAVED="$(mktemp -d)"
  cp -a "$OUT/program/login" "$SAVED/"
fi
rm -rf "$OUT"
"$TOOL" build-demo "$OUT" >/dev/null
if [[ -n $SAVED ]]; then
  cp -a "$SAVED/login" "$OUT/program/"
  rm -rf "$SAVED"
fi
echo "$sum" > "$STAMP"
