# Shared by the packaging tests: failing with a reason, and checks that say what they looked at.
fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIPPED: $*"; exit 77; }
# expect_eq WHAT ACTUAL EXPECTED
expect_eq() { [ "$2" = "$3" ] || fail "$1: got [$2], expected [$3]"; }
# wait_for SECONDS WHAT COMMAND...: runs the command until it succeeds.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local end=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt $end ] || fail "waited ${seconds}s for $what"
    sleep 0.2
  done
}
