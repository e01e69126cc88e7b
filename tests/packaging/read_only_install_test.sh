#!/usr/bin/env bash
# The installed programs with a read-only program folder, run by a user with a home of their own:
# the command line prints on a shipped template, the desktop program's start-up creates and
# seeds the user's folders, a file handed to a second start reaches the running window (and a
# killed program's socket does not stop the next one), templates saved from the designer land
# in the user's folder, the settings in the configuration folder, and nothing under the prefix
# changes.
#
#     read_only_install_test.sh PREFIX SOURCE_DIR PROBE VERSION
#
# Tests run as root, who can write anywhere: the prefix is made read-only by a read-only bind
# mount in a mount namespace of the test's own, or else the programs run as the user "nobody"
# (setpriv). Where neither works the test is skipped (exit 77) with the reason.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

if [ "${1:-}" != --inside ]; then
  PREFIX=$(cd "$1" && pwd) SRC=$(cd "$2" && pwd) PROBE=$(realpath "$3") VERSION=$4
  [ -x "$PREFIX/bin/VornPrn" ] || fail "nothing installed in $PREFIX"
  snapshot() { (cd "$PREFIX" && find . -printf '%p %y %s %m %T@\n' | LC_ALL=C sort); }
  before=$(snapshot)
  WORK=$(mktemp -d)
  trap 'rm -rf "$WORK"' EXIT
  reasons=()
  rc=0
  # 1: read-only bind mount over the prefix, seen only inside the test's own mount namespace.
  if unshare -m --propagation private true 2>/dev/null; then
    unshare -m --propagation private bash "$0" --inside mount "$PREFIX" "$SRC" "$PROBE" "$VERSION" "$WORK" || rc=$?
  else
    rc=78
    reasons+=("no mount namespace (unshare -m refused)")
  fi
  # 2: another user, who may read the prefix but not write it.
  if [ $rc -eq 78 ]; then
    [ ${#reasons[@]} -gt 0 ] || reasons+=("no read-only bind mount in a mount namespace")
    as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    if ! "${as_nobody[@]}" true 2>/dev/null; then
      reasons+=("setpriv cannot change to the user nobody")
    elif ! "${as_nobody[@]}" test -x "$PREFIX/bin/vornprn-cli" -a -x "$PROBE" -a -r "$SRC/samples/福彩3D.txt"; then
      reasons+=("the user nobody cannot reach $PREFIX, $PROBE or $SRC")
    elif "${as_nobody[@]}" test -w "$PREFIX/bin"; then
      reasons+=("the user nobody can write $PREFIX")
    else
      chown 65534:65534 "$WORK"
      rc=0
      "${as_nobody[@]}" bash "$0" --inside user "$PREFIX" "$SRC" "$PROBE" "$VERSION" "$WORK" || rc=$?
    fi
  fi
  [ $rc -ne 78 ] || skip "the prefix cannot be made read-only: ${reasons[*]}"
  [ $rc -eq 0 ] || exit $rc
  [ "$(snapshot)" = "$before" ] || fail "something under $PREFIX changed: $(diff <(echo "$before") <(snapshot) | head -5)"
  echo "PASS (the prefix read-only by $( [ ${#reasons[@]} -eq 0 ] && echo 'a read-only bind mount' || echo 'running as nobody'))"
  exit 0
fi

# --- inside: the prefix is read-only to us -----------------------------------------------------
MODE=$2 PREFIX=$3 SRC=$4 PROBE=$5 VERSION=$6 WORK=$7
if [ "$MODE" = mount ]; then
  { mount --bind "$PREFIX" "$PREFIX" && mount -o remount,bind,ro "$PREFIX"; } 2>/dev/null || exit 78
fi
touch "$PREFIX/bin/written" 2>/dev/null && { rm -f "$PREFIX/bin/written"; fail "$PREFIX is still writable ($MODE)"; }

# The sockets the programs leave when killed go with the test's folder.
export HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" TMPDIR="$WORK/tmp" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_DATA_DIRS XDG_CONFIG_DIRS
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$WORK"
BIN="$PREFIX/bin"
DATA="$HOME/.local/share/VornPrn"
CONFIG="$HOME/.config/VornPrn"
SHIPPED="$PREFIX/share/vornprn"
started=()
stop_started() { for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap stop_started EXIT

# The versions, from the one place the build takes them.
expect_eq "VornPrn --version" "$("$BIN/VornPrn" --version)" "VornPrn $VERSION"
expect_eq "vornprn-cli --version" "$("$BIN/vornprn-cli" --version)" "vornprn-cli $VERSION"

# The command line finds the shipped template and the shipped script by name.
"$BIN/vornprn-cli" print --template 福彩3D.tzd --bets "$SRC/samples/福彩3D.txt" --pdf "$WORK/福彩3D.pdf" >"$WORK/print.out" \
  || fail "vornprn-cli print on a shipped template: $(cat "$WORK/print.out")"
expect_eq "the printed PDF" "$(head -c 4 "$WORK/福彩3D.pdf")" "%PDF"
grep -q "所有投注单打印完毕" "$WORK/print.out" || fail "the print job did not run to its end: $(cat "$WORK/print.out")"
"$BIN/vornprn-cli" import "$SRC/samples/脚本输入-复式.txt" --mode 2 --script 复式展开 >"$WORK/import.out" \
  || fail "vornprn-cli import through the shipped script 复式展开"
[ -s "$WORK/import.out" ] || fail "the shipped script imported nothing"
"$BIN/vornprn-cli" script 复式展开 "$SRC/samples/脚本输入-复式.txt" >"$WORK/script.out" \
  || fail "vornprn-cli script with the shipped script 复式展开"
[ -s "$WORK/script.out" ] || fail "the shipped script 复式展开 printed nothing"
[ ! -e "$CONFIG/Vorn.cfg" ] || fail "the command line wrote settings"

# The desktop program's start-up: the user's folders made and seeded with the shipped samples.
"$BIN/VornPrn" >"$WORK/first.log" 2>&1 &
first=$!
started+=("$first")
seeded() {
  local f
  for f in "$SHIPPED"/投注单文件/* "$SHIPPED"/Script/*; do
    local rel=${f#"$SHIPPED"/}
    cmp -s "$f" "$DATA/$rel" || return 1
  done
}
wait_for 30 "the user's folders to be seeded" seeded
[ -d "$CONFIG" ] || fail "no configuration folder $CONFIG"
kill -0 "$first" 2>/dev/null || fail "VornPrn ended after its start-up: $(cat "$WORK/first.log")"

# A second start with a template from elsewhere hands it to the running window, which copies it
# into the user's template folder; the second start ends at once.
cp "$SHIPPED/投注单文件/福彩3D.tzd" "$WORK/外来.tzd"
timeout 20 "$BIN/VornPrn" "$WORK/外来.tzd" || fail "the second start did not hand its file over and end"
wait_for 20 "the handed-over template in the user's folder" test -f "$DATA/投注单文件/外来.tzd"
kill -0 "$first" 2>/dev/null || fail "the running VornPrn ended on the hand-over"

# Killed, the program leaves its socket behind: the next start opens its own window.
kill -KILL "$first"
wait "$first" 2>/dev/null || true
cp "$SHIPPED/投注单文件/七乐彩.tzd" "$WORK/外来二.tzd"
"$BIN/VornPrn" "$WORK/外来二.tzd" >"$WORK/next.log" 2>&1 &
next=$!
started+=("$next")
wait_for 20 "the next start to take its own file" test -f "$DATA/投注单文件/外来二.tzd"
kill -0 "$next" 2>/dev/null || fail "the start after a killed program ended: $(cat "$WORK/next.log")"
kill "$next"
wait "$next" 2>/dev/null || true

# Templates saved from the designer land in the user's folder; the settings in the user's
# configuration folder.
"$PROBE" "$BIN" >"$WORK/probe.out" || fail "designer probe: $(cat "$WORK/probe.out")"
expect_eq "templates saved from the designer" "$(grep '^saved ' "$WORK/probe.out")" \
"saved $DATA/投注单文件/福彩3D.tzd
saved $DATA/投注单文件/我的投注单.tzd"
expect_eq "settings written on closing" "$(grep '^settings ' "$WORK/probe.out")" "settings $CONFIG/Vorn.cfg"
cmp -s "$SHIPPED/投注单文件/福彩3D.tzd" "$DATA/投注单文件/福彩3D.tzd" && fail "the designed template is the shipped one"
echo "inside ($MODE): all checks passed"
