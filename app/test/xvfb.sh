# Shell functions for the tests that need an X server: sourced, not run.
#   start_xvfb   starts Xvfb on a free display number and exports DISPLAY
#   stop_xvfb    stops it; the caller traps EXIT to call it

start_xvfb() {
  xvfb_dir=$(mktemp -d)
  # -displayfd: Xvfb picks a free display and writes its number once it accepts connections.
  # -ardelay: no auto-repeat within a test's time, so a key held down sends no further input.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ardelay 60000 3>"$xvfb_dir/display" 2>"$xvfb_dir/log" &
  xvfb_pid=$!
  local waited=0
  while ! grep -q '[0-9]' "$xvfb_dir/display" 2>/dev/null; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $waited -ge 200 ]; then
      echo "Xvfb did not start:" >&2
      cat "$xvfb_dir/log" >&2
      return 1
    fi
    sleep 0.05
    waited=$((waited + 1))
  done
  export DISPLAY=":$(head -n1 "$xvfb_dir/display")"
}

stop_xvfb() {
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
  [ -n "${xvfb_dir:-}" ] && rm -rf "$xvfb_dir"
  xvfb_dir=
}
