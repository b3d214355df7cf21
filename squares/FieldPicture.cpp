#include "squares/FieldPicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "gui/Fonts.h"
#include "gui/WinLook.h"
#include "squares/SquareSymbols.h"
#include "squares/SquaresLook.h"

namespace vum {

namespace {

constexpr int CellSize = SquaresField::CellSize;
constexpr QRect Whole(0, 0, FieldPicture::Width, FieldPicture::Height);

// The font the field picture writes its marks in: small enough that the word stays
// inside the cell, right of x + 4 and below y + 10.
QFont ImageDefaultFont() { return PixelFont(QStringLiteral("Arial"), 10); }

// A cell's rectangle, 31 x 31: neighbouring cells share their border line.
QRect CellRect(std::int32_t cell) {
    return {cell % SquaresField::Columns * CellSize, cell / SquaresField::Columns * CellSize, CellSize + 1,
            CellSize + 1};
}

// The border lines of the cell's sides that face no cell of the group (or the field's edge):
// left, right, top, bottom; an empty rectangle for a side within the group.
std::array<QRect, 4> OuterSides(const SquaresField::CellSet& group, std::int32_t cell) {
    const std::int32_t row = cell / SquaresField::Columns;
    const std::int32_t column = cell % SquaresField::Columns;
    const auto in = [&](std::int32_t r, std::int32_t c) {
        return r >= 0 && r < SquaresField::Rows && c >= 0 && c < SquaresField::Columns &&
               group[static_cast<std::size_t>(r * SquaresField::Columns + c)];
    };
    const QRect box = CellRect(cell);
    return {in(row, column - 1) ? QRect() : QRect(box.left(), box.top(), 1, box.height()),
            in(row, column + 1) ? QRect() : QRect(box.right(), box.top(), 1, box.height()),
            in(row - 1, column) ? QRect() : QRect(box.left(), box.top(), box.width(), 1),
            in(row + 1, column) ? QRect() : QRect(box.left(), box.bottom(), box.width(), 1)};
}

// The outline of a group: a white line on the border of its outer sides with a black line on
// either side of it, which stands out on every colour, on the white cells and on the symbols.
void PaintOutline(QPainter& painter, const SquaresField::CellSet& group) {
    const QColor black = WinColour(system_colours::Black);
    const QColor white = WinColour(system_colours::White);
    // All the black first, so that the white lines meet unbroken at the corners.
    for (const bool inner : {false, true})
        for (std::int32_t cell = 0; cell < SquaresField::Cells; ++cell) {
            if (!group[static_cast<std::size_t>(cell)]) continue;
            for (const QRect& side : OuterSides(group, cell))
                if (!side.isEmpty()) painter.fillRect(inner ? side : side.adjusted(-1, -1, 1, 1), inner ? white : black);
        }
}

// One-pixel frame just inside rect.
void Frame(QPainter& painter, const QRect& rect, const QColor& colour) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), colour);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

// The cursor: a ring inside the cell, black, white and black, clear of the cell's outline
// and of the symbol in its middle.
void PaintCursor(QPainter& painter, std::int32_t cell) {
    const QRect ring = CellRect(cell).adjusted(3, 3, -3, -3);
    Frame(painter, ring, WinColour(system_colours::Black));
    Frame(painter, ring.adjusted(1, 1, -1, -1), WinColour(system_colours::White));
    Frame(painter, ring.adjusted(2, 2, -2, -2), WinColour(system_colours::Black));
}

