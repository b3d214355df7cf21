// The Russian sentences of a hint, without a window: each technique's sentence names the cells
// of its pattern and the digits it removes or places, and nothing else; a hint is one or two
// sentences; one term for each thing.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <set>

#include "SudokuTechniqueExamples.h"
#include "common/WRandom.h"
#include "sudoku/SudokuHintText.h"
#include "sudoku/engine/SudokuCells.h"
#include "sudoku/engine/SudokuHint.h"
#include "sudoku/engine/SudokuSolverBoard.h"

using namespace vum;
using sudoku_cells::CellAt;
using sudoku_cells::ColumnOf;
using sudoku_cells::RowOf;

namespace {

// The cells a sentence names, as a reader takes them: "(строка 3, столбец 5)", and
// "(строка 1, столбцы 2 и 7)" or "(строки 4 и 6, столбец 9)" for several in one line.
std::set<std::int32_t> CellsNamed(const QString& text) {
    std::set<std::int32_t> cells;
    static const QRegularExpression named(QStringLiteral("\\((строк[аи]) ([0-9, и]+), (столб(?:ец|цы)) ([0-9, и]+)\\)"));
    static const QRegularExpression number(QStringLiteral("[1-9]"));
    for (auto match = named.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch cell = match.next();
        std::vector<std::int32_t> rows, columns;
        for (auto digit = number.globalMatch(cell.captured(2)); digit.hasNext();) rows.push_back(digit.next().captured().toInt());
        for (auto digit = number.globalMatch(cell.captured(4)); digit.hasNext();) columns.push_back(digit.next().captured().toInt());
        for (const std::int32_t row : rows) {
            for (const std::int32_t column : columns) cells.insert(CellAt(column - 1, row - 1));
        }
    }
    return cells;
}

// The text without its cell names, so that the digits left are digits of the reasoning.
QString WithoutCells(QString text) {
    static const QRegularExpression named(QStringLiteral("\\(строк[аи] [^)]*\\)"));
    return text.remove(named);
}

std::set<std::int32_t> CellsOf(const SudokuStep& step) {
    std::set<std::int32_t> cells(step.Cells.begin(), step.Cells.end());
    for (const SudokuRemoval& removal : step.Removals) cells.insert(removal.Cell);
    if (step.Places()) cells.insert(step.Cell);
    return cells;
}

// One term for each thing: none of the other words for a cell, a block, a column or a row.
void ExpectOwnTerms(const QString& text) {
    for (const char* other : {"ячейк", "квадрат", "колонк", "ряд", "клеточк", "регион", "сектор", "число"}) {
        EXPECT_FALSE(text.contains(QString::fromUtf8(other), Qt::CaseInsensitive)) << other << ": " << text.toStdString();
    }
}

SudokuStep FirstStepOf(const examples::TechniqueExample& example) {
    const SudokuCandidates position = examples::PositionOf(example.Position);
    return *solver::FindWith(solver::Board(position), example.Technique);
}

}  // namespace

TEST(SudokuHintText, EachTechniquesSentenceNamesItsCellsAndDigits) {
    for (const examples::TechniqueExample& example : examples::Examples()) {
        SCOPED_TRACE(example.Source);
        const SudokuStep step = FirstStepOf(example);
        const QString text = StepText(step);
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(text.startsWith(TechniqueName(step.Technique) + QStringLiteral(": ")));
        EXPECT_TRUE(text.endsWith(QLatin1Char('.')));
        // No wrong cell; every cell that changes; the pattern's cells where the technique is
        // told by its cells rather than by its units, a chain by its ends.
        const std::set<std::int32_t> named = CellsNamed(text);
        const std::set<std::int32_t> all = CellsOf(step);
        EXPECT_TRUE(std::includes(all.begin(), all.end(), named.begin(), named.end()));
        std::set<std::int32_t> told;
        for (const SudokuRemoval& removal : step.Removals) told.insert(removal.Cell);
        if (step.Places()) told.insert(step.Cell);
        switch (step.Technique) {
            case SudokuTechnique::NakedSingle:
            case SudokuTechnique::HiddenSingle:
            case SudokuTechnique::LockedCandidates:
            case SudokuTechnique::XWing:
            case SudokuTechnique::Swordfish:
            case SudokuTechnique::Jellyfish:
                break;
            case SudokuTechnique::XChain:
            case SudokuTechnique::XYChain:
            case SudokuTechnique::AlternatingChain:
                told.insert(step.Chain.front().Cell);
                told.insert(step.Chain.back().Cell);
                break;
            default:
                told.insert(step.Cells.begin(), step.Cells.end());
        }
        EXPECT_TRUE(std::includes(named.begin(), named.end(), told.begin(), told.end()));
        const QString reasoning = WithoutCells(text);
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            bool used = step.Digit == digit;
            for (const SudokuRemoval& removal : step.Removals) used = used || (removal.Digits & sudoku_cells::DigitBit(digit)) != 0;
            if (!used) continue;
            EXPECT_TRUE(reasoning.contains(QString::number(digit))) << "digit " << digit;
        }
        ExpectOwnTerms(text);
    }
}

