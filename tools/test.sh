#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Linux build's,
# then the Windows build's under wine (FF_SKIP_WINDOWS_TESTS=1 leaves those out).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh
ctest --test-dir build --output-on-failure -j2
if [ -z "${FF_SKIP_WINDOWS_TESTS:-}" ]; then
  tools/cross_test.sh
fi
