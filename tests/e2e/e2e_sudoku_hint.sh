#!/usr/bin/env bash
# A whole VumSudoku puzzle solved by hints alone, under Xvfb: H shows the next step, a second H
# enters its digit, cell after cell, until the last one brings the level-passed notice and the
# counter's step.
#   e2e_sudoku_hint.sh <VumSudoku> <xshot> <tests/e2e>
# shellcheck source=sudoku_lib.sh
source "$3/sudoku_lib.sh"

start_sudoku
read_puzzle
empties=$(tr -cd 0 <<<"$givens" | wc -c)
filled=0
xdotool windowfocus --sync "$main" 2>/dev/null || true
while [ "$filled" -lt "$empties" ]; do
  xdotool key h h
  filled=$((filled + 1))
  # Each pair of keys enters one digit of the solution: the saved board grows by one.
  [ "$filled" -eq "$empties" ] && break
  deadline=$((SECONDS + 10))
  until [ "$(saved_item "$E2E_WORK" entries | tr -d . | wc -c)" -gt $((81 - empties + filled)) ]; do
    [ $SECONDS -lt $deadline ] || fail "hint $filled entered no digit"
    sleep 0.05
  done
done
# The level passed: counted, and the next puzzle.
deadline=$((SECONDS + 20))
until [ "$(saved_item "$E2E_WORK" solution)" != "$solution" ]; do
  [ $SECONDS -lt $deadline ] || fail "no next puzzle after the last hint"
  sleep 0.1
done
[ "$(solved_count "$E2E_WORK" 1)" -eq 1 ] || fail "the counter of level 1 is $(solved_count "$E2E_WORK" 1), not 1"
hints=$(sed -n '/^level 1$/,/^level 2$/s/^hints //p' "$E2E_WORK/VumSudoku.stat")
[ "$hints" -eq "$empties" ] || fail "the statistics count $hints hints, not $empties"
press "$main" Return
wait_exit 10
echo "e2e_sudoku_hint: $empties cells filled by hints, the level passed and counted"
