#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without a display it
# runs under Xvfb and saves a screenshot of the window.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/filefinder
fi
shot="${SCREENSHOT:-$PWD/build/window.png}"
echo "No display found: starting the program under Xvfb; the window's picture goes to $shot"
FILEFINDER_SCREENSHOT="$shot" timeout "${RUN_SECONDS:-5}" \
  xvfb-run -a -s "-screen 0 1024x768x24" build/bin/filefinder || true
[ -f "$shot" ] && echo "Screenshot saved: $shot"
