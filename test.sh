#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Last line: "N passed, N failed".
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="${TARVOLIN_BUILD_DIR:-$ROOT/build}"
# TARVOLIN_SETUP=0: the caller has already built what the build directory's tests need.
if [[ ${TARVOLIN_SETUP:-1} != 0 ]]; then
  "$ROOT/scripts/setup.sh" || { echo "0 passed, 1 failed"; exit 1; }
fi

rm -rf "$BUILD_DIR/test-results"
mkdir -p "$BUILD_DIR/test-results"
# TARVOLIN_TEST_JOBS: test programs at a time (default: one per core).
(cd "$BUILD_DIR" && ctest --output-on-failure -j"${TARVOLIN_TEST_JOBS:-$(nproc)}" "$@")
status=$?

# Count test cases from each program's report; a program that died before
# writing its report counts as one failure.
passed=0 failed=0
for t in $(cd "$BUILD_DIR" && ctest -N | sed -n 's/^ *Test *#[0-9]*: //p'); do
  xml="$BUILD_DIR/test-results/$t.xml"
  if [[ -f $xml ]]; then
    head=$(grep -m1 -o '<testsuites [^>]*>' "$xml")
    attr() { sed -n "s/.* $1=\"\([0-9]*\)\".*/\1/p" <<<"$head"; }
    total=$(attr tests) fails=$(attr failures) disabled=$(attr disabled) errors=$(attr errors)
    passed=$((passed + ${total:-0} - ${fails:-0} - ${disabled:-0} - ${errors:-0}))
    failed=$((failed + ${fails:-0} + ${errors:-0}))
  else
    failed=$((failed + 1))
  fi
done
if ((status != 0 && failed == 0)); then failed=1; fi
echo "$passed passed, $failed failed"
((failed == 0))
