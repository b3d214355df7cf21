#!/usr/bin/env bash
# VumSudoku on a Wayland desktop: weston, with its X server for X clients (XWayland), runs in
# a window of this test's Xvfb, where xdotool clicks it and xshot photographs it. The game
# runs as a Wayland client (mode wayland: Qt's Wayland platform) or as an X client of XWayland
# (mode xwayland: Qt's xcb platform, as where qt6-wayland is not installed), both with the
# environment of a Wayland session. weston places the main window where it likes; the digit
# picker must open with its top-left corner at the clicked cell's top-right corner all the
# same, take the keys, keep the marks, and cancel on Escape and on a click outside it.
# Skipped (status 77) where weston, XWayland or Qt's Wayland platform is missing or weston
# cannot start.
#   e2e_sudoku_wayland.sh <VumSudoku> <xshot> <tests/e2e> wayland|xwayland
program=$1
xshot=$2
mode=$4
# shellcheck source=e2e_lib.sh
source "$3/e2e_lib.sh"
# shellcheck source=sudoku_lib.sh
source "$3/sudoku_lib.sh"
# shellcheck source=weston_lib.sh
source "$3/weston_lib.sh"
weston_platform "$mode" >/dev/null

# Colours on weston's screen: the block colour of the board's corner blocks, the picker's.
board_colour=9CC99C picker_colour=008040

start_weston
# The game, with the environment of a Wayland session.
on_weston "$mode" start_program "$program" 2>"$E2E_WORK/game.err"

# The board: its cells of the corner and centre blocks' colour; (board_left, board_top) is
# the top-left corner of cell 0,0 on weston's screen.
deadline=$((SECONDS + 30))
until [ "$(boxes $board_colour 400 | wc -l)" -ge 30 ]; do
  kill -0 "$E2E_PID" 2>/dev/null || game_ended_early "its board"
  [ $SECONDS -lt $deadline ] || fail "no board on weston's screen"
  sleep 0.2
done
read -r board_left _ < <(boxes $board_colour 400 | sort -n -k1,1 | head -n 1)
read -r _ board_top _ < <(boxes $board_colour 400 | sort -n -k2,2 | head -n 1)
echo "weston put the board's first cell at $board_left,$board_top"
deadline=$((SECONDS + 10))
until [ -f "$E2E_WORK/VumSudoku.sav" ]; do
  [ $SECONDS -lt $deadline ] || fail "no saved game"
  sleep 0.1
done

# cell_corner <column> <row>: the cell's top-left corner on weston's screen.
cell_corner() { echo "$((board_left + pitch * $1)) $((board_top + pitch * $2))"; }

# picker_box: the picker on weston's screen ("x y width height"), empty while there is none.
# weston 10 draws an X window that has just been mapped (the picker on XWayland) only when it
# next repaints its screen for another reason, as a moving pointer makes it do: the pointer
# moves by a pixel and back first.
picker_box() {
  xdotool mousemove_relative -- 1 0 mousemove_relative -- -1 0
  boxes $picker_colour 2000
}

# open_picker <column> <row>: clicks the cell and waits for its picker (wait_picker_beside).
open_picker() {
  local x y
  read -r x y < <(cell_corner "$1" "$2")
  click $((x + cell / 2)) $((y + cell / 2))
  wait_picker_beside "$1" "$2"
}

# wait_picker_beside <column> <row> [seconds]: waits until weston shows one picker, of its
# size, with its top-left corner within a pixel of the cell's top-right corner; sets picker_x,
# picker_y. (weston 10 takes an X popup that has closed off the screen a second or two late.)
wait_picker_beside() {
  local x y box="" width height dx dy deadline=$((SECONDS + ${3:-10}))
  read -r x y < <(cell_corner "$1" "$2")
  while :; do
    box=$(picker_box)
    if [ -n "$box" ] && [ "$(wc -l <<<"$box")" -eq 1 ]; then
      read -r picker_x picker_y width height <<<"$box"
      dx=$((picker_x - x - cell)) dy=$((picker_y - y))
      [ "$width" -eq 116 ] && [ "$height" -eq 148 ] && [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ] && break
    fi
    [ $SECONDS -lt $deadline ] ||
      fail "no picker of 116x148 at the top-right corner of cell $1,$2 ($((x + cell)),$y) on weston's screen; there: ${box:-none}"
    sleep 0.1
  done
  echo "$mode: the picker of cell $1,$2 stands at $dx,$dy from the cell's top-right corner"
}

# wait_no_picker <seconds> <what happened>
wait_no_picker() {
  local deadline=$((SECONDS + $1))
  while [ -n "$(picker_box)" ]; do
    [ $SECONDS -lt $deadline ] || fail "the picker stays open: $2"
    sleep 0.1
  done
}

