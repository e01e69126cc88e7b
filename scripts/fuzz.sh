#!/usr/bin/env bash
# Fuzzes every reader that users' files reach (templates, INI files, bet files, the expression
# evaluator, the script parser and interpreter) with libFuzzer under the address and
# undefined-behaviour sanitizers, SECONDS each (default 60). Installs clang and its libFuzzer
# runtime from Debian when they are missing, builds the targets in build-fuzz/, starts every
# target from the seeds (fuzz/corpus/<target>, the folders of fuzz/seed-folders.txt and the
# earlier findings in fuzz/regressions/<target>), and keeps what it finds in fuzz/findings/<target>/.
# Exit status 1 when something was found.
#
#     bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
EACH="${1:-60}"
TARGETS=(template ini bets eval script_parse script_run)
BUILD=build-fuzz

probe() {
  printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }\n' \
    | clang++ -x c++ -fsanitize=fuzzer,address,undefined - -o "$BUILD/.probe" 2>/dev/null
}
mkdir -p "$BUILD"
if ! command -v clang++ >/dev/null || ! probe; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update
  # clang brings libFuzzer in its compiler runtime (libclang-rt-dev on newer releases).
  $SUDO apt-get install -y clang
  probe || $SUDO apt-get install -y libclang-rt-dev
  probe
fi
for tool in cmake ninja; do
  command -v "$tool" >/dev/null || { echo "scripts/fuzz.sh: run scripts/setup.sh first ($tool is missing)"; exit 2; }
done

# Every library instrumented; the targets add libFuzzer's own main.
FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$FLAGS" \
  -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF >/dev/null
BUILD_TARGETS=()
for t in "${TARGETS[@]}"; do BUILD_TARGETS+=(--target "fuzz_$t"); done
# On a shared machine vbuild takes turns with the other builds.
if command -v vbuild >/dev/null; then
  vbuild "$BUILD" "${BUILD_TARGETS[@]}"
else
  cmake --build "$BUILD" "${BUILD_TARGETS[@]}"
fi

# Qt keeps caches for the life of the process: they are no leaks of ours.
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:${UBSAN_OPTIONS:-}"
export QT_QPA_PLATFORM=offscreen
found=0
for t in "${TARGETS[@]}"; do
  corpus="$BUILD/corpus/$t"
  findings="fuzz/findings/$t"
  mkdir -p "$corpus" "$findings"
  for folder in "fuzz/corpus/$t" "fuzz/regressions/$t" \
                $(awk -v t="$t" '$1 == t { print $2 }' fuzz/seed-folders.txt); do
    [ -d "$folder" ] && find "$folder" -type f -exec cp -n {} "$corpus/" \;
  done
  echo "== fuzz_$t for $EACH s"
  if ! "$BUILD/fuzz/fuzz_$t" -max_total_time="$EACH" -timeout=20 -rss_limit_mb=4096 \
         -artifact_prefix="$findings/" "$corpus" >"$BUILD/fuzz_$t.log" 2>&1; then
    found=1
    echo "   found something: see $BUILD/fuzz_$t.log and $findings/"
  fi
  tail -n 2 "$BUILD/fuzz_$t.log" | sed 's/^/   /'
done
if [ "$found" -ne 0 ]; then
  echo "Findings are in fuzz/findings/. Fix each, then move its input to fuzz/regressions/<target>/:"
  echo "the regression test (tests/fuzz) replays it with every build."
fi
exit "$found"
