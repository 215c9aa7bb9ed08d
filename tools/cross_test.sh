#!/usr/bin/env bash
# Cross-builds the libraries that need no Qt, and their tests, for 64-bit
# Windows with Debian's mingw-w64 into build-win/, and runs the tests under
# wine on the console. Installs mingw-w64 and wine when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build libgtest-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
          wine wine64)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

build=build-win
# A prefix of our own, made afresh: no state from an earlier run, no display.
export WINEPREFIX="$PWD/$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX"
mkdir -p "$build"
wineboot --init >/dev/null 2>&1 || true

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-toolchain.cmake \
      -DFF_BUILD_UI=OFF -DFF_BUILD_TESTS=ON
ninja -C "$build"

status=0
mapfile -t tests < <(find "$build/tests" -name '*_test.exe' | sort)
[ ${#tests[@]} -gt 0 ] || { echo "no test programs were built" >&2; exit 1; }
for t in "${tests[@]}"; do
  echo "== $t"
  # wine's own notes go to stderr; the test's verdict is its exit code.
  if ! wine "$t" --gtest_brief=1 2> >(grep -v '^wine: ' >&2); then
    echo "FAILED: $t" >&2
    status=1
  fi
done
wineserver -k 2>/dev/null || true
exit $status
