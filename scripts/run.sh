#!/usr/bin/env bash
# Installs, builds and runs VornPrn's main job on the shipped samples.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build/bin/vornprn-cli --version
