#!/usr/bin/env bash
# VumSudoku's clock and statistics, under Xvfb: a nearly solved puzzle planted, the clock
# turned on (Ctrl+T) and running in the title; the program killed mid-puzzle keeps the time;
# the last digit solves the puzzle, and the statistics (F10) hold its time as the best.
#   e2e_sudoku_clock.sh <VumSudoku> <xshot> <tests/e2e>
# shellcheck source=sudoku_lib.sh
source "$3/sudoku_lib.sh"

# title_seconds: the seconds the title's clock shows, -1 for none.
title_seconds() {
  local title
  title=$(xdotool getwindowname "$main" 2>/dev/null || true)
  [[ $title =~ —\ ([0-9]+):([0-9]{2})$ ]] || { echo -1; return; }
  echo $((10#${BASH_REMATCH[1]} * 60 + 10#${BASH_REMATCH[2]}))
}

# wait_title_seconds <at least>: waits until the title's clock shows that many seconds.
wait_title_seconds() {
  local deadline=$((SECONDS + 20))
  until [ "$(title_seconds)" -ge "$1" ]; do
    [ $SECONDS -lt $deadline ] || fail "the title shows '$(xdotool getwindowname "$main")', not $1 s or more"
    sleep 0.1
  done
}

plant_last_cell 5

start_program "$program"
main=$(wait_window --own "ВУМ Судоку")
press "$main" ctrl+t
wait_title_seconds 2
# A mark on the last cell is a change: the game goes to disk with its time.
xdotool mousemove --window "$main" $(cell_xy $((last % 9)) $((last / 9))) click 1
press "$(wait_other_window "$main")" Escape
wait_no_other_window "$main"
press "$main" ctrl+5
deadline=$((SECONDS + 10))
until time=$(saved_item "$E2E_WORK" time) && [ "${time:-0}" -ge 2000 ]; do
  [ $SECONDS -lt $deadline ] || fail "the saved game keeps no time: '$time'"
  sleep 0.1
done

kill -KILL "$E2E_PID"
wait "$E2E_PID" 2>/dev/null || true
restart_program
main=$(wait_window --own "ВУМ Судоку")
wait_title_seconds $((time / 1000))

# The last digit: the level passed, its time the level's best in the statistics.
xdotool mousemove --window "$main" $(cell_xy $((last % 9)) $((last / 9))) click 1
press "$(wait_other_window "$main")" "${solution:$last:1}"
# The level-passed notice, then the next puzzle.
deadline=$((SECONDS + 20))
until [ "$(saved_item "$E2E_WORK" solution)" != "$solution" ]; do
  [ $SECONDS -lt $deadline ] || fail "no next puzzle after the last digit"
  sleep 0.1
done
wait_no_other_window "$main"
best=$(sed -n '/^level 1$/,/^level 2$/s/^best //p' "$E2E_WORK/VumSudoku.stat")
[ -n "$best" ] && [ "$best" != - ] && [ "$best" -ge "$time" ] || fail "the statistics keep no best time: '$best'"
press "$main" F10
statistics=$(wait_other_window "$main")
window_geometry "$statistics"
[ "$WIDTH" -eq 739 ] || fail "the statistics window is ${WIDTH} wide"
press "$statistics" Escape
wait_no_other_window "$main"
press "$main" Return
wait_exit 10
echo "e2e_sudoku_clock: the clock in the title, kept through a kill; the best time $best ms in the statistics"
