#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need; does
# nothing when they are all there. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-translations-l10n libgl-dev libgtest-dev
          libgmock-dev xvfb xauth fonts-noto-cjk libc-bin findutils desktop-file-utils appstream "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
