# Steps of the Sudoku's end-to-end tests: the board read off a screenshot, window geometry,
# and the saved game the program keeps beside itself. A test sources it with its own
# arguments, <VumSudoku> <xshot> <tests/e2e>, which it takes as $program and $xshot.
program=$1
xshot=$2
# shellcheck source=e2e_lib.sh
declare -F start_program >/dev/null || source "$3/e2e_lib.sh"  # orca_lib.sh may have done it

# The board in the client area, and its cells: a 2-pixel border, cells of 35 plus a line.
board_x=8 board_y=4 border=2 pitch=36 cell=35

# board_cells <window>: prints "column row kind" for the 81 cells, kind being "given" for a
# cell that shows a dark digit, "entry" for one with a blue digit and "empty" otherwise.
board_cells() {
  local shot=$E2E_WORK/board.ppm width height header
  "$xshot" "$1" "$shot" || fail "no screenshot of window $1"
  read -r width height < <(head -c 20 "$shot" | sed -n 2p)
  header=$(printf 'P6\n%d %d\n255\n' "$width" "$height" | wc -c)
  od -An -v -tu1 -w$((width * 3)) -j "$header" "$shot" | awk -v bx=$board_x -v by=$board_y -v b=$border \
    -v p=$pitch -v s=$cell '
    { row[NR - 1] = $0 }
    END {
      for (c = 0; c < 9; c++) for (r = 0; r < 9; r++) {
        kind = "empty"
        for (y = by + b + p * r + 4; y < by + b + p * r + s - 4 && kind == "empty"; y++) {
          split(row[y], v, " ")
          for (x = bx + b + p * c + 4; x < bx + b + p * c + s - 4; x++) {
            red = v[3 * x + 1]; green = v[3 * x + 2]; blue = v[3 * x + 3]
            if (red + green + blue < 150) { kind = "given"; break }
            if (blue > 200 && red < 80 && green < 80) { kind = "entry"; break }
          }
        }
        print c, r, kind
      }
    }'
}

# window_geometry <window>: sets X, Y, WIDTH, HEIGHT.
window_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

# wait_puzzle <main window>: waits until the board shows a puzzle.
wait_puzzle() {
  local deadline=$((SECONDS + 20))
  until board_cells "$1" | grep -q ' given$'; do
    [ $SECONDS -lt $deadline ] || fail "no puzzle on the board"
    sleep 0.2
  done
}

# start_sudoku: starts the program in a fresh folder and waits for its puzzle; sets $main to
# its main window.
start_sudoku() {
  start_program "$program"
  main=$(wait_window --own "ВУМ Судоку")
  wait_puzzle "$main"
}

# read_puzzle: sets $solution and $givens, row by row, from the saved game.
read_puzzle() {
  solution=$(saved_item "$E2E_WORK" solution)
  givens=$(saved_item "$E2E_WORK" givens)
  [ ${#solution} -eq 81 ] && [ ${#givens} -eq 81 ] || fail "no puzzle in the saved game"
}

# cell_xy <column> <row>: the centre of a cell in the main window's client area.
cell_xy() { echo "$((board_x + border + pitch * $1 + cell / 2)) $((board_y + border + pitch * $2 + cell / 2))"; }

# picker_xy <digit>: the centre of a digit's button in the picker, 0 for "-".
picker_xy() {
  if [ "$1" -eq 0 ]; then echo "22 128"; else echo "$((22 + 36 * (($1 - 1) % 3))) $((20 + 36 * (($1 - 1) / 3)))"; fi
}

# saved_item <folder> <name>: the value of a line "<name> <value>" of the saved game.
# The first game in the file is the one being played.
saved_item() { sed -n "s/^$2 //p" "$1/VumSudoku.sav" | head -n 1; }

# solved_count <folder> <level>: the solved counter of a level, read from VumSudoku.dat (each
# character is the last of 21 bytes, stored as its code plus 5).
solved_count() {
  od -An -v -tu1 -w21 "$1/VumSudoku.dat" | awk -v level="$2" '
    NR > level * 10 && NR <= level * 10 + 10 { c = ($21 - 5 + 256) % 256; if (c >= 48 && c <= 57) n = n sprintf("%c", c) }
    END { print n + 0 }'
}

# other_window <main window>: the id of the program's visible window other than main, if any.
other_window() { xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null | grep -vx "$1" | head -n 1 || true; }

# wait_other_window <main window>: waits for such a window (a picker or a notice) and prints it.
wait_other_window() {
  local id deadline=$((SECONDS + 10))
  until id=$(other_window "$1") && [ -n "$id" ]; do
    [ $SECONDS -lt $deadline ] || fail "no second window of the program"
    sleep 0.05
  done
  echo "$id"
}

# wait_no_other_window <main window>: waits until only the main window is visible.
wait_no_other_window() {
  local deadline=$((SECONDS + 10)) other
  while other=$(other_window "$1") && [ -n "$other" ]; do
    if [ $SECONDS -ge $deadline ]; then
      window_geometry "$other"
      fail "a second window stays open: ${WIDTH}x${HEIGHT} at $X,$Y"
    fi
    sleep 0.05
  done
}

# plant_last_cell <seed>: a saved game of one of the game's own puzzles of level 1 (a first
# start's level) with one cell left, the first empty one of the puzzle, every other cell
# entered; sets $puzzle, $solution and $last (the cell's index, row by row).
plant_last_cell() {
  read -r puzzle solution < <("$(dirname "$program")/vum-sudoku-gen" --level 1 --count 1 --seed "$1")
  last=$(expr index "$puzzle" .)
  last=$((last - 1))
  local givens entries
  givens=$(tr '1-9.' '1111111110' <<<"$puzzle")
  entries=${solution:0:$last}.${solution:$((last + 1))}
  printf '%s\n' "VumSudoku saved game" "version 3" "level 1" "origin made" "time 0" "seen 0" "solution $solution" \
    "givens $givens" "entries $entries" "shown $entries" "marks $(printf '0%.0s' {1..243})" "undo 0" "redo 0" \
    >"$E2E_WORK/VumSudoku.sav"
}
