#include "sudoku/SudokuHintText.h"

#include <QStringList>

#include <algorithm>
#include <array>

#include "sudoku/engine/SudokuCells.h"

namespace vum {

using namespace sudoku_cells;

namespace {

enum class Case { Nominative, Genitive, Prepositional };

QString Cell(std::int32_t cell) {
    return QStringLiteral("(строка %1, столбец %2)").arg(RowOf(cell) + 1).arg(ColumnOf(cell) + 1);
}

// "a", "a и b", "a, b и c".
QString Join(const QStringList& items) {
    if (items.size() <= 1) return items.value(0);
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" и ") + items.last();
}

QString Digits(DigitSet digits) {
    QStringList items;
    for (std::int32_t digit = 1; digit <= 9; ++digit) {
        if ((digits & DigitBit(digit)) != 0) items << QString::number(digit);
    }
    return Join(items);
}

// "2 или 9".
QString EitherDigit(DigitSet digits) {
    return QStringLiteral("%1 или %2").arg(DigitOf(LowestDigit(digits))).arg(DigitOf(static_cast<DigitSet>(digits & (digits - 1))));
}

bool Many(DigitSet digits) { return DigitCount[digits] > 1; }

// "кандидат 5", "кандидаты 4 и 7".
QString Candidates(DigitSet digits) {
    return (Many(digits) ? QStringLiteral("кандидаты ") : QStringLiteral("кандидат ")) + Digits(digits);
}

// Cells in reading order, those of one row or one column named together:
// "(строка 3, столбцы 2 и 6)".
QString Cells(std::vector<std::int32_t> cells) {
    std::sort(cells.begin(), cells.end(), [](std::int32_t a, std::int32_t b) {
        return RowOf(a) != RowOf(b) ? RowOf(a) < RowOf(b) : ColumnOf(a) < ColumnOf(b);
    });
    if (cells.size() == 1) return Cell(cells.front());
    const bool oneRow = std::all_of(cells.begin(), cells.end(), [&](std::int32_t c) { return RowOf(c) == RowOf(cells[0]); });
    const bool oneColumn = std::all_of(cells.begin(), cells.end(), [&](std::int32_t c) { return ColumnOf(c) == ColumnOf(cells[0]); });
    QStringList items;
    for (const std::int32_t cell : cells) {
        items << QString::number(oneRow ? ColumnOf(cell) + 1 : RowOf(cell) + 1);
        if (!oneRow && !oneColumn) items.last() = Cell(cell);
    }
    if (oneRow) return QStringLiteral("(строка %1, столбцы %2)").arg(RowOf(cells[0]) + 1).arg(Join(items));
    if (oneColumn) return QStringLiteral("(строки %1, столбец %2)").arg(Join(items)).arg(ColumnOf(cells[0]) + 1);
    return Join(items);
}

QString FromCells(const std::vector<std::int32_t>& cells) {
    return (cells.size() == 1 ? QStringLiteral("из клетки ") : QStringLiteral("из клеток ")) + Cells(cells);
}

QString Unit(std::int32_t unit, Case form) {
    const auto at = static_cast<std::size_t>(form);
    if (unit < 18) {
        static const std::array<QString, 3> Columns{QStringLiteral("столбец"), QStringLiteral("столбца"), QStringLiteral("столбце")};
        static const std::array<QString, 3> Rows{QStringLiteral("строка"), QStringLiteral("строки"), QStringLiteral("строке")};
        return (unit < 9 ? Columns[at] : Rows[at]) + QLatin1Char(' ') + QString::number(unit % 9 + 1);
    }
    // Blocks by their place, row by row: unit 18 + stack * 3 + band.
    static const std::array<std::array<QString, 3>, 9> Blocks{{
        {QStringLiteral("верхний левый блок"), QStringLiteral("верхнего левого блока"), QStringLiteral("верхнем левом блоке")},
        {QStringLiteral("верхний средний блок"), QStringLiteral("верхнего среднего блока"), QStringLiteral("верхнем среднем блоке")},
        {QStringLiteral("верхний правый блок"), QStringLiteral("верхнего правого блока"), QStringLiteral("верхнем правом блоке")},
        {QStringLiteral("средний левый блок"), QStringLiteral("среднего левого блока"), QStringLiteral("среднем левом блоке")},
        {QStringLiteral("центральный блок"), QStringLiteral("центрального блока"), QStringLiteral("центральном блоке")},
        {QStringLiteral("средний правый блок"), QStringLiteral("среднего правого блока"), QStringLiteral("среднем правом блоке")},
        {QStringLiteral("нижний левый блок"), QStringLiteral("нижнего левого блока"), QStringLiteral("нижнем левом блоке")},
        {QStringLiteral("нижний средний блок"), QStringLiteral("нижнего среднего блока"), QStringLiteral("нижнем среднем блоке")},
        {QStringLiteral("нижний правый блок"), QStringLiteral("нижнего правого блока"), QStringLiteral("нижнем правом блоке")},
    }};
    const std::int32_t block = unit - 18;
    return Blocks[static_cast<std::size_t>(block % 3 * 3 + block / 3)][at];
}

// Rows or columns together: "строках 2 и 6", "столбцов 3 и 8".
QString Lines(const std::vector<std::int32_t>& units, Case form) {
    static const std::array<QString, 3> Columns{QStringLiteral("столбцы"), QStringLiteral("столбцов"), QStringLiteral("столбцах")};
    static const std::array<QString, 3> Rows{QStringLiteral("строки"), QStringLiteral("строк"), QStringLiteral("строках")};
    QStringList numbers;
    for (const std::int32_t unit : units) numbers << QString::number(unit % 9 + 1);
    const auto at = static_cast<std::size_t>(form);
    return (units.front() < 9 ? Columns[at] : Rows[at]) + QLatin1Char(' ') + Join(numbers);
}

// What else a unit's cell needs to rule a digit out: a row's cells their column or block.
QString OtherUnits(std::int32_t unit) {
    if (unit < 9) return QStringLiteral("строке или блоке");
    if (unit < 18) return QStringLiteral("столбце или блоке");
    return QStringLiteral("строке или столбце");
}

QString Word(std::size_t count) {
    static const std::array<QString, 5> Words{QString(), QString(), QStringLiteral("две"), QStringLiteral("три"),
                                             QStringLiteral("четыре")};
    return Words[std::min<std::size_t>(count, 4)];
}

// "кандидат 5 исключается из клеток …", or for several sets "исключаются кандидаты 4 и 7
// из клетки … и кандидат 5 из клеток …".
QString Removals(const std::vector<SudokuRemoval>& removals) {
    std::vector<std::pair<DigitSet, std::vector<std::int32_t>>> groups;
    for (const SudokuRemoval& removal : removals) {
        const auto same = std::find_if(groups.begin(), groups.end(), [&](const auto& group) { return group.first == removal.Digits; });
        if (same == groups.end()) {
            groups.push_back({removal.Digits, {removal.Cell}});
        } else {
            same->second.push_back(removal.Cell);
        }
    }
    if (groups.size() == 1) {
        const auto& [digits, cells] = groups.front();
        return Candidates(digits) + (Many(digits) ? QStringLiteral(" исключаются ") : QStringLiteral(" исключается ")) +
               FromCells(cells);
    }
    QStringList parts;
    for (const auto& [digits, cells] : groups) parts << Candidates(digits) + QLatin1Char(' ') + FromCells(cells);
    return QStringLiteral("исключаются ") + Join(parts);
}

// "кандидат 8 исключается из клеток …, которые видят обе".
QString RemovedWhereSeen(const SudokuStep& step, const QString& seen) {
    std::vector<std::int32_t> cells;
    DigitSet digits = 0;
    for (const SudokuRemoval& removal : step.Removals) {
        cells.push_back(removal.Cell);
        digits |= removal.Digits;
    }
    return Candidates(digits) + QStringLiteral(" исключается ") + FromCells(cells) +
           (cells.size() == 1 ? QStringLiteral(", которая видит ") : QStringLiteral(", которые видят ")) + seen;
}

DigitSet RemovedDigits(const SudokuStep& step) {
    DigitSet digits = 0;
    for (const SudokuRemoval& removal : step.Removals) digits |= removal.Digits;
    return digits;
}

QString Links(std::size_t count) {
    return QString::number(count) + (count % 10 == 1 && count % 100 != 11 ? QStringLiteral(" звена") : QStringLiteral(" звеньев"));
}

QString Singles(const SudokuStep& step) {
    if (step.Technique == SudokuTechnique::NakedSingle) {
        return QStringLiteral("в клетке %1 может стоять только цифра %2").arg(Cell(step.Cell)).arg(step.Digit);
    }
    return QStringLiteral("в %1 цифра %2 может стоять только в клетке %3")
        .arg(Unit(step.Units[0], Case::Prepositional))
        .arg(step.Digit)
        .arg(Cell(step.Cell));
}

QString Locked(const SudokuStep& step) {
    const std::int32_t within = step.Units[0];
    const std::int32_t from = step.Units[1];
    const QString digit = Digits(step.Digits);
    const QString where = within >= 18 ? QStringLiteral("этом блоке")
                          : within < 9 ? QStringLiteral("этом столбце")
                                       : QStringLiteral("этой строке");
    return QStringLiteral("в %1 цифра %2 может стоять только в %3, значит, в %4 она стоит в %5, и %6")
        .arg(Unit(within, Case::Prepositional), digit, Unit(from, Case::Prepositional), Unit(from, Case::Prepositional),
             where, Removals(step.Removals));
}

QString Fish(const SudokuStep& step) {
    const auto half = static_cast<std::ptrdiff_t>(step.Units.size() / 2);
    const std::vector<std::int32_t> bases(step.Units.begin(), step.Units.begin() + half);
    const std::vector<std::int32_t> covers(step.Units.begin() + half, step.Units.end());
    return QStringLiteral("в %1 цифра %2 может стоять только в %3, значит, в %3 она стоит только в %1, и %4")
        .arg(Lines(bases, Case::Prepositional), Digits(step.Digits), Lines(covers, Case::Prepositional), Removals(step.Removals));
}

QString Wing(const SudokuStep& step) {
    const auto removed = RemovedDigits(step);
    const auto pivot = static_cast<DigitSet>(step.Digits & ~removed);
    const bool xyz = step.Technique == SudokuTechnique::XYZWing;
    const QString start = QStringLiteral("в клетке %1 — %2, а клетки %3 и %4, которые она видит, содержат кандидат %5 и по одному из кандидатов %6; ")
                              .arg(Cell(step.Cells[0]), Candidates(xyz ? step.Digits : pivot), Cell(step.Cells[1]),
                                   Cell(step.Cells[2]), Digits(removed), Digits(pivot));
    if (xyz) {
        return start + QStringLiteral("%1 окажется в одной из трёх клеток, поэтому %2")
                           .arg(Digits(removed), RemovedWhereSeen(step, QStringLiteral("все три")));
    }
    return start + QStringLiteral("какая бы цифра ни встала в первую клетку, %1 окажется в одной из двух других, поэтому %2")
                       .arg(Digits(removed), RemovedWhereSeen(step, QStringLiteral("обе")));
}

QString Rectangle(const SudokuStep& step) {
    const QString pair = Digits(step.Digits);
    const QString swap = QStringLiteral("четыре клетки могли бы обменяться цифрами %1 и у головоломки было бы два решения").arg(pair);
    const std::vector<std::int32_t> corners = step.Cells;
    const bool inside = std::any_of(corners.begin(), corners.end(), [&](std::int32_t cell) { return cell == step.Removals[0].Cell; });
    if (inside && step.Units.empty()) {
        const std::vector<std::int32_t> floor(corners.begin(), corners.begin() + 3);
        return QStringLiteral("в клетках %1 остались только кандидаты %2; если бы и в клетке %3 стояла %4, %5, поэтому %6")
            .arg(Cells(floor), pair, Cell(corners[3]), EitherDigit(step.Digits), swap, Removals(step.Removals));
    }
    const std::vector<std::int32_t> floor(corners.begin(), corners.begin() + 2);
    const std::vector<std::int32_t> roof(corners.begin() + 2, corners.end());
    const QString start = QStringLiteral("в клетках %1 остались только кандидаты %2, ").arg(Cells(floor), pair);
    if (!inside) {
        const QString extra = Digits(RemovedDigits(step));
        return start + QStringLiteral("а в клетках %1 — они и %2; если бы %2 не стояла ни в одной из двух последних, %3, значит, %2 стоит в одной из них, и %4")
                           .arg(Cells(roof), extra, swap, RemovedWhereSeen(step, QStringLiteral("обе")));
    }
    const auto other = RemovedDigits(step);
    return start + QStringLiteral("а в %1 цифра %2 может стоять только в клетках %3; если бы в одной из них стояла %4, %5, поэтому %6")
                       .arg(Unit(step.Units[0], Case::Prepositional), Digits(static_cast<DigitSet>(step.Digits & ~other)),
                            Cells(roof), Digits(other), swap, Removals(step.Removals));
}

QString Colouring(const SudokuStep& step) {
    std::array<std::vector<std::int32_t>, 2> groups;  // holding, then the other
    for (const SudokuChainNode& node : step.Chain) groups[node.Holds ? 0 : 1].push_back(node.Cell);
    const QString digit = Digits(step.Digits);
    const QString start = QStringLiteral("клетки, связанные парами единственных мест цифры %1 в строках, столбцах и блоках, делятся на две группы, и %1 стоит либо во всех клетках %2, либо во всех клетках %3; ")
                              .arg(digit, Cells(groups[0]), Cells(groups[1]));
    std::vector<std::int32_t> removed;
    for (const SudokuRemoval& removal : step.Removals) removed.push_back(removal.Cell);
    const bool wrap = std::is_permutation(removed.begin(), removed.end(), groups[1].begin(), groups[1].end());
    if (wrap) {
        return start + QStringLiteral("две клетки второй группы видят друг друга, значит, в ней %1 не стоит, и %2")
                           .arg(digit, Removals(step.Removals));
    }
    return start + RemovedWhereSeen(step, QStringLiteral("клетки обеих групп"));
}

QString Chain(const SudokuStep& step) {
    const SudokuChainNode& first = step.Chain.front();
    const SudokuChainNode& last = step.Chain.back();
    const std::size_t links = step.Chain.size() - 1;
    const QString conclusion = QStringLiteral("если в клетке %1 не стоит %2, то в клетке %3 стоит %4, ")
                                   .arg(Cell(first.Cell)).arg(first.Digit).arg(Cell(last.Cell)).arg(last.Digit);
    QString start;
    if (step.Technique == SudokuTechnique::XChain) {
        start = QStringLiteral("клетки %1 и %2 связаны цепочкой по цифре %3 из %4: ")
                    .arg(Cell(first.Cell), Cell(last.Cell), QString::number(first.Digit), Links(links));
    } else if (step.Technique == SudokuTechnique::XYChain) {
        start = QStringLiteral("клетки %1 и %2 связаны цепочкой из %3 клеток с двумя кандидатами: ")
                    .arg(Cell(first.Cell), Cell(last.Cell), QString::number(step.Cells.size()));
    } else if (first.Cell == last.Cell) {
        start = QStringLiteral("кандидаты %1 и %2 клетки %3 связаны цепочкой из %4: ")
                    .arg(first.Digit).arg(last.Digit).arg(Cell(first.Cell)).arg(Links(links));
        return start + QStringLiteral("если в ней не стоит %1, то стоит %2, поэтому %3")
                           .arg(first.Digit).arg(last.Digit).arg(Removals(step.Removals));
    } else {
        start = QStringLiteral("кандидат %1 клетки %2 и кандидат %3 клетки %4 связаны цепочкой из %5: ")
                    .arg(first.Digit).arg(Cell(first.Cell)).arg(last.Digit).arg(Cell(last.Cell)).arg(Links(links));
    }
    if (first.Digit == last.Digit) {
        return start + conclusion + QStringLiteral("значит, %1 стоит хотя бы в одной из них, и %2")
                                        .arg(QString::number(first.Digit), RemovedWhereSeen(step, QStringLiteral("обе")));
    }
    // Two digits in two cells that see each other: each cell loses the other's digit.
    return start + conclusion + QStringLiteral("значит, верно одно из двух, и ") + Removals(step.Removals);
}

QString Reasoning(const SudokuStep& step) {
    switch (step.Technique) {
        case SudokuTechnique::NakedSingle:
        case SudokuTechnique::HiddenSingle:
            return Singles(step);
        case SudokuTechnique::LockedCandidates:
            return Locked(step);
        case SudokuTechnique::NakedPair:
        case SudokuTechnique::NakedTriple:
        case SudokuTechnique::NakedQuad:
            return QStringLiteral("клетки %1 содержат только %2 — в %3 эти %4 цифры займут эти %4 клетки, поэтому %5")
                .arg(Cells(step.Cells), Candidates(step.Digits), Unit(step.Units[0], Case::Prepositional),
                     Word(step.Cells.size()), Removals(step.Removals));
        case SudokuTechnique::HiddenPair:
        case SudokuTechnique::HiddenTriple:
        case SudokuTechnique::HiddenQuad:
            return QStringLiteral("в %1 цифры %2 могут стоять только в клетках %3 — эти %4 клетки заняты ими, поэтому %5")
                .arg(Unit(step.Units[0], Case::Prepositional), Digits(step.Digits), Cells(step.Cells),
                     Word(step.Cells.size()), Removals(step.Removals));
        case SudokuTechnique::XWing:
        case SudokuTechnique::Swordfish:
        case SudokuTechnique::Jellyfish:
            return Fish(step);
        case SudokuTechnique::XYWing:
        case SudokuTechnique::XYZWing:
            return Wing(step);
        case SudokuTechnique::UniqueRectangle:
            return Rectangle(step);
        case SudokuTechnique::BugPlusOne:
            return QStringLiteral("во всех пустых клетках, кроме клетки %1, осталось по два кандидата; без цифры %2 в этой клетке так было бы везде, а такая расстановка не даёт единственного решения, поэтому в клетке %1 стоит %2")
                .arg(Cell(step.Cell)).arg(step.Digit);
        case SudokuTechnique::SimpleColouring:
            return Colouring(step);
        case SudokuTechnique::XChain:
        case SudokuTechnique::XYChain:
        case SudokuTechnique::AlternatingChain:
            return Chain(step);
    }
    return {};
}

// The placement of a hint that needed no other step, with why the other digits or cells
// are ruled out: the digits on the board do it.
QString PlacementAlone(const SudokuStep& step) {
    if (step.Technique == SudokuTechnique::NakedSingle) {
        return StepText(step).chopped(1) + QStringLiteral(" — остальные цифры уже есть в её строке, столбце или блоке.");
    }
    if (step.Technique == SudokuTechnique::HiddenSingle) {
        return StepText(step).chopped(1) + QStringLiteral(" — у остальных клеток %1 цифра %2 уже есть в %3.")
                                               .arg(Unit(step.Units[0], Case::Genitive))
                                               .arg(step.Digit)
                                               .arg(OtherUnits(step.Units[0]));
    }
    return StepText(step);
}

QString PlacementAfter(const SudokuStep& step) {
    const QString start = QStringLiteral("После этого срабатывает «") + TechniqueName(step.Technique) + QStringLiteral("»: ");
    if (step.Technique == SudokuTechnique::NakedSingle) {
        return start + QStringLiteral("в клетке %1 остаётся один кандидат — %2.").arg(Cell(step.Cell)).arg(step.Digit);
    }
    return start + Reasoning(step) + QLatin1Char('.');
}

}  // namespace

