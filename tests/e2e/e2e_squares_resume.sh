#!/usr/bin/env bash
# A colour-squares game survives the end of the program, under Xvfb: two groups removed, the
# game written to its saved file, the program killed (SIGKILL, as a crash ends it); started
# again with the same level chosen, the field and the score come back, paused; F5 goes on.
#   e2e_squares_resume.sh <VumSquare> <xshot> <tests/e2e>
program=$1
xshot=$2
source "$3/e2e_lib.sh"
# shellcheck source=squares_lib.sh
source "$3/squares_lib.sh"

start_program "$program"
press "$(wait_window "Выберите сложность игры")" Return
main=$(wait_window "ВУМ квадратики")

points=0
for _ in 1 2; do
  wait_group "$main" 30 >/dev/null
  # Paused, the group found stays where it is; going on restarts the field tick's interval,
  # so that the click comes long before the next tick.
  press "$main" F5
  wait_paused "$main" 3 "F5 did not pause"
  read -r row column size < <(topmost_group "$(field_codes "$main")")
  xdotool key F5 mousemove --window "$main" $((2 + column * 30 + 15)) $((2 + row * 30 + 15)) click 1
  points=$((points + size * 10))
  sleep 0.3
done

# While the game runs, it is written every few seconds: wait until the file holds the points.
saved=$(saved_game 1)
deadline=$((SECONDS + 15))
until [ -f "$saved" ] && grep -qx "score $points" "$saved"; do
  [ $SECONDS -lt $deadline ] || fail "the saved game does not hold the $points points: $(cat "$saved" 2>/dev/null)"
  sleep 0.1
done
window_shot "$main" "$E2E_WORK/before.ppm"
kill -KILL "$E2E_PID"
wait "$E2E_PID" 2>/dev/null || true
field=$(sed -n 's/^field //p' "$saved")

restart_program
press "$(wait_window "Выберите сложность игры")" Return
main=$(wait_window "ВУМ квадратики")
wait_paused "$main" 5 "the game did not come back paused"
[ "$(field_codes "$main")" = "$field" ] || fail "the field that came back is not the saved one"
window_shot "$main" "$E2E_WORK/after.ppm"
# ScorePanel1 and LevelPanel1 in the side column at (305, 0).
same_area "$E2E_WORK/before.ppm" "$E2E_WORK/after.ppm" 313 52 133 73 || fail "the score or the speed level did not come back"
expect_still "$main" "the field moved before F5"

press "$main" F5
deadline=$((SECONDS + 6))
until [ "$(field_codes "$main")" != "$field" ]; do
  [ $SECONDS -lt $deadline ] || fail "F5 did not go on with the game"
  sleep 0.2
done
[ "$(pixel "$main" "$pause_sign_gap")" = 804040 ] || fail "the pause sign is not back"
press "$main" Escape
wait_exit 10
echo "e2e_squares_resume: $points points and the field came back paused after SIGKILL; F5 went on"
