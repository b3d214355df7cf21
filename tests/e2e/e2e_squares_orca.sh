# End-to-end run of VumSquare with the Orca screen reader under Xvfb, what Orca says taken
# down: the level dialog read with its selected level, each level read as the arrows reach
# it, the main window's parts named on the accessibility bus, a pause and its end announced,
# the best-score table read row by row.
#   e2e_squares_orca.sh <VumSquare> <xshot> <tests/e2e>
program=$1
# shellcheck source=orca_lib.sh
source "$3/orca_lib.sh"

start_orca
start_program "$program"
level=$(wait_window "Выберите сложность игры")
wait_spoken "Выберите сложность игры dialog Стрелки влево и вправо выбирают сложность, Enter начинает игру"
wait_spoken "Любитель (4 цвета)"
press "$level" Right
wait_spoken "Профессионал (5 цветов)"
press "$level" Right
wait_spoken "Новичок (3 цвета)"
press "$level" Left
wait_spoken "Профессионал (5 цветов)"
press "$level" Return

main=$(wait_window "ВУМ квадратики")
tree=$(accessible_tree "ВУМ квадратики")
for part in "filler | Игровое поле |" "push button | Новая игра |" "push button | Пауза |" \
            "filler | Очки: 0 |" "filler | Уровень: 1 |" "push button | Подсказка |"; do
  grep -q -F -- "$part" <<<"$tree" || fail "no '$part' among the main window's objects: $tree"
done
press "$main" F5
wait_spoken "notification Пауза."
press "$main" F5
wait_spoken "notification Игра продолжается."

press "$main" F10
table=$(wait_window "Десять лучших сметчиков")
rows='в категории "Профессионал".'
for row in $(seq 10); do rows="$rows $row. очки: 0."; done
wait_spoken "Десять лучших сметчиков dialog $rows"
press "$table" space

press "$main" Escape
wait_exit 10
grep -q '^VidUser=2' "$E2E_WORK/VumColor/VumColor.ini" || fail "the level heard is not the level played"
echo "e2e_squares_orca: ok"
