#!/usr/bin/env bash
# VumSudoku's pencil marks, under Xvfb: two marks set by right clicks in the picker show in
# their cell; a digit entered in a cell of the same row takes its mark away; Ctrl+Z brings it
# back. Then the board with its marks against the same board without them, at scale 1 and 2:
# every pixel that differs lies in a cell with marks.
#   e2e_sudoku_marks.sh <VumSudoku> <xshot> <tests/e2e>
# shellcheck source=sudoku_lib.sh
source "$3/sudoku_lib.sh"

start_sudoku
read_puzzle

# Two cells the player fills in one row: a gets the marks, b the digit.
a="" b=""
for row in 0 1 2 3 4 5 6 7 8; do
  open=()
  for column in 0 1 2 3 4 5 6 7 8; do [ "${givens:$((row * 9 + column)):1}" = 0 ] && open+=("$column"); done
  if [ ${#open[@]} -ge 2 ]; then a="${open[0]} $row" b="${open[1]} $row"; break; fi
done
[ -n "$a" ] || fail "no row with two open cells"
read -r ac ar <<<"$a"
read -r bc br <<<"$b"
digit_b=${solution:$((br * 9 + bc)):1}
other=$((digit_b % 9 + 1))

# mark_ink <column> <row> <digit>: the number of dark pixels at a mark's place in a cell.
mark_ink() {
  local x=$((board_x + border + pitch * $1 + 1 + ($3 - 1) % 3 * 11))
  local y=$((board_y + border + pitch * $2 + 1 + ($3 - 1) / 3 * 11))
  "$xshot" "$main" "$E2E_WORK/marks.ppm"
  local width height
  read -r width height < <(head -c 20 "$E2E_WORK/marks.ppm" | sed -n 2p)
  od -An -v -tu1 -w$((width * 3)) -j "$(printf 'P6\n%d %d\n255\n' "$width" "$height" | wc -c)" "$E2E_WORK/marks.ppm" |
    awk -v x0="$x" -v y0="$y" 'NR > y0 && NR <= y0 + 11 {
      for (x = x0; x < x0 + 11; x++) if ($(3 * x + 1) + $(3 * x + 2) + $(3 * x + 3) < 400) n++ }
      END { print n + 0 }'
}

# Both marks with the right button in a's picker; the picker stays open for the second.
xdotool mousemove --window "$main" $(cell_xy "$ac" "$ar") click 1
picker=$(wait_other_window "$main")
xdotool mousemove --window "$picker" $(picker_xy "$digit_b") click 3
xdotool mousemove --window "$picker" $(picker_xy "$other") click 3
sleep 0.3
[ "$(other_window "$main")" = "$picker" ] || fail "the picker closed on a mark"
xdotool windowfocus --sync "$picker" 2>/dev/null || true
xdotool key Escape
wait_no_other_window "$main"
[ "$(mark_ink "$ac" "$ar" "$digit_b")" -gt 0 ] || fail "no mark $digit_b in cell $a"
[ "$(mark_ink "$ac" "$ar" "$other")" -gt 0 ] || fail "no mark $other in cell $a"
[ "$(mark_ink "$ac" "$ar" $((other % 9 + 1)))" -eq 0 ] || fail "a mark nobody set in cell $a"

# The digit of b, in the same row: a loses that mark and keeps the other.
xdotool mousemove --window "$main" $(cell_xy "$bc" "$br") click 1
picker=$(wait_other_window "$main")
xdotool mousemove --window "$picker" $(picker_xy "$digit_b") click 1
wait_no_other_window "$main"
[ "$(mark_ink "$ac" "$ar" "$digit_b")" -eq 0 ] || fail "the entry of $digit_b in $b left that mark in $a"
[ "$(mark_ink "$ac" "$ar" "$other")" -gt 0 ] || fail "the entry took mark $other from $a"

# One undo takes the entry and the cleaning back.
press "$main" ctrl+z
sleep 0.3
[ "$(mark_ink "$ac" "$ar" "$digit_b")" -gt 0 ] || fail "Ctrl+Z did not bring back mark $digit_b in $a"
press "$main" Return
wait_exit 10
grep -q '^marks ' "$E2E_WORK/VumSudoku.sav" || fail "the saved game keeps no marks"

# The board with the marks against the same board without, at scale 1 and 2.
cp "$E2E_WORK/VumSudoku.sav" "$E2E_WORK/with-marks"
sed "s/^marks .*/marks $(printf '0%.0s' $(seq 243))/" "$E2E_WORK/with-marks" >"$E2E_WORK/without-marks"
board_shot() { # saved game, scale, file
  cp "$E2E_WORK/$1" "$E2E_WORK/VumSudoku.sav"
  QT_SCALE_FACTOR=$2 "$E2E_PROGRAM" &
  E2E_PID=$!
  local window
  window=$(wait_window "ВУМ Судоку")
  # At scale 2 the window is wider than the screen: its left part, the board, into view.
  xdotool windowmove --sync "$window" 0 0
  sleep 1
  "$xshot" "$window" "$E2E_WORK/$3"
  kill "$E2E_PID"
  wait "$E2E_PID" 2>/dev/null || true
}
for scale in 1 2; do
  board_shot with-marks "$scale" "with-$scale.ppm"
  board_shot without-marks "$scale" "without-$scale.ppm"
  read -r width height < <(head -c 20 "$E2E_WORK/with-$scale.ppm" | sed -n 2p)
  header=$(printf 'P6\n%d %d\n255\n' "$width" "$height" | wc -c)
  # Each differing byte, as a pixel, must lie in the cell a (the only one with marks left).
  outside=$({ cmp -l "$E2E_WORK/with-$scale.ppm" "$E2E_WORK/without-$scale.ppm" || true; } | awk -v h="$header" -v w="$width" \
    -v s="$scale" -v left=$((board_x + border + pitch * ac)) -v top=$((board_y + border + pitch * ar)) '
    { p = int(($1 - 1 - h) / 3); x = p % w / s; y = int(p / w) / s
      if (x < left || x >= left + 35 || y < top || y >= top + 35) n++; else inside++ }
    END { print n + 0, inside + 0 }')
  read -r elsewhere there <<<"$outside"
  [ "$elsewhere" -eq 0 ] || fail "at scale $scale, $elsewhere bytes outside the marked cell differ"
  [ "$there" -gt 0 ] || fail "at scale $scale the marks do not show"
done
echo "e2e_sudoku_marks: marks set, cleaned by a peer's entry, undone; only their cell differs at scale 1 and 2"
