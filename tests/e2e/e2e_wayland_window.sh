#!/usr/bin/env bash
# A game's main window on a Wayland desktop (weston, see weston_lib.sh), the game native or
# on XWayland. The window is of fixed size: maximising it, by the box in its title bar
# (native: Qt draws one whatever the window asks) or by the compositor's own keys
# (Super+Shift+M, and Super+Shift+F for full screen), leaves it as it was, where it was, and
# the game plays on and draws itself anew. A second copy started on the game's folder ends at
# once and touches nothing; where it cannot bring the first one to the front (native
# Wayland), it says so in one line on standard error.
#   e2e_wayland_window.sh <VumSudoku|VumSquare> <xshot> <tests/e2e> wayland|xwayland
program=$1
xshot=$2
mode=$4
# shellcheck source=e2e_lib.sh
source "$3/e2e_lib.sh"
# shellcheck source=weston_lib.sh
source "$3/weston_lib.sh"
weston_platform "$mode" >/dev/null
name=$(basename "$program")
# The window is found on weston's screen by a colour of its own: the Sudoku's by the board's
# corner and centre blocks (cell 0,0 at client 10,6), the squares' by the side panel (its
# left edge at client 305, its top at the client's). A click at (width - 90, quiet_y) falls on
# the side panel where it does nothing.
case "$name" in
  VumSudoku) title="ВУМ Судоку" colour=9CC99C min_pixels=400 width=744 dx=10 dy=6 quiet_y=320 close_key=Return written=VumSudoku.sav played= ;;
  VumSquare) title="ВУМ квадратики" colour=804040 min_pixels=2000 width=493 dx=305 dy=0 quiet_y=560 close_key=Escape written=VumColor/VumColor.ini played='./VumColor/VumColor?.sav' ;;
  *) fail "no game $name" ;;
esac

# The frame around the client area: Qt's title bar and edges natively, weston's edges around
# an X window; its colour's area spans the whole window.
case "$mode" in wayland) frame_colour=EFEFEF ;; xwayland) frame_colour=CCCCCC ;; esac

start_weston
# Natively the game logs its Wayland messages, among them each configure event by which the
# compositor gives its window a size (see requests).
WAYLAND_DEBUG=$([ "$mode" = wayland ] && echo 1 || echo 0) on_weston "$mode" start_program "$program" 2>"$E2E_WORK/game.err"

# window_boxes: the window's areas of its colour and its frame's, sorted: where the window
# stands and how large it is.
window_boxes() { { boxes $colour $min_pixels; boxes $frame_colour 2000; } | sort; }
# wait_boxes <at least> <what>: waits for that many areas of the window's colour.
wait_boxes() {
  local deadline=$((SECONDS + 30))
  until [ "$(window_boxes | wc -l)" -ge "$1" ]; do
    kill -0 "$E2E_PID" 2>/dev/null || game_ended_early "$2"
    [ $SECONDS -lt $deadline ] || fail "no $2 on weston's screen"
    sleep 0.2
  done
}
if [ "$name" = VumSquare ]; then
  # The level dialog's caption band has the panel's colour; Enter chooses.
  wait_boxes 1 "level dialog"
  xdotool key Return
  wait_boxes 3 "main window"
else
  wait_boxes 30 "board"
fi
deadline=$((SECONDS + 10))
until [ -f "$E2E_WORK/$written" ]; do
  [ $SECONDS -lt $deadline ] || fail "no $written"
  sleep 0.1
done
# On XWayland the X server's word on the window: weston maximises an X window by giving it
# the size, without telling it the state.
if [ "$mode" = xwayland ]; then
  xid=$(DISPLAY=$xwayland xdotool search --onlyvisible --name "^$title\$" | head -n 1)
  [ -n "$xid" ] || fail "no X window of the game on XWayland"
  DISPLAY=$xwayland xev -id "$xid" -event structure >"$E2E_WORK/structure.log" 2>/dev/null &
fi
# requests: how often the compositor has given the window a size.
requests() {
  if [ "$mode" = wayland ]; then
    grep -c 'xdg_toplevel@[0-9]*\.configure([1-9]' "$E2E_WORK/game.err" || true
  else
    grep -c '^ConfigureNotify' "$E2E_WORK/structure.log" || true
  fi
}

read -r left top < <(boxes $colour $min_pixels | awk 'NR == 1 || $1 < x { x = $1 } NR == 1 || $2 < y { y = $2 } END { print x, y }')
left=$((left - dx)) top=$((top - dy))
echo "$mode: weston put the window's client area at $left,$top"
# A corner of weston's screen that the window does not cover: a click there takes the keyboard
# from the window.
if [ $left -gt 20 ]; then desktop_x=4; else desktop_x=$((output_width - 4)); fi
if [ $top -gt 40 ]; then desktop_y=4; else desktop_y=$((output_height - 4)); fi

