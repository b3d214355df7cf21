#!/usr/bin/env bash
# VumSudoku end to end, under Xvfb without a window manager: start the program in a fresh
# folder, wait for its first puzzle, click an empty cell and find the digit picker beside
# it, cancel it with Escape, close the program with Enter and find the level it wrote.
#   e2e_sudoku.sh <VumSudoku> <xshot> <tests/e2e>
# shellcheck source=sudoku_lib.sh
source "$3/sudoku_lib.sh"

# The first puzzle appears without any window manager to activate the window.
start_sudoku
cells=$(board_cells "$main")
givens=$(grep -c ' given$' <<<"$cells")
[ "$givens" -eq 35 ] || fail "the first puzzle shows $givens givens, not the 35 of level 1"
read -r column row _ < <(grep ' empty$' <<<"$cells" | head -n 1)

window_geometry "$main"
main_x=$X main_y=$Y
cell_x=$((board_x + border + pitch * column))
cell_y=$((board_y + border + pitch * row))
xdotool mousemove --window "$main" $((cell_x + cell / 2)) $((cell_y + cell / 2)) click 1

# The picker: the program's other visible window, 116 x 148, its top-left corner at the
# cell's top-right corner.
picker=""
deadline=$((SECONDS + 10))
while [ -z "$picker" ]; do
  [ $SECONDS -lt $deadline ] || fail "no digit picker after a click on cell $column,$row"
  for id in $(xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null || true); do
    [ "$id" = "$main" ] && continue
    window_geometry "$id"
    [ "$WIDTH" -eq 116 ] && [ "$HEIGHT" -eq 148 ] && picker=$id
  done
  sleep 0.1
done
window_geometry "$picker"
[ "$X" -eq $((main_x + cell_x + cell)) ] && [ "$Y" -eq $((main_y + cell_y)) ] ||
  fail "picker at $X,$Y; the cell's top-right corner is at $((main_x + cell_x + cell)),$((main_y + cell_y))"
[ "$("$xshot" --pixel "$picker" 60 128)" = 008040 ] || fail "the picker is not green"
[ "$("$xshot" --pixel "$main" $((cell_x + 1)) $((cell_y + 1)))" = FFFBF0 ] ||
  fail "the clicked cell is not shown selected"

# Escape closes the picker and leaves the board as it was.
xdotool windowfocus --sync "$picker"
xdotool key Escape
deadline=$((SECONDS + 10))
while xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null | grep -qx "$picker"; do
  [ $SECONDS -lt $deadline ] || fail "Escape did not close the picker"
  sleep 0.1
done
[ "$(board_cells "$main" | grep -c ' empty$')" -eq 46 ] || fail "Escape changed the board"

# Enter closes the program, which writes the level beside itself.
xdotool windowfocus --sync "$main"
xdotool key Return
wait_exit 10
ini=$E2E_WORK/VumSudoku.ini
[ -f "$ini" ] || fail "no VumSudoku.ini beside the program"
settings=$(tr -d '\r' <"$ini")
grep -q '^\[Difficult_Level\]' <<<"$settings" || fail "no section Difficult_Level in: $settings"
grep -Eq '^Number *= *1 *$' <<<"$settings" || fail "Number is not 1 in: $settings"
echo "e2e_sudoku: picker at the cell's corner, Escape kept the board, Enter wrote Number=1"
