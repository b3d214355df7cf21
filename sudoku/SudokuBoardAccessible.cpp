#include "sudoku/SudokuBoardAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <array>

#include "gui/AccessibleItem.h"
#include "sudoku/SudokuBoardGrid.h"

namespace vum {

namespace {

constexpr int Columns = SudokuBoardGrid::ColCount;
constexpr int Rows = SudokuBoardGrid::RowCount;
constexpr int Cells = Columns * Rows;

class BoardInterface;

// A cell, child number row * 9 + column of its board.
class CellInterface : public AccessibleItem, public QAccessibleTableCellInterface {
public:
    CellInterface(BoardInterface* board, int column, int row);

    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    BoardInterface* board_;
    const int column_;
    const int row_;
};

class BoardInterface : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardInterface(SudokuBoardGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

    ~BoardInterface() override {
        for (const QAccessible::Id id : cellIds_)
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }

    SudokuBoardGrid* Grid() const { return static_cast<SudokuBoardGrid*>(widget()); }

    SudokuBoardGrid::CellAccess Access(int column, int row) const {
        return Grid()->OnCellAccess ? Grid()->OnCellAccess(column, row) : SudokuBoardGrid::CellAccess{};
    }

    bool IsCurrent(int column, int row) const { return Grid()->Col() == column && Grid()->Row() == row; }

    QAccessibleInterface* Cell(int column, int row) const {
        if (column < 0 || column >= Columns || row < 0 || row >= Rows) return nullptr;
        QAccessible::Id& id = cellIds_[static_cast<std::size_t>(row * Columns + column)];
        if (id == 0) id = QAccessible::registerAccessibleInterface(new CellInterface(const_cast<BoardInterface*>(this), column, row));
        return QAccessible::accessibleInterface(id);
    }

    // The cell's name, when it differs from the one screen readers were last told.
    bool NameChanged(int column, int row) {
        QString& told = toldNames_[static_cast<std::size_t>(row * Columns + column)];
        const QString name = Access(column, row).Name;
        if (name == told) return false;
        told = name;
        return true;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return Cells; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < Cells ? Cell(index % Columns, index / Columns) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < cellIds_.size(); ++i)
            if (cellIds_[i] != 0 && QAccessible::accessibleInterface(cellIds_[i]) == child) return static_cast<int>(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = Grid()->mapFromGlobal(QPoint(x, y));
        int column = 0, row = 0;
        return Grid()->MouseToCell(at.x(), at.y(), column, row) ? Cell(column, row) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return Grid()->hasFocus() ? Cell(Grid()->Col(), Grid()->Row()) : nullptr;
    }

    // The table: 9 x 9 cells, no headers, the current cell the one selected.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override { return Cell(column, row); }
    int selectedCellCount() const override { return 1; }
    QList<QAccessibleInterface*> selectedCells() const override { return {Cell(Grid()->Col(), Grid()->Row())}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Columns; }
    int rowCount() const override { return Rows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::array<QAccessible::Id, Cells> cellIds_{};
    std::array<QString, Cells> toldNames_;
};

CellInterface::CellInterface(BoardInterface* board, int column, int row)
    : AccessibleItem(board), board_(board), column_(column), row_(row) {}
QAccessibleInterface* CellInterface::table() const { return board_; }
bool CellInterface::isSelected() const { return isValid() && board_->IsCurrent(column_, row_); }

QString CellInterface::text(QAccessible::Text t) const {
    return t == QAccessible::Name && isValid() ? board_->Access(column_, row_).Name : QString();
}

QRect CellInterface::rect() const {
    return isValid() ? OnScreen(*board_->Grid(), board_->Grid()->CellRect(column_, row_)) : QRect();
}

QAccessible::State CellInterface::state() const {
    QAccessible::State state =
        SelectableState(board_->Grid(), [this] { return isSelected(); }, [this] { return board_->Grid()->hasFocus(); });
    if (!state.invalid) state.readOnly = board_->Access(column_, row_).ReadOnly;
    return state;
}

QAccessibleInterface* MakeBoardInterface(const QString&, QObject* object) {
    auto* grid = qobject_cast<SudokuBoardGrid*>(object);
    return grid != nullptr ? new BoardInterface(grid) : nullptr;
}

BoardInterface* BoardOf(SudokuBoardGrid& grid) {
    return QAccessible::isActive() ? dynamic_cast<BoardInterface*>(QAccessible::queryAccessibleInterface(&grid))
                                   : nullptr;
}

}  // namespace

void MakeAccessibleBoards() { QAccessible::installFactory(MakeBoardInterface); }  // Qt keeps one of each factory

void AccessibleCurrentCellFocused(SudokuBoardGrid& grid) {
    if (!grid.hasFocus()) return;
    BoardInterface* board = BoardOf(grid);
    if (board == nullptr) return;
    QAccessibleInterface* cell = board->Cell(grid.Col(), grid.Row());
    board->NameChanged(grid.Col(), grid.Row());  // the focus reads the name as it is now
    QAccessibleEvent focus(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void AccessibleCellChanged(SudokuBoardGrid& grid, int column, int row) {
    BoardInterface* board = BoardOf(grid);
    if (board == nullptr || !board->NameChanged(column, row)) return;
    QAccessibleEvent renamed(board->Cell(column, row), QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

}  // namespace vum
