# Shared by the desktop scripts: a virtual X display of their own.
# Source it after setting `work` (a scratch folder) and defining `fail`; then
# call start_virtual_display. It starts Xvfb in the background (its process id
# in `xvfb_pid`, for the script's cleanup to end) and exports DISPLAY.

command -v Xvfb >/dev/null || { echo "Xvfb is not installed (tools/install-deps installs it)"; exit 1; }

start_virtual_display() {
  # The server picks a free display number itself and writes it to fd 3, so test
  # runs in parallel never race for one. Local connections only.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  local deadline=$((SECONDS + 20))
  while [ ! -s "$work/display" ]; do
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
    [ $SECONDS -lt $deadline ] || fail "Xvfb gave no display number"
    sleep 0.1
  done
  export DISPLAY=:$(head -n1 "$work/display")
}