// Some sentences word for word, each checked against its grid.
TEST(SudokuHintText, SentencesSayWhatTheGuidesShow) {
    const auto text = [](std::size_t example) { return StepText(FirstStepOf(examples::Examples()[example])); };
    EXPECT_EQ(text(0), QStringLiteral("Открытая одиночка: в клетке (строка 3, столбец 4) может стоять только цифра 2."));
    // SudokuWiki: the only 3s of box 3 are in row 2, so box 1 loses the 3s of row 2.
    EXPECT_EQ(text(2), QStringLiteral("Запертые кандидаты: в верхнем правом блоке цифра 3 может стоять только в строке 2, "
                                      "значит, в строке 2 она стоит в этом блоке, и кандидат 3 исключается из клеток "
                                      "(строка 2, столбцы 1, 2 и 3)."));
    // SudokuWiki: 6 and 7 have only r1c8 and r1c9, in row 1 and in block 3 alike.
    EXPECT_EQ(text(5), QStringLiteral("Скрытая пара: в верхнем правом блоке цифры 6 и 7 могут стоять только в клетках "
                                      "(строка 1, столбцы 8 и 9) — эти две клетки заняты ими, поэтому исключаются "
                                      "кандидаты 2, 3, 4, 5 и 9 из клетки (строка 1, столбец 8) и кандидаты 3, 4, 5 и 9 из "
                                      "клетки (строка 1, столбец 9)."));
    // HoDoKu: the pivot r1c3 {5, 7} with the pincers r2c1 {2, 7} and r1c6 {2, 5} takes the 2 out of r2c6.
    EXPECT_EQ(text(10), QStringLiteral("XY-крыло: в клетке (строка 1, столбец 3) — кандидаты 5 и 7, а клетки (строка 2, "
                                       "столбец 1) и (строка 1, столбец 6), которые она видит, содержат кандидат 2 и по "
                                       "одному из кандидатов 5 и 7; какая бы цифра ни встала в первую клетку, 2 окажется "
                                       "в одной из двух других, поэтому кандидат 2 исключается из клетки (строка 2, "
                                       "столбец 6), которая видит обе."));
    // The floor r1c1, r1c2 {7, 9}; row 8 has its 7 only in the roof r8c1, r8c2.
    EXPECT_EQ(text(16), QStringLiteral("Уникальный прямоугольник: в клетках (строка 1, столбцы 1 и 2) остались только "
                                       "кандидаты 7 и 9, а в строке 8 цифра 7 может стоять только в клетках (строка 8, "
                                       "столбцы 1 и 2); если бы в одной из них стояла 9, четыре клетки могли бы "
                                       "обменяться цифрами 7 и 9 и у головоломки было бы два решения, поэтому кандидат 9 "
                                       "исключается из клеток (строка 8, столбцы 1 и 2)."));
    EXPECT_EQ(text(19), QStringLiteral("Лишний кандидат: во всех пустых клетках, кроме клетки (строка 4, столбец 8), "
                                       "осталось по два кандидата; без цифры 2 в этой клетке так было бы везде, а такая "
                                       "расстановка не даёт единственного решения, поэтому в клетке (строка 4, столбец 8) "
                                       "стоит 2."));
    // SudokuWiki, simple colouring rule 4: r5c3 sees both colours of the 5s.
    EXPECT_EQ(text(21), QStringLiteral("Простая раскраска: клетки, связанные парами единственных мест цифры 5 в строках, "
                                       "столбцах и блоках, делятся на две группы, и 5 стоит либо во всех клетках (строка 1, "
                                       "столбец 2), (строка 7, столбец 3) и (строка 9, столбец 9), либо во всех клетках "
                                       "(строка 5, столбец 9), (строка 7, столбец 7) и (строка 9, столбец 2); кандидат 5 "
                                       "исключается из клетки (строка 5, столбец 3), которая видит клетки обеих групп."));
}

