#!/usr/bin/env bash
# Desktop smoke test: starts the real desktop program on a virtual X display, waits
# until its main window (not the splash) is mapped and shows a drawn picture, then
# closes it as a window manager would and expects a clean exit.
# Usage: desktop_smoke.sh BRISCA X11_PROBE
set -uo pipefail
brisca=$1
probe=$2
title=Brisca
min_colours=16     # a blank or unpainted window shows one or two
wait_seconds=60    # splash, start-up and first paint on a busy machine
quit_seconds=20

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  if [ -n "${DISPLAY:-}" ]; then echo "--- windows on the display:"; "$probe" list - 2>&1; fi
  if [ -s "$work/brisca.log" ]; then echo "--- program output:"; cat "$work/brisca.log"; fi
  exit 1
}

source "$(dirname "$0")/virtual_display.sh"
start_virtual_display

# Settings and the start-up folder in the scratch folder, never the user's.
mkdir -p "$work/home" "$work/config" "$work/run"
(cd "$work/run" && exec env HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
   XDG_DATA_HOME="$work/home/.local/share" QT_QPA_PLATFORM=xcb "$brisca") >"$work/brisca.log" 2>&1 &
app_pid=$!
started=$SECONDS

window=
deadline=$((SECONDS + wait_seconds))
until window=$("$probe" find "$title"); do
  kill -0 "$app_pid" 2>/dev/null || { app_pid=; fail "the program ended before its main window showed"; }
  [ $SECONDS -lt $deadline ] || fail "no main window titled \"$title\" within ${wait_seconds} s"
  sleep 0.2
done
echo "main window $window mapped after $((SECONDS - started)) s"

# The first paint may follow the mapping by a moment.
colours=0
while :; do
  colours=$("$probe" colours "$window") || fail "could not read the window's picture"
  [ "$colours" -ge "$min_colours" ] && break
  [ $SECONDS -lt $deadline ] || fail "the main window stays blank ($colours colours)"
  sleep 0.2
done
echo "main window shows $colours colours"

"$probe" close "$window" || fail "could not ask the main window to close"
deadline=$((SECONDS + quit_seconds))
while kill -0 "$app_pid" 2>/dev/null; do
  [ $SECONDS -lt $deadline ] || fail "the program did not quit within ${quit_seconds} s of the close request"
  sleep 0.2
done
wait "$app_pid"
status=$?
app_pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status"
echo "program quit cleanly"
