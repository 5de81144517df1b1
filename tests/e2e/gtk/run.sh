#!/usr/bin/env bash
# End-to-end tests of the GTK program under Xvfb, with real X input (xdotool) and screenshots
# (ImageMagick). No window manager is needed: xdotool gives the keyboard to a window, and the
# close box is played by a small helper that sends the close request a window manager sends.
#   tests/e2e/gtk/run.sh BUILD_LINUX_DIR
# Needs BUILD_LINUX_DIR/bin/vantorel and bin/vantorel-trace. Prints one line per test and closes
# with "gtk-e2e: N passed, M failed"; the exit status is non-zero when a test failed.
set -u
if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD_LINUX_DIR" >&2
  exit 2
fi
BUILD=$(cd "$1" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)

missing=()
for tool in Xvfb xdotool xwininfo xprop import compare convert cc; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
for program in vantorel vantorel-trace; do
  [ -x "$BUILD/bin/$program" ] || missing+=("$BUILD/bin/$program")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "gtk-e2e: missing ${missing[*]} (scripts/install-deps.sh test installs the tools)" >&2
  echo "gtk-e2e: 0 passed, 1 failed"
  exit 1
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/vantorel-e2e.XXXXXX")
XVFB_PID=""
cleanup() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

XCLOSE="$WORK/xclose"
if ! cc -O2 -o "$XCLOSE" "$HERE/xclose.c" -lX11 2>"$WORK/cc.log"; then
  echo "gtk-e2e: cannot build the close helper: $(cat "$WORK/cc.log")" >&2
  echo "gtk-e2e: 0 passed, 1 failed"
  exit 1
fi

# A display number nobody uses.
display=""
for n in $(seq 70 199); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=":$n"
    break
  fi
done
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
export DISPLAY=$display
unset WAYLAND_DISPLAY GDK_BACKEND GDK_SCALE GDK_DPI_SCALE
export GDK_BACKEND=x11
ready=0
for _ in $(seq 1 100); do
  if xdotool getdisplaygeometry >/dev/null 2>&1; then ready=1; break; fi
  sleep 0.1
done
if [ "$ready" != 1 ]; then
  echo "gtk-e2e: Xvfb did not start: $(cat "$WORK/xvfb.log")" >&2
  echo "gtk-e2e: 0 passed, 1 failed"
  exit 1
fi

# shellcheck source=lib.sh
. "$HERE/lib.sh"
for file in "$HERE"/t_*.sh; do
  # shellcheck disable=SC1090
  . "$file"
done

passed=0
failed=0
for test in $(declare -F | awk '{print $3}' | grep '^test_' | sort); do
  if [ -n "${VANTOREL_E2E_ONLY:-}" ] && [[ "$test" != *"$VANTOREL_E2E_ONLY"* ]]; then
    continue
  fi
  started=$SECONDS
  output=$( (
    set +e
    "$test"
    status=$?
    stop_game
    exit $status
  ) 2>&1)
  status=$?
  if [ $status -eq 0 ]; then
    passed=$((passed + 1))
    echo "ok   $test ($((SECONDS - started)) s)"
  else
    failed=$((failed + 1))
    echo "FAIL $test ($((SECONDS - started)) s)"
    printf '%s\n' "$output" | sed 's/^/     /'
  fi
done
echo "gtk-e2e: $passed passed, $failed failed"
[ $failed -eq 0 ]