QImage ImageAt(int width, int height, qreal pixelRatio) {
    QImage image(static_cast<int>(std::ceil(width * pixelRatio)), static_cast<int>(std::ceil(height * pixelRatio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    return image;
}

}  // namespace

QImage FieldPicture::MakeImage(qreal pixelRatio) {
    QImage image = ImageAt(Width, Height, pixelRatio);
    image.fill(WinColour(squares_colours::EmptyCell));
    return image;
}

QRect FieldPicture::Paint(QImage& image, const FieldScene& scene) {
    const qreal ratio = image.devicePixelRatio();
    const bool known = image.cacheKey() == shownImage_ && ratio == shownRatio_ && scene.Symbols == shown_.Symbols;
    QRect changed = Whole;
    if (known) {
        const std::vector<QRect> areas = Areas(Changes(shown_, scene));
        if (areas.empty()) return {};
        changed = {};
        for (const QRect& area : areas) changed |= area;
        // After a field tick nearly every cell shows what the cell below it showed: the picture
        // moves up a row, and only what then still differs is painted (the danger row, whose
        // empty cells look otherwise, and the new bottom row among it).
        SquaresField::CellSet afterRise = Changes(Risen(shown_), scene);
        for (std::int32_t c = 0; c < SquaresField::Columns; ++c) {
            afterRise.set(static_cast<std::size_t>(c));
            afterRise.set(static_cast<std::size_t>(SquaresField::Cells - 1 - c));
        }
        const int rows = static_cast<int>(CellSize * ratio);
        if (rows == CellSize * ratio && 2 * afterRise.count() < Changes(shown_, scene).count()) {
            uchar* bits = image.bits();
            const qsizetype line = image.bytesPerLine();
            std::memmove(bits, bits + rows * line, static_cast<std::size_t>((image.height() - rows) * line));
            PaintAreas(image, scene, Areas(afterRise));
        } else {
            PaintAreas(image, scene, areas);
        }
    } else {
        PaintAreas(image, scene, {Whole});
    }
    shown_ = scene;
    shownImage_ = image.cacheKey();
    shownRatio_ = ratio;
    return changed;
}

SquaresField::CellSet FieldPicture::Changes(const FieldScene& from, const FieldScene& to) {
    SquaresField::CellSet changed = from.Group ^ to.Group;
    for (std::size_t i = 0; i < from.Field.size(); ++i)
        if (from.Field[i] != to.Field[i]) changed.set(i);
    if (from.Cursor != to.Cursor) {
        if (from.Cursor >= 0) changed.set(static_cast<std::size_t>(from.Cursor));
        if (to.Cursor >= 0) changed.set(static_cast<std::size_t>(to.Cursor));
    }
    return changed;
}

std::vector<QRect> FieldPicture::Areas(const SquaresField::CellSet& cells) {
    // Each run of rows with changes becomes one rectangle over the columns they span, with the
    // pixel around the cells that an outline reaches.
    std::vector<QRect> areas;
    QRect run;
    for (std::int32_t row = 0; row < SquaresField::Rows; ++row) {
        QRect inRow;
        for (std::int32_t c = 0; c < SquaresField::Columns; ++c)
            if (cells[static_cast<std::size_t>(row * SquaresField::Columns + c)])
                inRow |= CellRect(row * SquaresField::Columns + c).adjusted(-1, -1, 1, 1);
        if (inRow.isEmpty()) {
            if (!run.isEmpty()) areas.push_back(run & Whole);
            run = {};
        } else {
            run |= inRow;
        }
    }
    if (!run.isEmpty()) areas.push_back(run & Whole);
    return areas;
}

FieldScene FieldPicture::Risen(const FieldScene& scene) {
    FieldScene risen = scene;
    std::copy(scene.Field.begin() + SquaresField::Columns, scene.Field.end(), risen.Field.begin());
    risen.Group = scene.Group >> SquaresField::Columns;
    risen.Cursor = scene.Cursor >= SquaresField::Columns ? scene.Cursor - SquaresField::Columns : -1;
    return risen;
}

void FieldPicture::PaintAreas(QImage& image, const FieldScene& scene, const std::vector<QRect>& areas) {
    const qreal ratio = image.devicePixelRatio();
    QPainter painter(&image);
    const QImage& empty = EmptyField(ratio);
    for (const QRect& area : areas) {
        painter.setClipRect(area);
        painter.drawImage(area.topLeft(), empty,
                          QRectF(area.left() * ratio, area.top() * ratio, area.width() * ratio, area.height() * ratio));
        // The rows whose cells reach into the area (a cell's rectangle takes in the next one's
        // first line).
        const int firstRow = std::max(0, (area.top() - 1) / CellSize);
        const int lastRow = std::min(SquaresField::Rows - 1, area.bottom() / CellSize);
        for (std::int32_t cell = firstRow * SquaresField::Columns; cell < (lastRow + 1) * SquaresField::Columns;
             ++cell) {
            const std::uint8_t code = scene.Field[static_cast<std::size_t>(cell)];
            const QRect box = CellRect(cell);
            if (code != 0 && box.intersects(area)) painter.drawImage(box.topLeft(), Square(code, scene.Symbols, ratio));
        }
        if (scene.Group.any()) PaintOutline(painter, scene.Group);
        if (scene.Cursor >= 0 && scene.Cursor < SquaresField::Cells) PaintCursor(painter, scene.Cursor);
    }
}

const QImage& FieldPicture::EmptyField(qreal pixelRatio) {
    // Empty cells, the danger band and the marks come out the same under any field: every
    // square then covers its whole cell rectangle. So they are painted once and copied.
    if (!empty_.isNull() && empty_.devicePixelRatio() == pixelRatio) return empty_;
    empty_ = ImageAt(Width, Height, pixelRatio);
    QPainter painter(&empty_);
    const QColor white = WinColour(squares_colours::EmptyCell);
    for (std::int32_t cell = 0; cell < SquaresField::Cells; ++cell) {
        const QRect box = CellRect(cell);
        WinRectangle(painter, white, white, box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
    }
    const QColor band = WinColour(squares_colours::DangerBand);
    WinRectangle(painter, band, band, 0, 0, Width, CellSize);
    PaintCellMarks(painter);
    return empty_;
}

const QImage& FieldPicture::Square(std::uint8_t code, bool symbol, qreal pixelRatio) {
    // One picture of each square, copied to its cells: cheaper than painting it each time.
    QImage& square = squares_[symbol ? 1 : 0][code];
    if (!square.isNull() && square.devicePixelRatio() == pixelRatio) return square;
    const QColor outline = WinColour(squares_colours::SquareOutline);
    if (symbol) {
        square = SymbolSquare(code, CellSize + 1, outline, pixelRatio);
    } else {
        square = ImageAt(CellSize + 1, CellSize + 1, pixelRatio);
        QPainter painter(&square);
        WinRectangle(painter, outline, WinColour(squares_colours::SquareColours[code]), 0, 0, CellSize + 1, CellSize + 1);
    }
    return square;
}

void FieldPicture::PaintCellMarks(QPainter& painter) {
    static const QFont font = ImageDefaultFont();
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    const QString word = QStringLiteral("ВУМ");
    // The text has no background: the cell shows through.
    painter.setBackgroundMode(Qt::TransparentMode);
    for (int r = 0; r < SquaresField::Rows; ++r) {
        painter.setPen(WinColour(r == 0 ? squares_colours::Orange : squares_colours::CellMark));
        for (int c = 0; c < SquaresField::Columns; ++c)
            painter.drawText(c * CellSize + 4, r * CellSize + CellSize / 3 + ascent, word);
    }
    painter.setBackgroundMode(Qt::OpaqueMode);
}

}  // namespace vum
