#!/usr/bin/env bash
# The colour squares played from the keyboard alone, under Xvfb: the arrows steer the cursor to
# a group (the game paused meanwhile), F5 and Space remove it, three times; the score, as the
# saved game holds it at each pause, rises by the points of each group. The mouse is not used.
#   e2e_squares_keyboard.sh <VumSquare> <xshot> <tests/e2e>
program=$1
xshot=$2
source "$3/e2e_lib.sh"
# shellcheck source=squares_lib.sh
source "$3/squares_lib.sh"

start_program "$program"
level=$(wait_window "Выберите сложность игры")
press "$level" Left  # three colours: groups come soon
press "$level" Return
main=$(wait_window "ВУМ квадратики")
saved=$(saved_game 0)

points=0
for round in 1 2 3; do
  wait_group "$main" 40 >/dev/null
  press "$main" F5
  wait_paused "$main" 3 "F5 did not pause"
  # Paused, the field stands still: the group found is where the arrows go.
  read -r row column size < <(topmost_group "$(field_codes "$main")")
  [ -n "$size" ] || fail "the group went away before the pause"
  if [ "$(cursor_cell "$main")" = -1 ]; then
    press "$main" Up  # the first arrow only shows the cursor
  fi
  cell=$(cursor_cell "$main")
  [ "$cell" != -1 ] || fail "no cursor after an arrow key"
  target=$((row * 10 + column))
  for _ in $(seq $(((cell / 10) - row))); do xdotool key Up; done
  for _ in $(seq $((row - (cell / 10)))); do xdotool key Down; done
  for _ in $(seq $(((cell % 10) - column))); do xdotool key Left; done
  for _ in $(seq $((column - (cell % 10)))); do xdotool key Right; done
  deadline=$((SECONDS + 5))
  until [ "$(cursor_cell "$main")" = "$target" ]; do
    [ $SECONDS -lt $deadline ] || fail "round $round: the cursor is not on cell $target but on $(cursor_cell "$main")"
    sleep 0.1
  done
  # Going on restarts the field tick's interval: Space and the next pause come long before it.
  xdotool key F5 space F5
  wait_paused "$main" 3 "the second F5 did not pause"
  points=$((points + size * 10))
  deadline=$((SECONDS + 5))
  until grep -qx "score $points" "$saved" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "round $round: the score is not $points: $(grep score "$saved")"
    sleep 0.1
  done
  press "$main" F5
done
press "$main" Escape
wait_exit 10
echo "e2e_squares_keyboard: three groups removed from the keyboard, $points points"
