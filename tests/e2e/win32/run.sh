#!/usr/bin/env bash
# End-to-end tests of VANTOREL_KV.EXE under Wine, on a private Xvfb display.
# Usage: tests/e2e/win32/run.sh BUILD_WIN32_DIR BUILD_LINUX_DIR
#   BUILD_WIN32_DIR  the Windows build (bin/VANTOREL_KV.EXE, bin/VANTOREL_KV_NOWINDOW.EXE,
#                    bin/vantorel-e2e-probe.exe)
#   BUILD_LINUX_DIR  the Linux build (bin/vantorel-trace draws the reference frames)
# Every test_*.sh here runs in turn against a fresh Wine prefix with a virtual desktop; the
# closing line is "win32-e2e: N passed, M failed" and the exit status is non-zero on a failure.
set -u
if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_WIN32_DIR BUILD_LINUX_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
win_dir=$(cd "$1" 2>/dev/null && pwd) || win_dir=$1
linux_dir=$(cd "$2" 2>/dev/null && pwd) || linux_dir=$2

export GAME_EXE=$win_dir/bin/VANTOREL_KV.EXE
export NOWINDOW_EXE=$win_dir/bin/VANTOREL_KV_NOWINDOW.EXE
export PROBE_EXE=$win_dir/bin/vantorel-e2e-probe.exe
export TRACE_BIN=$linux_dir/bin/vantorel-trace
export RES_DIR=$root/res

missing=0
for f in "$GAME_EXE" "$NOWINDOW_EXE" "$PROBE_EXE" "$TRACE_BIN"; do
  if [ ! -f "$f" ]; then
    echo "run.sh: missing $f" >&2
    missing=1
  fi
done
for tool in wine wineboot wineserver Xvfb xdotool import compare convert xdpyinfo; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "run.sh: missing the tool $tool (scripts/install-deps.sh test installs it)" >&2
    missing=1
  fi
done
if [ $missing -ne 0 ]; then
  echo "win32-e2e: 0 passed, 1 failed"
  exit 1
fi

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/vantorel-e2e-win32.XXXXXX")
export E2E_TMP
xvfb_pid=""
cleanup() {
  # Only what this run started: the Wine server of its own prefix and its own X server.
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$E2E_TMP"
}
trap cleanup EXIT

# A private display: the first free number from 90 on.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
# -noreset: the server would otherwise reset each time its last client leaves, which can cut off
# a program that connects at that moment (the probes below connect and leave all the time).
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 1 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
if ! xdpyinfo >/dev/null 2>&1; then
  echo "run.sh: Xvfb did not start on $DISPLAY" >&2
  echo "win32-e2e: 0 passed, 1 failed"
  exit 1
fi

# A fresh 32-bit prefix without Mono and Gecko, whose windows open inside a virtual desktop of
# the screen's size (so they have a frame, a caption and the focus without a window manager).
export WINEPREFIX=$E2E_TMP/prefix
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
echo "run.sh: preparing a Wine prefix in $WINEPREFIX" >&2
start=$SECONDS
if ! timeout 180 wineboot -i >"$E2E_TMP/wineboot.log" 2>&1; then
  echo "run.sh: wineboot failed" >&2
  cat "$E2E_TMP/wineboot.log" >&2
  echo "win32-e2e: 0 passed, 1 failed"
  exit 1
fi
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# The desktop setting takes effect when the Wine server starts again.
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1
echo "run.sh: prefix ready in $((SECONDS - start)) s" >&2

passed=0
failed=0
for test in "$here"/test_*.sh; do
  name=$(basename "$test" .sh)
  echo "--- $name"
  out="$E2E_TMP/$name.out"
  timeout 240 bash "$test" >"$out" 2>&1
  status=$?
  cat "$out"
  p=$(grep -c '^PASS ' "$out")
  f=$(grep -c '^FAIL ' "$out")
  if [ $status -ne 0 ] && [ "$f" -eq 0 ]; then
    echo "FAIL $name ended with status $status"
    f=1
  fi
  passed=$((passed + p))
  failed=$((failed + f))
  # Whatever a test left behind in the prefix goes before the next one starts.
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
done

echo "win32-e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
