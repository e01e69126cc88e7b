#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package build/vornprn_<version>_<arch>.deb
# (the programs, the shipped templates and scripts, the menu entry, the .tzd file type, icons
# and manual pages). Install it with: apt install ./build/vornprn_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
(cd build && cpack -G DEB)
ls -1 build/vornprn_*.deb
