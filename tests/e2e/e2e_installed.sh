# The games as installed: cmake --install into a fresh root whose program folder nobody may
# write (as /usr/games), each game started from its menu entry's Exec line, its window seen,
# closed, and its files found in the player's data folder; a second run reads them back.
#   e2e_installed.sh <build dir> <xshot> <tests/e2e dir>
build=$1
source "$3/e2e_lib.sh"

root=$E2E_WORK/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
games=$root/usr/games
chmod -R a-w "$games"
export XDG_DATA_HOME="$E2E_WORK/data"
apps=$root/usr/share/applications

exec_line() { sed -n 's/^Exec=//p' "$apps/$1"; }

run_entry() { # desktop file: starts its Exec line like a menu would, inside the fresh root
  local command
  command=$(exec_line "$1")
  [[ "$command" == /usr/games/* ]] || fail "$1 does not start a program in /usr/games: '$command'"
  "$root$command" &
  E2E_PID=$!
}

for f in example.vum.Sudoku.desktop example.vum.Squares.desktop; do
  [ -f "$apps/$f" ] || fail "$f not installed"
  desktop-file-validate "$apps/$f" || fail "$f as installed is not a valid menu entry"
  icon=$(sed -n 's/^Icon=//p' "$apps/$f")
  [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "icon $icon not installed"
done

# Sudoku: the first run writes the level beside nothing but the player's folder.
sudoku_ini=$XDG_DATA_HOME/VumSudoku/VumSudoku.ini
run_entry example.vum.Sudoku.desktop
press "$(wait_window "ВУМ Судоку")" Return
wait_exit
grep -q '^Number=1' "$sudoku_ini" || fail "no level in $sudoku_ini"
[ -z "$(ls "$games" | grep -v -E '^(VumSudoku|VumSquare|vum-sudoku-gen)$')" ] || fail "files written beside the program"
# The second run reads the stored level and keeps it.
sed -i 's/^Number=1/Number=2/' "$sudoku_ini"
run_entry example.vum.Sudoku.desktop
press "$(wait_window "ВУМ Судоку")" Return
wait_exit
grep -q '^Number=2' "$sudoku_ini" || fail "the stored level did not persist"

# Colour squares: the level dialog answered with Enter, the game ended with Esc.
squares_ini=$XDG_DATA_HOME/VumSquare/VumColor/VumColor.ini
run_entry example.vum.Squares.desktop
press "$(wait_window "Выберите сложность игры")" Return
press "$(wait_window "ВУМ квадратики")" Escape
wait_exit
grep -q '^VidUser=1' "$squares_ini" || fail "no level in $squares_ini"
echo "installed games keep their files in $XDG_DATA_HOME"