// Blocks go by their place on the board: 1s in rows 4 and 6 and columns 4 and 6 leave the
// central block only its middle cell.
TEST(SudokuHintText, BlocksAreNamedByTheirPlace) {
    SudokuGrid board;
    ClearGrid(board);
    board[0][3] = board[8][5] = board[3][0] = board[5][8] = 1;  // r4c1, r6c9, r1c4, r9c6
    const SudokuCandidates position(board);
    const std::optional<SudokuStep> single = solver::FindWith(solver::Board(position), SudokuTechnique::HiddenSingle);
    ASSERT_TRUE(single.has_value());
    EXPECT_EQ(StepText(*single),
              QStringLiteral("Скрытая одиночка: в центральном блоке цифра 1 может стоять только в клетке (строка 5, столбец 5)."));
    SudokuHint hint;
    hint.What = SudokuHint::Kind::Step;
    hint.Column = hint.Row = 4;
    hint.Digit = 1;
    hint.Steps = {*single};
    EXPECT_EQ(HintText(hint), QStringLiteral("Скрытая одиночка: в центральном блоке цифра 1 может стоять только в клетке "
                                             "(строка 5, столбец 5) — у остальных клеток центрального блока цифра 1 уже "
                                             "есть в строке или столбце."));
}

TEST(SudokuHintText, AMistakeAndAMissingStepAreSaidPlainly) {
    SudokuHint mistake;
    mistake.What = SudokuHint::Kind::Mistake;
    mistake.Column = 4;
    mistake.Row = 2;
    mistake.Digit = 7;
    EXPECT_EQ(HintText(mistake), QStringLiteral("Здесь ошибка: в клетке (строка 3, столбец 5) не может стоять 7."));
    SudokuHint none = mistake;
    none.What = SudokuHint::Kind::NoStep;
    none.Digit = 4;
    EXPECT_EQ(HintText(none), QStringLiteral("Ни один приём не находит следующего шага. Можно вписать цифру из решения: "
                                             "4 в клетку (строка 3, столбец 5)."));
}

// Over the hints of hard puzzles: one or two sentences, the technique of every step named, the
// digit and its cell named last.
TEST(SudokuHintText, AHintIsOneOrTwoSentencesThatEndInItsDigit) {
    WRandom random(21);
    std::set<std::size_t> shapes;
    for (std::int32_t made = 0; made < 12; ++made) {
        SudokuGrid solution;
        SudokuMask givens;
        ClearGrid(solution);
        GeneratePuzzle(solution, givens, GivenCountFor(2, InitialGivenCount), 2, random);
        SudokuGrid board = solution;
        for (std::int32_t cell = 0; cell < 81; ++cell) {
            if (givens[ColumnOf(cell)][RowOf(cell)] == 0) board[ColumnOf(cell)][RowOf(cell)] = -1;
        }
        for (SudokuHint hint = FindHint(solution, givens, board); hint.What == SudokuHint::Kind::Step;
             hint = FindHint(solution, givens, board)) {
            const QString text = HintText(hint);
            SCOPED_TRACE(text.toStdString());
            EXPECT_LE(text.count(QStringLiteral(". ")) + 1, 2);
            EXPECT_TRUE(text.endsWith(QLatin1Char('.')));
            for (const SudokuStep& step : hint.Steps) EXPECT_TRUE(text.contains(TechniqueName(step.Technique)));
            const QString last = text.mid(text.lastIndexOf(QStringLiteral(". ")) + 1);
            EXPECT_TRUE(CellsNamed(last).contains(CellAt(hint.Column, hint.Row)));
            EXPECT_TRUE(WithoutCells(last).contains(QString::number(hint.Digit)));
            if (hint.Steps.size() == 2) {
                EXPECT_TRUE(text.contains(QStringLiteral(". После этого срабатывает «")));
            } else if (hint.Steps.size() > 2) {
                EXPECT_TRUE(text.startsWith(QStringLiteral("Сначала нужно несколько шагов (")));
            }
            ExpectOwnTerms(text);
            shapes.insert(std::min<std::size_t>(hint.Steps.size(), 3));
            board[hint.Column][hint.Row] = hint.Digit;
        }
    }
    EXPECT_EQ(shapes, (std::set<std::size_t>{1, 2, 3})) << "a shape of hint never came up";
}

TEST(SudokuHintText, EveryTechniqueHasANameOfItsOwn) {
    std::set<QString> names;
    for (std::int32_t technique = 0; technique < SudokuTechniqueCount; ++technique) {
        const QString name = TechniqueName(static_cast<SudokuTechnique>(technique));
        EXPECT_FALSE(name.isEmpty());
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(SudokuTechniqueCount));
}