alive() { kill -0 "$E2E_PID" 2>/dev/null || { cat "$E2E_WORK/game.err" >&2; fail "the game ended $1"; }; }
# give_keyboard: a click on the side panel, where it does nothing, gives the window the
# keyboard; on XWayland weston then draws the frame in its colour (see frame_colour), and the
# click is repeated where weston missed it.
give_keyboard() {
  local deadline
  for _ in 1 2 3; do
    click $((left + width - 90)) $((top + quiet_y))
    [ "$mode" = wayland ] && return 0
    deadline=$((SECONDS + 3))
    while [ $SECONDS -lt $deadline ]; do
      [ -z "$(boxes $frame_colour 2000)" ] || return 0
      sleep 0.1
    done
  done
  fail "the window never got the keyboard"
}
give_keyboard
before=$(window_boxes)

# changes: the areas that differ from before, "-" before, "+" now.
changes() { diff <(echo "$before") <(window_boxes) | sed -n 's/^\([<>]\) /\1/p' | tr '<>\n' '-+ '; }
# wait_as_before <seconds> <what>: waits until the window stands as before, the game running.
wait_as_before() {
  local deadline=$((SECONDS + $1))
  until [ "$(window_boxes)" = "$before" ]; do
    alive "$2"
    [ $SECONDS -lt $deadline ] || fail "the window is not as it was $2: $(changes)"
    sleep 0.1
  done
}
# expect_as_before <what>: the window comes back to its size and place, and the game runs on,
# also once it has drawn itself anew (the window loses the keyboard and gets it back, which
# redraws its title bar): a window that kept the wrong size would be cut off then.
expect_as_before() {
  wait_as_before 10 "$1"
  click $desktop_x $desktop_y
  sleep 0.5
  give_keyboard
  wait_as_before 5 "$1, once drawn anew"
  sleep 0.5
  alive "$1"
}

# ask <what> <command...>: runs the command until the compositor asks the window to change
# (input sent to weston's window now and then reaches no client; at most three times).
ask() {
  local what=$1 count tries=0 deadline
  shift
  count=$(requests)
  while :; do
    "$@"
    deadline=$((SECONDS + 3))
    while [ "$(requests)" -le "$count" ] && [ $SECONDS -lt $deadline ]; do
      alive "$what"
      sleep 0.1
    done
    [ "$(requests)" -le "$count" ] || return 0
    tries=$((tries + 1))
    [ $tries -lt 3 ] || fail "the compositor never asked the window to change: $what"
    echo "$mode: $what reached no window; once more"
  done
}

if [ "$mode" = wayland ]; then
  # Qt's title bar: 30 pixels above the client area, its maximise box centred 37 pixels left of
  # the client's right edge.
  for _ in 1 2; do
    ask "a click on the maximise box" click $((left + width - 37)) $((top - 15))
    expect_as_before "after a click on the maximise box"
  done
fi
# The compositor's keys act on the window with the keyboard (expect_as_before gives it back).
for keys in super+shift+m super+shift+m super+shift+f; do
  ask "$keys" xdotool key "$keys"
  expect_as_before "after $keys"
done

# The game plays on once it draws itself anew: the Sudoku's selection moves, the squares'
# field rises at its next tick (2.3 s at the first speed). A window that kept the wrong size
# is cut off at its first new picture.
if [ "$name" = VumSudoku ]; then xdotool key Right; sleep 1; else sleep 2.6; fi
alive "when it drew itself anew"
# The picture to keep from now on, with the keyboard taken and given back as expect_as_before
# does (the selected cell shows so).
click $desktop_x $desktop_y
sleep 0.5
give_keyboard
sleep 1
before=$(window_boxes)

# A second copy on the same folder. The squares' game in progress is the running copy's to
# write as it plays.
files() { (cd "$E2E_WORK" && find . -path ./runtime -prune -o -type f ! -name "$name" ! -name '*.err' ! -name '*.log' ! -name 'weston*' ! -path "$played" -print0 |
  sort -z | xargs -0 -r md5sum); }
stored=$(files)
status=0
on_weston "$mode" timeout 20 "$E2E_PROGRAM" 2>"$E2E_WORK/second.err" || status=$?
said=$(grep -v 'XDG_RUNTIME_DIR' "$E2E_WORK/second.err" || true)
[ "$status" -eq 0 ] || fail "the second copy ended with status $status: $said"
if [ "$mode" = wayland ]; then
  [ "$(wc -l <<<"$said")" -eq 1 ] && grep -q 'front' <<<"$said" ||
    fail "the second copy did not say in one line why the first stays where it is: '$said'"
else
  [ -z "$said" ] || fail "the second copy said: $said"
fi
expect_as_before "after a second copy"
[ "$(files)" = "$stored" ] || fail "the files changed"

# The game still takes its keys: its closing key ends it.
give_keyboard
xdotool key "$close_key"
wait_exit 10
echo "e2e_wayland_window ($name, $mode): maximising changed nothing, and a second copy ended${said:+ saying: $said}"