QString TechniqueName(SudokuTechnique technique) {
    switch (technique) {
        case SudokuTechnique::NakedSingle: return QStringLiteral("Открытая одиночка");
        case SudokuTechnique::HiddenSingle: return QStringLiteral("Скрытая одиночка");
        case SudokuTechnique::LockedCandidates: return QStringLiteral("Запертые кандидаты");
        case SudokuTechnique::NakedPair: return QStringLiteral("Открытая пара");
        case SudokuTechnique::HiddenPair: return QStringLiteral("Скрытая пара");
        case SudokuTechnique::NakedTriple: return QStringLiteral("Открытая тройка");
        case SudokuTechnique::HiddenTriple: return QStringLiteral("Скрытая тройка");
        case SudokuTechnique::XWing: return QStringLiteral("X-крыло");
        case SudokuTechnique::Swordfish: return QStringLiteral("Рыба-меч");
        case SudokuTechnique::XYWing: return QStringLiteral("XY-крыло");
        case SudokuTechnique::XYZWing: return QStringLiteral("XYZ-крыло");
        case SudokuTechnique::NakedQuad: return QStringLiteral("Открытая четвёрка");
        case SudokuTechnique::HiddenQuad: return QStringLiteral("Скрытая четвёрка");
        case SudokuTechnique::Jellyfish: return QStringLiteral("Медуза");
        case SudokuTechnique::UniqueRectangle: return QStringLiteral("Уникальный прямоугольник");
        case SudokuTechnique::BugPlusOne: return QStringLiteral("Лишний кандидат");
        case SudokuTechnique::SimpleColouring: return QStringLiteral("Простая раскраска");
        case SudokuTechnique::XChain: return QStringLiteral("X-цепочка");
        case SudokuTechnique::XYChain: return QStringLiteral("XY-цепочка");
        case SudokuTechnique::AlternatingChain: return QStringLiteral("Чередующаяся цепочка");
    }
    return {};
}

