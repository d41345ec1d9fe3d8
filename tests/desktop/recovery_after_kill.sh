#!/usr/bin/env bash
# Recovery after a crash: the real desktop program on a virtual X display opens a
# sample engine, changes its bore (test hook) and writes that engine to
# edited.qen; once autosave has written the recovery file it is killed with
# SIGKILL. A second start recovers the engine (BRISCA_RECOVERY=recover) and
# writes it to recovered.qen, which must equal edited.qen. The second program is
# then ended with SIGTERM: it must quit with status 0 and keep the recovered
# engine's recovery file, and the first run's file must be gone.
# Usage: recovery_after_kill.sh BRISCA SAMPLE_ENGINE
set -uo pipefail
brisca=$1
sample=$2
wait_seconds=60

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- recovery folder:"; find "$work/state" 2>/dev/null
  for log in "$work"/run*.log; do [ -s "$log" ] && { echo "--- $log:"; cat "$log"; }; done
  exit 1
}
# Polls the condition (a shell command) until it holds or the time is up.
wait_for() {
  local what=$1; shift
  local deadline=$((SECONDS + wait_seconds))
  until "$@"; do
    [ -z "$app_pid" ] || kill -0 "$app_pid" 2>/dev/null || fail "the program ended while waiting for $what"
    [ $SECONDS -lt $deadline ] || fail "no $what within ${wait_seconds} s"
    sleep 0.1
  done
}
recovery_files() { find "$work/state/brisca/recovery" -name '*.brec' 2>/dev/null; }
has_recovery_file() { [ -n "$(recovery_files)" ]; }
has_file() { [ -s "$1" ]; }

source "$(dirname "$0")/virtual_display.sh"
start_virtual_display

mkdir -p "$work/home" "$work/config" "$work/state" "$work/run"
cp "$sample" "$work/run/engine.qen"
start() {  # start LOG [VAR=VALUE...]: the program in the scratch folders, in the background
  local log=$1; shift
  (cd "$work/run" && exec env HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
     XDG_DATA_HOME="$work/home/.local/share" XDG_STATE_HOME="$work/state" QT_QPA_PLATFORM=xcb \
     BRISCA_AUTOSAVE_MS=200 "$@" "$brisca" engine.qen) >"$log" 2>&1 &
  app_pid=$!
}

start "$work/run1.log" BRISCA_TEST_HOOK="edit:Bore=4.125;write:$work/edited.qen"
wait_for "edited engine file" has_file "$work/edited.qen"
wait_for "recovery file" has_recovery_file
first=$(recovery_files)
kill -9 "$app_pid"; wait "$app_pid" 2>/dev/null; app_pid=
grep -q '4\.125' "$work/edited.qen" || fail "the edit did not reach the engine"

start "$work/run2.log" BRISCA_RECOVERY=recover BRISCA_TEST_HOOK="write:$work/recovered.qen"
wait_for "recovered engine file" has_file "$work/recovered.qen"
cmp "$work/edited.qen" "$work/recovered.qen" || {
  diff "$work/edited.qen" "$work/recovered.qen" | head -20; fail "the recovered engine differs from the edited one"; }
echo "recovered engine equals the edited one"

wait_for "the recovered engine's own recovery file" test -n "$(recovery_files | grep -vxF "$first")"
kill -TERM "$app_pid"
deadline=$((SECONDS + 20))
while kill -0 "$app_pid" 2>/dev/null; do
  [ $SECONDS -lt $deadline ] || fail "the program did not quit within 20 s of SIGTERM"
  sleep 0.1
done
wait "$app_pid"; status=$?; app_pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status after SIGTERM"
[ ! -e "$first" ] || fail "the first run's recovery file is still there after recovery"
has_recovery_file || fail "SIGTERM left no recovery file of the modified engine"
echo "SIGTERM kept the unsaved engine for the next start"
