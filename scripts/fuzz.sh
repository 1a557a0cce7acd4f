#!/usr/bin/env bash
# Fuzzes the file readers: scripts/fuzz.sh [seconds-per-target] [target...]
#
# Installs clang when it is missing, builds the fuzz targets in build-fuzz/
# (the whole program with coverage, ASan and UBSan), then runs every target
# (or the named ones, "picture" or "fuzz_picture") for the given time, one at
# a time. Crashing, leaking and slow inputs are copied into
# fuzz/corpus/<name>/ as regression seeds, with the new inputs that add
# coverage (merged, so only the few that matter are kept). A table of
# executions, coverage and findings per target ends the output.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TARVOLIN_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
SECONDS_PER_TARGET="${1:-600}"
shift || true
# Per input: a reader that needs more than this is a finding.
RSS_LIMIT_MB="${TARVOLIN_FUZZ_RSS_MB:-2048}"
TIMEOUT_S="${TARVOLIN_FUZZ_TIMEOUT:-10}"

PACKAGES=(clang libclang-rt-dev llvm)
. "$ROOT/scripts/packages.sh"
install_packages "${PACKAGES[@]}"

# -O1 with line tables: fast enough to fuzz, and stacks that name the line.
if [[ ! -f "$BUILD_DIR/build.ninja" ]]; then
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Fuzz \
    -DCMAKE_CXX_FLAGS_FUZZ="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_FUZZ="-O1 -gline-tables-only" \
    -DTARVOLIN_FUZZ=ON -DTARVOLIN_WERROR=OFF >/dev/null
fi

targets=()
if (($#)); then
  for t in "$@"; do targets+=("fuzz_${t#fuzz_}"); done
else
  for src in "$ROOT"/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
cmake --build "$BUILD_DIR" --target "${targets[@]}" -- -j"$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$ROOT/fuzz/lsan.supp:print_suppressions=0}"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy TARVOLIN_FONTCONFIG_QUIET=1

# Media files are larger than the text formats; records need their whole size.
max_len_of() {
  case "$1" in
    picture | sound | video) echo 16384 ;;
    *) echo 8192 ;;
  esac
}

summary=()
status=0
for target in "${targets[@]}"; do
  name="${target#fuzz_}"
  seeds="$ROOT/fuzz/corpus/$name"
  work="$BUILD_DIR/fuzz-work/$name"
  rm -rf "$work/new"
  mkdir -p "$seeds" "$work/new" "$work/found"
  max_len="$(max_len_of "$name")"
  log="$work/fuzz.log"
  echo "== $name: ${SECONDS_PER_TARGET} s"
  # New inputs land in the first directory; the repository's seeds are only read.
  # Fork mode keeps fuzzing past a finding, so one known fault does not end the run.
  set +e
  "$BUILD_DIR/$target" -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 \
    -max_total_time="$SECONDS_PER_TARGET" -rss_limit_mb="$RSS_LIMIT_MB" -malloc_limit_mb="$RSS_LIMIT_MB" \
    -timeout="$TIMEOUT_S" -max_len="$max_len" -report_slow_units=5 -artifact_prefix="$work/found/" \
    "$work/new" "$seeds" >"$log" 2>&1
  rc=$?
  set -e
  findings=0
  for f in "$work"/found/*; do
    [[ -e $f ]] || continue
    cp "$f" "$seeds/"
    findings=$((findings + 1))
    echo "   found: $(basename "$f") (kept in fuzz/corpus/$name/)"
  done
  rm -f "$work"/found/*
  if ((rc != 0 || findings > 0)); then
    status=1
    grep -m1 -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" || tail -n 3 "$log"
  fi
  before=$(find "$seeds" -type f | wc -l)
  # Edges only, not their hit counts: a few inputs per new branch, not one per loop count.
  "$BUILD_DIR/$target" -merge=1 -use_counters=0 -max_len="$max_len" -rss_limit_mb="$RSS_LIMIT_MB" \
    -timeout="$TIMEOUT_S" -artifact_prefix="$work/merge-" "$seeds" "$work/new" >"$work/merge.log" 2>&1 ||
    echo "   merge failed, see $work/merge.log"
  added=$(($(find "$seeds" -type f | wc -l) - before))
  # The last progress line: "#EXECS: cov: C ft: F corp: N exec/s E oom/timeout/crash: O/T/X ...".
  last=$(grep -E '^#[0-9]+: cov: ' "$log" | tail -n1)
  execs=$(sed -n 's/^#\([0-9]*\):.*/\1/p' <<<"$last")
  cov=$(sed -n 's/.* cov: \([0-9]*\) ft: \([0-9]*\).*/\1 \2/p' <<<"$last")
  otc=$(sed -n 's|.*oom/timeout/crash: \([0-9/]*\).*|\1|p' <<<"$last")
  summary+=("$(printf '%-18s %12s %7s %7s %6s %9s %18s' "$name" "${execs:-?}" ${cov:-? ?} "$added" "$findings" \
    "${otc:-?}")")
done

printf '\n%-18s %12s %7s %7s %6s %9s %18s\n' target executions cov ft added findings oom/timeout/crash
printf '%s\n' "${summary[@]}"
exit "$status"
