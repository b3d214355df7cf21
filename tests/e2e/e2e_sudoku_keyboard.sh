#!/usr/bin/env bash
# VumSudoku played from the keyboard alone, under Xvfb: the arrows walk the board, a digit key
# fills each picker that opens, and the last digit brings the level-passed notice, the
# counter's step and the next puzzle.
#   e2e_sudoku_keyboard.sh <VumSudoku> <xshot> <tests/e2e>
# shellcheck source=sudoku_lib.sh
source "$3/sudoku_lib.sh"

start_sudoku
read_puzzle
empties=$(tr -cd 0 <<<"$givens" | wc -c)

column=0 row=0 filled=0
declare -A entered=()
# step <key> <columns> <rows>: one arrow; a picker that opens gets the cell's digit (again,
# for a cell the walk passes twice).
step() {
  press "$main" "$1"
  column=$((column + $2)) row=$((row + $3))
  local i=$((row * 9 + column))
  [ "${givens:$i:1}" = 1 ] && return 0
  local picker
  picker=$(wait_other_window "$main")
  [ -n "${entered[$i]:-}" ] || filled=$((filled + 1))
  entered[$i]=1
  xdotool windowfocus --sync "$picker" 2>/dev/null || true
  xdotool key "${solution:$i:1}"
  # The last digit solves the puzzle: the notice follows the picker.
  [ "$filled" -lt "$empties" ] || return 0
  ( wait_no_other_window "$main" ) || fail "the picker of cell $column,$row stayed open after its digit"
  return 0
}

# Down and back up visit the start cell too, then row by row in a snake, until the last empty
# cell is filled (further keys would go to the next puzzle).
steps=(Down Up)
for r in 0 1 2 3 4 5 6 7 8; do
  for _ in 1 2 3 4 5 6 7 8; do
    if [ $((r % 2)) -eq 0 ]; then steps+=(Right); else steps+=(Left); fi
  done
  [ "$r" -lt 8 ] && steps+=(Down)
done
for key in "${steps[@]}"; do
  [ "$filled" -lt "$empties" ] || break
  case $key in
    Down) step Down 0 1 ;;
    Up) step Up 0 -1 ;;
    Right) step Right 1 0 ;;
    Left) step Left -1 0 ;;
  esac
done
[ "$filled" -eq "$empties" ] || fail "the walk filled $filled of $empties cells"

# The level-passed notice: the program's other window, 472 x 95, for three seconds.
deadline=$((SECONDS + 10))
notice=""
while [ -z "$notice" ]; do
  [ $SECONDS -lt $deadline ] || fail "no level-passed notice"
  for id in $(xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null || true); do
    window_geometry "$id"
    [ "$WIDTH" -eq 472 ] && [ "$HEIGHT" -eq 95 ] && notice=$id
  done
  sleep 0.05
done
wait_no_other_window "$main"
[ "$(solved_count "$E2E_WORK" 1)" -eq 1 ] || fail "the counter of level 1 is $(solved_count "$E2E_WORK" 1), not 1"
[ "$(saved_item "$E2E_WORK" solution)" != "$solution" ] || fail "no next puzzle"

press "$main" Return
wait_exit 10
echo "e2e_sudoku_keyboard: $filled digits from the keyboard, the level passed and counted"
