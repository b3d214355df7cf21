#include "sudoku/SudokuBoardGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "gui/WinLook.h"
#include "sudoku/SudokuBoardAccessible.h"
#include "sudoku/SudokuLook.h"

using namespace vum;

namespace {

constexpr int Pitch = SudokuBoardGrid::DefaultColWidth + SudokuBoardGrid::GridLineWidth;

}  // namespace

SudokuBoardGrid::SudokuBoardGrid(QWidget* parent, const char* name, const QRect& geometry) : QWidget(parent) {
    PlaceComponent(this, name, geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
    MakeAccessibleBoards();
    MakeCanvas(1.0);
}

void SudokuBoardGrid::MakeCanvas(qreal pixelRatio) {
    canvas_ = QImage(size() * pixelRatio, QImage::Format_RGB32);
    canvas_.setDevicePixelRatio(pixelRatio);
    QPainter painter(&canvas_);
    // The lines show wherever no cell is drawn; the border is sunken by two edges.
    painter.fillRect(rect(), WinColour(sudoku_colours::GridLine));
    QRect border = rect();
    DrawEdge(painter, border, WinColour(system_colours::ButtonShadow), WinColour(system_colours::ButtonHighlight));
    DrawEdge(painter, border, WinColour(system_colours::DarkShadow), WinColour(system_colours::ButtonFace));
    for (auto& column : invalid_) column.fill(true);
}


void SudokuBoardGrid::SetCol(int column) { MoveCurrent(column, row_); }

void SudokuBoardGrid::SetRow(int row) { MoveCurrent(col_, row); }

void SudokuBoardGrid::MoveBy(int columns, int rows) { MoveCurrent(col_ + columns, row_ + rows); }

void SudokuBoardGrid::MoveCurrent(int column, int row) {
    if (column < 0 || column >= ColCount || row < 0 || row >= RowCount) return;
    bool canSelect = true;
    if (OnSelectCell) {
        const SelectCellHandler handler = OnSelectCell;
        handler(column, row, canSelect);
    }
    if (!canSelect) return;
    InvalidateCell(col_, row_);
    const bool moved = column != col_ || row != row_;
    col_ = column;
    row_ = row;
    InvalidateCell(col_, row_);
    if (moved) AccessibleCurrentCellFocused(*this);
}

QRect SudokuBoardGrid::CellRect(int column, int row) const {
    return {BorderWidth + column * Pitch, BorderWidth + row * Pitch, DefaultColWidth, DefaultRowHeight};
}

bool SudokuBoardGrid::MouseToCell(int x, int y, int& column, int& row) const {
    column = -1;
    row = -1;
    const int cx = x - BorderWidth;
    const int cy = y - BorderWidth;
    if (cx < 0 || cy < 0 || cx >= ColCount * Pitch || cy >= RowCount * Pitch) return false;
    column = cx / Pitch;
    row = cy / Pitch;
    return true;
}

void SudokuBoardGrid::InvalidateCell(int column, int row) {
    if (column < 0 || column >= ColCount || row < 0 || row >= RowCount) return;
    invalid_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = true;
    update(CellRect(column, row));
    AccessibleCellChanged(*this, column, row);
}

void SudokuBoardGrid::DrawInvalidCells() {
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            bool& invalid = invalid_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
            if (!invalid) continue;
            invalid = false;
            const QRect cell = CellRect(c, r);
            const bool selected = c == col_ && r == row_;
            if (OnDrawCell) {
                const DrawCellHandler handler = OnDrawCell;
                handler(*this, c, r, cell, selected);
            } else {
                FillRect(cell, selected ? palette().color(QPalette::Highlight) : palette().color(QPalette::Base));
            }
        }
}

void SudokuBoardGrid::Repaint() {
    for (auto& column : invalid_) column.fill(true);
    DrawInvalidCells();
    repaint();
}

void SudokuBoardGrid::FillRect(const QRect& rect, const QColor& colour) {
    QPainter painter(&canvas_);
    painter.fillRect(rect, colour);
    Show(rect);
}

void SudokuBoardGrid::Show(const QRect& rect) {
    // A paint in progress shows the whole canvas anyway.
    if (!painting_) update(rect);
}

void SudokuBoardGrid::TextOut(int x, int y, const QString& text, const QColor& colour) {
    if (text.isEmpty()) return;
    QPainter painter(&canvas_);
    painter.setFont(font());
    painter.setPen(colour);
    const QFontMetrics metrics(font());
    painter.drawText(x, y + metrics.ascent(), text);
    Show(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()));
}

void SudokuBoardGrid::TextIn(const QRect& rect, const QString& text, const QColor& colour, const QFont& font) {
    QPainter painter(&canvas_);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
    Show(rect);
}

int SudokuBoardGrid::TextWidth(const QString& text) const { return QFontMetrics(font()).horizontalAdvance(text); }

int SudokuBoardGrid::TextHeight(const QString&) const { return QFontMetrics(font()).height(); }

void SudokuBoardGrid::paintEvent(QPaintEvent* event) {
    if (!qFuzzyCompare(canvas_.devicePixelRatio(), devicePixelRatioF())) MakeCanvas(devicePixelRatioF());
    painting_ = true;
    DrawInvalidCells();
    painting_ = false;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(QPoint(0, 0), canvas_);
}

void SudokuBoardGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        int column = 0, row = 0;
        if (MouseToCell(at.x(), at.y(), column, row)) MoveCurrent(column, row);
    }
    if (OnMouseDown) {
        const MouseDownHandler handler = OnMouseDown;
        handler(event->button(), at.x(), at.y());
    }
}

void SudokuBoardGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left: MoveBy(-1, 0); break;
        case Qt::Key_Right: MoveBy(1, 0); break;
        case Qt::Key_Up: MoveBy(0, -1); break;
        case Qt::Key_Down: MoveBy(0, 1); break;
        default: QWidget::keyPressEvent(event); break;
    }
}

void SudokuBoardGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // After the focus event Qt sends for the grid itself, which would take the focus back.
    QMetaObject::invokeMethod(this, [this] { AccessibleCurrentCellFocused(*this); }, Qt::QueuedConnection);
}
