#!/usr/bin/env bash
# VumSquare pauses when the player leaves it, under Xvfb: the main window takes the keyboard by
# itself when it first shows (there is no window manager to give it), another X client's window
# takes the keyboard, the running game pauses (the pause button shows the play sign, the field stands
# still), and it stays paused when the player comes back, until F5. Then F3 puts symbols on
# the squares and the settings keep the choice.
#   e2e_squares_leave.sh <VumSquare> <xshot> <tests/e2e>
program=$1
xshot=$2
source "$3/e2e_lib.sh"
# shellcheck source=squares_lib.sh
source "$3/squares_lib.sh"

start_program "$program"
press "$(wait_window "Выберите сложность игры")" Return
main=$(wait_window "ВУМ квадратики")
deadline=$((SECONDS + 5))
until [ "$(xdotool getwindowfocus 2>/dev/null)" = "$main" ]; do
  [ $SECONDS -lt $deadline ] || fail "the main window did not take the keyboard after the level dialog"
  sleep 0.1
done
xdotool windowfocus --sync "$main"
[ "$(pixel "$main" "$pause_sign_gap")" = 804040 ] || fail "the game does not run"

# Another program's window takes the keyboard.
xmessage -geometry 200x50+0+0 "elsewhere" &
other=$!
trap 'kill "$other" 2>/dev/null || true; e2e_clean_up' EXIT
away=$(wait_window "xmessage")
xdotool windowfocus --sync "$away"
wait_paused "$main" 5 "the game did not pause when another window took the keyboard"
expect_still "$main" "the field moved while the player was away"

# Back: still paused, until F5.
xdotool windowfocus --sync "$main"
sleep 0.5
[ "$(pixel "$main" "$pause_sign_gap")" = 0000FF ] || fail "the game resumed by itself"
press "$main" F5
sleep 0.3
[ "$(pixel "$main" "$pause_sign_gap")" = 804040 ] || fail "F5 did not resume"

press "$main" F3
sleep 0.3
press "$main" Escape
wait_exit 10
grep -q '^Symbols=1' "$E2E_WORK/VumColor/VumColor.ini" || fail "the symbols' choice is not kept: $(cat "$E2E_WORK/VumColor/VumColor.ini")"
echo "e2e_squares_leave: paused when another window took the keyboard, resumed only by F5"