# key <key> <check...>: presses the key on weston's screen and runs the check (a command that
# fails when the key did not act), first with 5 s to pass, then with 10 s. Between the two, on
# XWayland only, the key is pressed once more: under a heavy load weston now and then passes a
# key to no X client at all while the popup maps (the game's X connection then sees no key
# press, as Qt's event log shows), which no client can mend.
key() {
  local name=$1
  shift
  xdotool key "$name"
  if [ "$mode" = xwayland ] && ! ( "$@" 5 ) 2>/dev/null; then
    echo "$mode: the key $name reached no client within 5 s; pressed again"
    xdotool key "$name"
  fi
  "$@" 10
}

# The cells: a and b empty and side by side in one of rows 2 to 4, b right of a, so that the
# picker has room below them inside the main window, wherever weston put it; c empty and
# outside a's picker, which covers the cells right of a and below it.
givens=$(saved_item "$E2E_WORK" givens)
solution=$(saved_item "$E2E_WORK" solution)
is_open() { [ "${givens:$(($2 * 9 + $1)):1}" = 0 ]; }
a="" c=""
for row in 2 3 4; do
  for column in 0 1 2 3 4 5 6 7; do
    if [ -z "$a" ] && is_open "$column" "$row" && is_open $((column + 1)) "$row"; then a="$column $row"; fi
  done
done
[ -n "$a" ] || fail "no two open cells side by side in rows 2 to 4"
read -r ac ar <<<"$a"
bc=$((ac + 1)) br=$ar
for row in 0 1 2 3 4 5 6 7 8; do
  for column in 0 1 2 3 4 5 6 7 8; do
    if [ -z "$c" ] && is_open "$column" "$row" && [ "$column $row" != "$a" ] &&
      { [ "$column" -le "$ac" ] || [ "$column" -ge $((ac + 5)) ] || [ "$row" -lt "$ar" ]; }; then
      c="$column $row"
    fi
  done
done
[ -n "$c" ] || fail "no open cell outside the picker of cell $a"
read -r cc cr <<<"$c"
entries=$(saved_item "$E2E_WORK" entries)

# Escape cancels and changes nothing.
open_picker "$ac" "$ar"
no_picker_after_escape() { wait_no_picker "$1" "after Escape"; }
key Escape no_picker_after_escape
[ "$(saved_item "$E2E_WORK" entries)" = "$entries" ] || fail "Escape changed the board"

# A click outside the picker, on another open cell, cancels it and goes no further: no picker
# opens for that cell and nothing changes.
open_picker "$ac" "$ar"
read -r x y < <(cell_corner "$cc" "$cr")
click $((x + cell / 2)) $((y + cell / 2))
wait_no_picker 10 "after a click outside it"
sleep 0.5
[ -z "$(picker_box)" ] || fail "the click outside the picker opened another one"
[ "$(saved_item "$E2E_WORK" entries)" = "$entries" ] || fail "a click outside the picker changed the board"

# A right click on a digit's button sets that mark and leaves the picker open; the arrow key
# cancels it and opens the picker of the next cell, beside that cell.
open_picker "$ac" "$ar"
mark=${solution:$((ar * 9 + ac)):1}
click $((picker_x + 22 + 36 * ((mark - 1) % 3))) $((picker_y + 20 + 36 * ((mark - 1) / 3))) 3
deadline=$((SECONDS + 10))
until [ "$(saved_item "$E2E_WORK" marks)" != "$(printf '0%.0s' $(seq 243))" ]; do
  [ $SECONDS -lt $deadline ] || fail "the right click set no mark"
  sleep 0.1
done
[ -n "$(picker_box)" ] || fail "the picker closed on a mark"
picker_beside_b() { wait_picker_beside "$bc" "$br" "$1"; }
key Right picker_beside_b

# A digit's key enters it in the cell and closes the picker.
digit=${solution:$((br * 9 + bc)):1}
no_picker_after_digit() { wait_no_picker "$1" "after the key $digit"; }
key "$digit" no_picker_after_digit
deadline=$((SECONDS + 10))
until [ "$(saved_item "$E2E_WORK" entries | cut -c $((br * 9 + bc + 1)))" = "$digit" ]; do
  [ $SECONDS -lt $deadline ] || fail "the key $digit entered nothing in cell $bc,$br"
  sleep 0.1
done

# Enter closes the program.
key Return wait_exit
echo "e2e_sudoku_wayland ($mode): the picker opened beside its cell, took a mark, an arrow and a digit, and Escape and a click outside it cancelled it"
