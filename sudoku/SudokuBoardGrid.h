#pragma once
// SudokuBoardGrid: a 9 x 9 grid whose cells the window draws itself. It keeps a canvas (the
// kept bitmap) and only shows it; the cells on it are painted by the draw handler, which the
// grid calls for cells it has to redraw (a cell the window says has changed, a moved current
// cell, Repaint) with the selection state of the cell, and which the window may also call
// directly. The grid holds no content of its own: what a cell shows is the draw handler's. Before the current cell moves, the grid asks the select handler whether the
// move may happen; the window can detach that handler while it moves the cell itself.
//
// A left press selects the cell under it, the current cell included, so that the handler
// runs for it again.
//
// Screen readers see the grid as a table of its cells, named by the cell handler, the current
// cell focused while the grid has the keyboard focus (SudokuBoardAccessible).
//
// Geometry: a sunken border of 2 pixels, then cells of 35 x 35, each followed by a grid
// line of 1 pixel: 2 + 9 * 36 + 2 = 328.

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

class SudokuBoardGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int ColCount = 9;
    static constexpr int RowCount = 9;
    static constexpr int DefaultColWidth = 35;
    static constexpr int DefaultRowHeight = 35;
    static constexpr int GridLineWidth = 1;
    static constexpr int BorderWidth = 2;

    // (column, row, may-select flag, true on entry): may the cell become the current one?
    using SelectCellHandler = std::function<void(int column, int row, bool& canSelect)>;
    // (grid, column, row, cell rectangle, selected): paint one cell on the grid's canvas.
    using DrawCellHandler =
        std::function<void(SudokuBoardGrid& grid, int column, int row, const QRect& rect, bool selected)>;
    // (button, position in the grid): a mouse button was pressed on the grid.
    using MouseDownHandler = std::function<void(Qt::MouseButton button, int x, int y)>;
    // What screen readers read for a cell: its name, and whether the player may change it.
    struct CellAccess {
        QString Name;
        bool ReadOnly = false;
    };
    using CellAccessHandler = std::function<CellAccess(int column, int row)>;

    SudokuBoardGrid(QWidget* parent, const char* name, const QRect& geometry);

    // Empty means detached. The grid invokes a copy, so a handler may detach itself.
    SelectCellHandler OnSelectCell;
    DrawCellHandler OnDrawCell;
    MouseDownHandler OnMouseDown;
    CellAccessHandler OnCellAccess;

    // The cell's content changed: it is redrawn at the next paint.
    void InvalidateCell(int column, int row);

    // The current cell. Setting it asks the select handler first, as a move does.
    int Col() const { return col_; }
    int Row() const { return row_; }
    void SetCol(int column);
    void SetRow(int row);
    // Moves the current cell by one step, as an arrow key does; off the board nothing moves.
    void MoveBy(int columns, int rows);

    QRect CellRect(int column, int row) const;
    // The cell under a point of the grid; false for a point on no cell.
    bool MouseToCell(int x, int y, int& column, int& row) const;

    // Redraws every cell now through the draw handler (the current cell selected) and
    // shows the result.
    void Repaint();

    // The canvas and its drawing, for the draw handler and the window.
    const QImage& Canvas() const { return canvas_; }
    void FillRect(const QRect& rect, const QColor& colour);
    // Writes text with its top-left corner at (x, y) in the grid's font.
    void TextOut(int x, int y, const QString& text, const QColor& colour);
    // Writes text centred in rect, in font.
    void TextIn(const QRect& rect, const QString& text, const QColor& colour, const QFont& font);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // Moves the current cell if the select handler allows it.
    void MoveCurrent(int column, int row);
    void DrawInvalidCells();
    // Asks for a part of the canvas to be shown.
    void Show(const QRect& rect);
    // A fresh canvas at the screen's pixel ratio: the border and the grid lines drawn, every
    // cell to be drawn.
    void MakeCanvas(qreal pixelRatio);

    std::array<std::array<bool, RowCount>, ColCount> invalid_{};
    int col_ = 0;
    int row_ = 0;
    QImage canvas_;
    bool painting_ = false;
};