QString StepText(const SudokuStep& step) {
    return TechniqueName(step.Technique) + QStringLiteral(": ") + Reasoning(step) + QLatin1Char('.');
}

QString HintText(const SudokuHint& hint) {
    const std::int32_t cell = CellAt(hint.Column, hint.Row);
    switch (hint.What) {
        case SudokuHint::Kind::Mistake:
            return QStringLiteral("Здесь ошибка: в клетке %1 не может стоять %2.").arg(Cell(cell)).arg(hint.Digit);
        case SudokuHint::Kind::NoStep:
            return QStringLiteral("Ни один приём не находит следующего шага. Можно вписать цифру из решения: %1 в клетку %2.")
                .arg(hint.Digit)
                .arg(Cell(cell));
        case SudokuHint::Kind::Solved:
            return QStringLiteral("Все клетки уже заполнены.");
        case SudokuHint::Kind::Step:
            break;
    }
    const SudokuStep& placement = hint.Steps.back();
    const std::size_t removing = hint.Steps.size() - 1;
    if (removing == 0) return PlacementAlone(placement);
    if (removing == 1) return StepText(hint.Steps.front()) + QLatin1Char(' ') + PlacementAfter(placement);
    QStringList names;
    for (std::size_t at = 0; at < removing; ++at) {
        const QString name = QStringLiteral("«") + TechniqueName(hint.Steps[at].Technique) + QStringLiteral("»");
        if (!names.contains(name)) names << name;
    }
    const SudokuStep& last = hint.Steps[removing - 1];
    return QStringLiteral("Сначала нужно несколько шагов (") +
           (names.size() == 1 ? QStringLiteral("приём ") : QStringLiteral("приёмы ")) + Join(names) +
           QStringLiteral("); последний из них — «") + TechniqueName(last.Technique) + QStringLiteral("»: ") +
           Reasoning(last) + QStringLiteral(". ") + PlacementAfter(placement);
}

}  // namespace vum
