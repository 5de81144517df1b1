#!/usr/bin/env bash
# Runs every fuzz target for a bounded time on a fresh copy of its seed corpus.
# Usage: tests/fuzz/run.sh BUILD_FUZZ_DIR SECONDS
# A target passes when it runs its time out without a crash, a sanitizer report, a broken
# invariant, a timeout or running out of memory. Findings go to BUILD_FUZZ_DIR/fuzz-artifacts/.
# Prints one line per target and then: fuzz: N passed, M failed
set -uo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_FUZZ_DIR SECONDS" >&2
  exit 2
fi
build=$(cd "$1" && pwd) || exit 2
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

passed=0
failed=0
for target in fuzz_game fuzz_resources fuzz_bitmap fuzz_program_resources; do
  exe="$build/bin/$target"
  if [ ! -x "$exe" ]; then
    echo "fuzz: $target FAILED (not built in $build)"
    failed=$((failed + 1))
    continue
  fi
  corpus="$work/$target"
  mkdir -p "$corpus"
  cp "$here/corpus/$target/"* "$corpus/" 2>/dev/null || true
  case $target in
    fuzz_game) max_len=4096 ;;
    fuzz_program_resources) max_len=131072 ;;
    *) max_len=16384 ;;
  esac
  log="$artifacts/$target.log"
  if "$exe" "$corpus" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
      >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    echo "fuzz: $target passed (${runs:-?} inputs in $seconds s)"
    passed=$((passed + 1))
  else
    echo "fuzz: $target FAILED (see $log)"
    grep -E 'ERROR|invariant broken|fuzz_[a-z]+: ' "$log" | head -5 | sed 's/^/  /'
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
