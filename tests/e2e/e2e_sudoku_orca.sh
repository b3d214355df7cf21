#!/usr/bin/env bash
# VumSudoku with the Orca screen reader under Xvfb, what Orca says taken down: a puzzle with
# one cell left planted; the arrows go through the row of that cell and Orca reads every cell
# with its place and content (an entered cell's picker says whose it is), the picker of the
# empty cell says it is empty, the last digit is entered from it, and "Уровень пройден." is
# heard.
#   e2e_sudoku_orca.sh <VumSudoku> <xshot> <tests/e2e>
# shellcheck source=orca_lib.sh
source "$3/orca_lib.sh"
# shellcheck source=sudoku_lib.sh
source "$3/sudoku_lib.sh"

plant_last_cell 5
column=$((last % 9)) row=$((last / 9))
start_orca
start_program "$program"
main=$(wait_window --own "ВУМ Судоку")
xdotool windowfocus --sync "$main"
wait_spoken "ВУМ Судоку"
wait_spoken "Игровое поле"

# cell_heard <column>: waits until Orca reads the cell of that column in the row, as it is: a
# given as a cell, an entered or empty cell as the picker that opens on it.
cell_heard() {
  local place="Строка $((row + 1)), столбец $(($1 + 1))" index=$((row * 9 + $1))
  if [ "${puzzle:$index:1}" != . ]; then
    wait_spoken "$place: задана цифра ${solution:$index:1}"
  elif [ "$index" -eq "$last" ]; then
    wait_spoken "$place dialog пусто"
  else
    wait_spoken "$place dialog ${solution:$index:1}"
  fi
}
# press_here <key>: the key to the picker while one is open, else to the main window.
press_here() {
  local picker
  picker=$(other_window "$main")
  press "${picker:-$main}" "$1"
}

# Down to the row, then along it and back to the empty cell.
for _ in $(seq "$row"); do press_here Down; sleep 0.2; done
[ "$row" -gt 0 ] || { press_here Right; press_here Left; }
cell_heard 0
for c in $(seq 1 8); do
  press_here Right
  cell_heard "$c"
done
for c in $(seq 7 -1 "$column"); do
  press_here Left
  cell_heard "$c"
done
# The last digit, from the picker: the level passed, a new puzzle made.
press_here "${solution:$last:1}"
wait_spoken "Уровень пройден."
wait_spoken "Создание нового Судоку. Ждите..."
wait_no_other_window "$main"
press "$main" Return
wait_exit 10
echo "e2e_sudoku_orca: ok"
