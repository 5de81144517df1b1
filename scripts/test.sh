#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: unit, trace, golden and shell
# tests (linux), the same under AddressSanitizer and UndefinedBehaviorSanitizer (asan), the
# fuzz targets for a bounded time (fuzz), the Windows build (win32), and the end-to-end tests of
# the GTK program under Xvfb and of VANTOREL_KV.EXE under Wine.
# Usage: scripts/test.sh            (from anywhere inside the repository)
# Environment: VANTOREL_FUZZ_SECONDS (default 15) bounds each fuzz target's run.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh test || { echo "test.sh: installing the dependencies failed" >&2; exit 1; }

passed=0
failed=0
failures=()
step() {
  local name=$1
  shift
  echo
  echo "=== $name"
  local start=$SECONDS
  if "$@"; then
    passed=$((passed + 1))
    echo "=== $name: passed ($((SECONDS - start)) s)"
  else
    failed=$((failed + 1))
    failures+=("$name")
    echo "=== $name: FAILED ($((SECONDS - start)) s)"
  fi
}

build_preset() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}

step "linux: build" build_preset linux
step "linux: unit, trace, golden and shell tests" \
  ctest --preset linux -j "$jobs" --label-exclude soak
step "linux: soak" ctest --preset linux --label-regex soak
step "asan: build" build_preset asan
step "asan: unit, trace, golden and shell tests" \
  env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --preset asan -j "$jobs" --label-exclude soak
step "fuzz: build" build_preset fuzz
step "fuzz: bounded runs" bash tests/fuzz/run.sh "$root/build/fuzz" "${VANTOREL_FUZZ_SECONDS:-15}"
step "win32: build" build_preset win32
pe32_gui() {
  local what
  what=$(file build/win32/bin/VANTOREL_KV.EXE) || return 1
  echo "$what"
  [[ $what == *"PE32 executable (GUI) Intel 80386"* ]]
}
step "win32: PE32 GUI executable" pe32_gui
step "gtk: end-to-end under Xvfb" bash tests/e2e/gtk/run.sh "$root/build/linux"
step "win32: end-to-end under Wine" bash tests/e2e/win32/run.sh "$root/build/win32" "$root/build/linux"

echo
if [ "$failed" -ne 0 ]; then
  printf 'failed step: %s\n' "${failures[@]}"
fi
echo "test.sh: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
