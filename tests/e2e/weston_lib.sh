# Steps of the end-to-end tests on a Wayland desktop (sourced after e2e_lib.sh): weston, with
# its X server for X clients (XWayland), runs in a window of the test's Xvfb, where xdotool
# clicks it and xshot photographs it. A game runs there as a Wayland client (mode wayland:
# Qt's Wayland platform) or as an X client of XWayland (mode xwayland: Qt's xcb platform, as
# where qt6-wayland is not installed), both with the environment of a Wayland session.
# Tests that source it are skipped (status 77) where weston, XWayland or Qt's Wayland platform
# is missing or weston cannot start.

skip() { echo "SKIPPED: $*"; exit 77; }

# weston_platform <mode>: the Qt platform of a mode.
weston_platform() {
  case "$1" in wayland) echo wayland ;; xwayland) echo xcb ;; *) fail "no mode '$1'" ;; esac
}

# weston's output: smaller than the Xvfb screen, so that the pointer can leave it (see
# weston_click).
output_width=1024 output_height=768
weston_runtime=$E2E_WORK/runtime
weston_socket=vum-e2e-$$
weston_pid=""

stop_weston() {
  local pid
  for pid in "${E2E_PID:-}" "$weston_pid"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}

# start_weston: starts weston and waits until it shows its output and runs XWayland; sets
# $output (weston's window on the Xvfb screen) and $xwayland (the display of its X server).
start_weston() {
  command -v weston >/dev/null || skip "weston is not installed (Debian: weston; ./vum test installs it)"
  command -v Xwayland >/dev/null || skip "XWayland is not installed (Debian: xwayland; ./vum test installs it)"
  # weston wants a runtime folder of the user's own, closed to others; it runs as root too.
  mkdir -m 0700 "$weston_runtime"
  cat >"$E2E_WORK/weston.ini" <<'INI'
[core]
xwayland=true
idle-time=0

[shell]
panel-position=none
background-color=0xff204060
INI
  trap 'status=$?; stop_weston; rm -rf "$E2E_WORK"; exit $status' EXIT
  # The pointer starts off weston's window: it enters the window on the first click.
  xdotool mousemove $((output_width + 100)) $((output_height + 100))
  XDG_RUNTIME_DIR=$weston_runtime weston --config="$E2E_WORK/weston.ini" --backend=x11-backend.so --use-pixman \
    --width=$output_width --height=$output_height --socket="$weston_socket" --log="$E2E_WORK/weston.log" \
    >"$E2E_WORK/weston.out" 2>&1 &
  weston_pid=$!
  output="" xwayland=""
  local deadline=$((SECONDS + 20))
  while [ -z "$output" ] || [ -z "$xwayland" ]; do
    if ! kill -0 "$weston_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
      tail -n 5 "$E2E_WORK/weston.log" "$E2E_WORK/weston.out" 2>/dev/null || true
      skip "weston with XWayland did not start here (see its log above)"
    fi
    sleep 0.1
    output=$(sed -n 's/.*x11 output .*window id \([0-9]*\).*/\1/p' "$E2E_WORK/weston.log" 2>/dev/null || true)
    xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_WORK/weston.log" 2>/dev/null || true)
  done
  # Keys go to weston's window wherever the pointer is. The pointer enters and leaves it once:
  # weston misses the first entry after its start.
  xdotool windowfocus --sync "$output"
  xdotool mousemove 10 10 sleep 0.2 mousemove $((output_width + 100)) $((output_height + 100)) sleep 0.2
}

# on_weston <mode> <command...>: runs the command with the environment of a Wayland session
# whose games run in that mode.
on_weston() {
  local mode=$1
  shift
  XDG_RUNTIME_DIR=$weston_runtime WAYLAND_DISPLAY=$weston_socket XDG_SESSION_TYPE=wayland DISPLAY=$xwayland \
    QT_QPA_PLATFORM=$(weston_platform "$mode") "$@"
}

# game_ended_early: after the game ended before showing its window, skips where Qt's Wayland
# platform is missing; otherwise shows what the game said and fails.
game_ended_early() {
  grep -q 'platform plugin "wayland"' "$E2E_WORK/game.err" &&
    skip "Qt's Wayland platform is not installed (Debian: qt6-wayland; ./vum test installs it)"
  cat "$E2E_WORK/game.err" >&2
  fail "the game ended before showing $1"
}

# boxes <colour> <min-pixels>: the areas of that colour on weston's screen, "x y width height".
boxes() { "$xshot" --boxes "$output" "$1" "$2" 2>/dev/null; }

# click <x> <y> [button]: a click at a point of weston's screen. weston's X11 window follows
# the pointer by its moves from where it entered, so each click enters the window anew.
click() {
  xdotool mousemove $((output_width + 100)) $((output_height + 100)) sleep 0.1 mousemove "$1" "$2" sleep 0.1 \
    click "${3:-1}"
}
