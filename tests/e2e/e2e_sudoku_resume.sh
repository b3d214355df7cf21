#!/usr/bin/env bash
# VumSudoku keeps its puzzle, under Xvfb: three digits entered, the program killed with
# SIGKILL and started again shows the same board, a wheel over the level list it has no focus
# for changes nothing, and three Ctrl+Z take the digits back.
#   e2e_sudoku_resume.sh <VumSudoku> <xshot> <tests/e2e>
# shellcheck source=sudoku_lib.sh
source "$3/sudoku_lib.sh"

start_sudoku

# The board as it starts: which cells hold givens. (While a cell is selected, the digits equal
# to its own show white, so a board is read with no cell selected.)
start=$(board_cells "$main")
targets=$(grep ' empty$' <<<"$start" | head -n 3 | cut -d' ' -f1,2)
digit=1
while read -r column row; do
  xdotool mousemove --window "$main" $(cell_xy "$column" "$row") click 1
  picker=$(wait_other_window "$main")
  xdotool mousemove --window "$picker" $(picker_xy $digit) click 1
  wait_no_other_window "$main"
  digit=$((digit + 1))
done <<<"$targets"
deadline=$((SECONDS + 5))
until grep -q '^undo 3$' "$E2E_WORK/VumSudoku.sav"; do
  [ $SECONDS -lt $deadline ] || fail "the saved game has not three undo steps"
  sleep 0.05
done
cp "$E2E_WORK/VumSudoku.sav" "$E2E_WORK/saved-before"
# The board that should come back: the start with the three cells entered.
before=$(while read -r column row kind; do
  if grep -qx "$column $row" <<<"$targets"; then echo "$column $row entry"; else echo "$column $row $kind"; fi
done <<<"$start")

kill -KILL "$E2E_PID"
wait "$E2E_PID" 2>/dev/null || true
restart_program
main=$(wait_window "ВУМ Судоку")
wait_puzzle "$main"
[ "$(board_cells "$main")" = "$before" ] || fail "the board after the restart is not the one before"
cmp -s "$E2E_WORK/VumSudoku.sav" "$E2E_WORK/saved-before" || fail "the saved game changed at the restart"

# The wheel over the level list, which has no focus: no new level, no new puzzle.
xdotool mousemove --window "$main" 440 42 click 5 click 5 click 4
sleep 0.5
[ "$(board_cells "$main")" = "$before" ] || fail "a wheel over the level list changed the board"
cmp -s "$E2E_WORK/VumSudoku.sav" "$E2E_WORK/saved-before" || fail "a wheel over the level list changed the game"

# Ctrl+Z three times: the board of the puzzle's start.
xdotool mousemove --window "$main" 600 300
for _ in 1 2 3; do press "$main" ctrl+z; sleep 0.2; done
[ "$(board_cells "$main")" = "$start" ] || fail "three Ctrl+Z did not bring back the start of the puzzle"
deadline=$((SECONDS + 5))
until grep -q '^undo 0$' "$E2E_WORK/VumSudoku.sav"; do
  [ $SECONDS -lt $deadline ] || fail "the saved game keeps undo steps"
  sleep 0.05
done

press "$main" Return
wait_exit 10
grep -q '^Number=1' "$E2E_WORK/VumSudoku.ini" || fail "the level changed: $(cat "$E2E_WORK/VumSudoku.ini")"
echo "e2e_sudoku_resume: the board survived SIGKILL, the wheel changed nothing, Ctrl+Z undid"
