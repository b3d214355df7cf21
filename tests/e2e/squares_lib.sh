# Shared steps of the colour-squares end-to-end tests (sourced after e2e_lib.sh, with xshot set).

pixel() { "$xshot" --pixel "$1" $2; }  # window "x y"

# The pause button's middle: the panel's dark red in the pause sign's gap while the game runs,
# blue in the play sign while it is paused.
pause_sign_gap="469 28"

# wait_paused <window> <seconds> <failure>: waits until the pause button shows the play sign.
wait_paused() {
  local deadline=$((SECONDS + $2))
  until [ "$(pixel "$1" "$pause_sign_gap")" = 0000FF ]; do
    [ $SECONDS -lt $deadline ] || fail "$3"
    sleep 0.1
  done
}

# expect_still <window> <failure>: the window shows the same picture before and after more
# than a field tick at the first speed (2.3 s).
expect_still() {
  "$xshot" "$1" "$E2E_WORK/still1.png"
  sleep 2.6
  "$xshot" "$1" "$E2E_WORK/still2.png"
  cmp -s "$E2E_WORK/still1.png" "$E2E_WORK/still2.png" || fail "$2"
}

squares_field="$(dirname "${BASH_SOURCE[0]}")/squares_field.py"

# field_codes <window>: the field's 200 colour codes as the screen shows them, row 0 first.
field_codes() { python3 "$squares_field" codes "$xshot" "$1"; }
# topmost_group <codes>: "row column size" of the topmost group of three or more, or nothing.
topmost_group() { python3 "$squares_field" group "$1"; }
# cursor_cell <window>: the cell the keyboard cursor stands on, -1 when it is hidden.
cursor_cell() { python3 "$squares_field" cursor "$xshot" "$1"; }
# window_shot <window> <file.ppm>
window_shot() { "$xshot" "$1" "$2"; }
# same_area <a.ppm> <b.ppm> <x> <y> <w> <h>: true when both pictures agree there.
same_area() { python3 "$squares_field" same "$@"; }

# The saved game of level 0, 1 or 2 in the program's data folder.
saved_game() { echo "$E2E_WORK/VumColor/VumColor$(($1 + 1)).sav"; }

# wait_group <window> <seconds>: waits until the field holds a group; prints "row column size"
# of the topmost one.
wait_group() {
  local deadline=$((SECONDS + $2)) found
  until found=$(topmost_group "$(field_codes "$1")") && [ -n "$found" ]; do
    [ $SECONDS -lt $deadline ] || fail "no group of three on the field within $2 s"
    sleep 0.3
  done
  echo "$found"
}
