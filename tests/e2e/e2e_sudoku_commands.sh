#!/usr/bin/env bash
# VumSudoku's commands from the keyboard, under Xvfb: each question reached and answered by
# keys; another level looked at and the first game found again with its undo history; both
# games found again after SIGKILL; "digit, Right, digit" typed 30 ms apart lands both digits;
# a puzzle copied into a fresh copy of the game, and garbage pasted changing nothing.
#   e2e_sudoku_commands.sh <VumSudoku> <xshot> <tests/e2e>
# shellcheck source=sudoku_lib.sh
source "$3/sudoku_lib.sh"

# wait_saved <pattern>: waits until the saved game has a line matching the pattern.
wait_saved() {
  local deadline=$((SECONDS + 10))
  until grep -qE "$1" "$E2E_WORK/VumSudoku.sav" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the saved game has no line '$1'"
    sleep 0.05
  done
}

# answer <key>: waits for the question (or message) box, answers it with the key, waits it gone.
answer() {
  local box
  box=$(wait_other_window "$main")
  press "$box" "$1"
  wait_no_other_window "$main"
}

# first_empty: the index (row * 9 + column) of the first cell the player fills, in the game played.
first_empty() { givens=$(saved_item "$E2E_WORK" givens); local rest=${givens%%0*}; echo "${#rest}"; }

# enter_at <index> <digit>: opens the cell's picker by a click and picks the digit by its key.
enter_at() {
  xdotool mousemove --window "$main" $(cell_xy $(($1 % 9)) $(($1 / 9))) click 1
  press "$(wait_other_window "$main")" "$2"
  wait_no_other_window "$main"
}

start_sudoku
read_puzzle
first=$(first_empty)
enter_at "$first" 5
wait_saved '^undo 1$'

# The questions, by their keys: No keeps the game, Yes does what the button does.
press "$main" ctrl+n
answer Escape
[ "$(saved_item "$E2E_WORK" solution)" = "$solution" ] || fail "No to Ctrl+N's question changed the puzzle"
press "$main" F9
answer Return
wait_saved "^shown $solution$"
press "$main" F5
answer Return
wait_saved '^undo 0$'
[ "$(saved_item "$E2E_WORK" entries | tr -d .)" = "$(saved_item "$E2E_WORK" shown | tr -d .)" ] ||
  fail "F5's Yes did not restart the puzzle"

# Another level and back: the first game, with its undo history.
enter_at "$first" 5
wait_saved '^undo 1$'
press "$main" alt+3
wait_saved '^level 2$'
[ "$(saved_item "$E2E_WORK" level)" = 2 ] || fail "Alt+3 did not play level 2"
level2=$(saved_item "$E2E_WORK" solution)
press "$main" alt+2
wait_puzzle "$main"
deadline=$((SECONDS + 10))
until [ "$(saved_item "$E2E_WORK" level)" = 1 ]; do [ $SECONDS -lt $deadline ] || fail "Alt+2 did not come back"; sleep 0.05; done
[ "$(saved_item "$E2E_WORK" solution)" = "$solution" ] || fail "level 1's game did not come back"
press "$main" ctrl+z
wait_saved '^undo 0$'

# Killed on the second level: both games come back at the next start.
press "$main" alt+3
until [ "$(saved_item "$E2E_WORK" level)" = 2 ]; do sleep 0.05; done
enter_at "$(first_empty)" 4
wait_saved '^undo 1$'
kill -KILL "$E2E_PID"
wait "$E2E_PID" 2>/dev/null || true
restart_program
main=$(wait_window "ВУМ Судоку")
wait_puzzle "$main"
[ "$(saved_item "$E2E_WORK" solution)" = "$level2" ] || fail "the game of level 2 did not come back"
grep -qx "solution $solution" "$E2E_WORK/VumSudoku.sav" || fail "the game of level 1 was lost"

# "digit, Right, digit" at 30 ms: both digits land, in two cells side by side.
read_puzzle
pair=""
for ((i = 0; i < 80; i++)); do
  if [ $((i % 9)) -lt 8 ] && [ "${givens:$i:1}" = 0 ] && [ "${givens:$((i + 1)):1}" = 0 ]; then pair=$i; break; fi
done
[ -n "$pair" ] || fail "no two empty cells side by side"
xdotool mousemove --window "$main" $(cell_xy $((pair % 9)) $((pair / 9))) click 1
picker=$(wait_other_window "$main")
xdotool windowfocus --sync "$picker" 2>/dev/null || true
xdotool key --delay 30 7 Right 8
wait_saved "^entries .{$pair}78"
press "$(wait_other_window "$main")" Escape 2>/dev/null || true
wait_no_other_window "$main"

# Copy, and paste into a fresh copy of the game elsewhere: the same givens.
press "$main" ctrl+c
puzzle=$(xclip -o -selection clipboard | head -n 1)
[ ${#puzzle} -eq 81 ] || fail "Ctrl+C put no puzzle on the clipboard: '$puzzle'"
[ "$(tr -c '.\n' 1 <<<"$puzzle" | tr . 0)" = "$givens" ] || fail "the copied puzzle is not the one played"
first_work=$E2E_WORK first_pid=$E2E_PID
E2E_WORK=$(mktemp -d)
start_sudoku
printf '%s\n' "$puzzle" | xclip -i -selection clipboard
press "$main" ctrl+v
answer Return
wait_saved '^origin imported$'
[ "$(saved_item "$E2E_WORK" givens)" = "$givens" ] || fail "the pasted puzzle has other givens"
# Garbage: a message, and the game unchanged.
printf 'no puzzle here\n' | xclip -i -selection clipboard
before=$(cat "$E2E_WORK/VumSudoku.sav")
press "$main" ctrl+v
answer Return
sleep 0.3
[ "$(cat "$E2E_WORK/VumSudoku.sav")" = "$before" ] || fail "garbage pasted changed the game"
press "$main" Return
wait_exit 10
rm -rf "$E2E_WORK"
E2E_WORK=$first_work E2E_PID=$first_pid
press "$(wait_window --own "ВУМ Судоку")" Return
wait_exit 10
echo "e2e_sudoku_commands: questions, levels, a kill, fast keys, copy and paste from the keyboard"
