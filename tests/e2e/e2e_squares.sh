# End-to-end run of VumSquare under Xvfb: the level dialog answered with Enter, the first
# row and a field tick seen on screen, F5 pausing, Esc ending, the level stored.
#   e2e_squares.sh <VumSquare> <xshot> <tests/e2e>
program=$1
xshot=$2
source "$3/e2e_lib.sh"
# shellcheck source=squares_lib.sh
source "$3/squares_lib.sh"

# Client coordinates in the main window: Image1 stands at (2, 2). A point in a cell's top
# left corner, clear of the cell's word.
cell_point() { echo "$((2 + $2 * 30 + 3)) $((2 + $1 * 30 + 3))"; }  # row column -> x y

start_program "$program"
level=$(wait_window "Выберите сложность игры")
press "$level" Return

main=$(wait_window "ВУМ квадратики")
[ "$(xdotool getwindowname "$main")" = "ВУМ квадратики" ] || fail "the main window has no title"

# The first row enters at once; the next one comes with the first field tick (2.3 s).
deadline=$((SECONDS + 5))
until [ "$(pixel "$main" "$(cell_point 19 0)")" != FFFFFF ]; do
  [ $SECONDS -lt $deadline ] || fail "the bottom row stays white"
  sleep 0.1
done
deadline=$((SECONDS + 6))
until [ "$(pixel "$main" "$(cell_point 18 0)")" != FFFFFF ]; do
  [ $SECONDS -lt $deadline ] || fail "no field tick within 6 s"
  sleep 0.2
done

# F5: the pause button shows the play sign (blue where the pause sign has its gap) and
# the field stands still.
[ "$(pixel "$main" "$pause_sign_gap")" = 804040 ] || fail "the pause sign is not shown while running"
press "$main" F5
wait_paused "$main" 3 "F5 did not pause"
expect_still "$main" "the field moved while paused"

press "$main" Escape
wait_exit 10

ini="$E2E_WORK/VumColor/VumColor.ini"
[ -f "$ini" ] || fail "no $ini"
grep -q '^\[Game\]' "$ini" || fail "no section Game in the settings"
grep -q '^VidUser=1' "$ini" || fail "VidUser is not 1: $(cat "$ini")"
echo "e2e_squares: ok"
