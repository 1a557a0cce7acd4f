#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Last line: "N passed, N failed".
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="${TARVOLIN_BUILD_DIR:-$ROOT/build}"
"$ROOT/scripts/setup.sh" || { echo "0 passed, 1 failed"; exit 1; }

rm -rf "$BUILD_DIR/test-results"
mkdir -p "$BUILD_DIR/test-results"
(cd "$BUILD_DIR" && ctest --output-on-failure -j"$(nproc)" "$@")
status=$?

# Count test cases from each program's report; a program that died before
# writing its report counts as one failure.
passed=0 failed=0
for t in $(cd "$BUILD_DIR" && ctest -N | sed -n 's/^ *Test *#[0-9]*: //p'); do
  xml="$BUILD_DIR/test-results/$t.xml"
  if [[ -f $xml ]]; then
    total=$(grep -o '<testsuites tests="[0-9]*"' "$xml" | grep -o '[0-9]*$')
    fails=$(grep -o '<testsuites tests="[0-9]*" failures="[0-9]*"' "$xml" | grep -o '[0-9]*$')
    disabled=$(grep -o '<testsuites [^>]*disabled="[0-9]*"' "$xml" | grep -o 'disabled="[0-9]*"' | grep -o '[0-9]*')
    passed=$((passed + total - fails - ${disabled:-0}))
    failed=$((failed + fails))
  else
    failed=$((failed + 1))
  fi
done
if ((status != 0 && failed == 0)); then failed=1; fi
echo "$passed passed, $failed failed"
((failed == 0))
