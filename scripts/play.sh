#!/usr/bin/env bash
# Builds the Linux program and starts it. On a fresh Debian machine it first installs what is
# missing (the compiler, CMake, Ninja, GTK 3 and the resource compiler; see install-deps.sh).
# Usage: scripts/play.sh            (from anywhere inside the repository)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh play
cmake --preset linux >/dev/null
cmake --build --preset linux --target vantorel

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "play.sh: built build/linux/bin/vantorel, but there is no display to show it on" \
       "(neither DISPLAY nor WAYLAND_DISPLAY is set)" >&2
  exit 1
fi
exec build/linux/bin/vantorel
