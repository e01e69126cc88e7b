#!/usr/bin/env bash
# Installs what is missing, builds, and runs VornPrn's main job: the sample bets of
# samples/陕西－双色球.txt printed on the slip template "陕西－双色球.tzd", into a PDF.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
mkdir -p build/out
out="$PWD/build/out/陕西－双色球.pdf"
build/bin/vornprn-cli print --template 陕西－双色球.tzd --bets samples/陕西－双色球.txt --pdf "$out"
echo "The printed slips are in $out"
