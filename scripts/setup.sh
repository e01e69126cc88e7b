#!/usr/bin/env bash
# Installs what VornPrn needs on Debian 12 (only what is missing), then configures and builds
# it into build/ (program folder: build/bin/). Run as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-wqy-zenhei python3
          libqt6svg6 qt6-translations-l10n libopencv-imgproc-dev
          dpkg-dev desktop-file-utils libxml2-utils shared-mime-info
          cups cups-filters printer-driver-cups-pdf poppler-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
