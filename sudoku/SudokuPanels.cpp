#include "sudoku/SudokuPanels.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QSvgRenderer>

// At namespace scope, as Q_INIT_RESOURCE needs. The pictures live in a static library, and
// the linker keeps no resource initialiser that nothing calls.
static void InitSudokuResources() {
    Q_INIT_RESOURCE(sudoku);
}

QString FontFace(const QString& family) {
    const bool oldSans = family == QLatin1String("MS Sans Serif") || family == QLatin1String("Microsoft Sans Serif");
    if (oldSans && !QFontDatabase::hasFamily(family)) return QStringLiteral("Arial");
    return family;
}

QFont PixelFont(const QString& family, int pixelSize) {
    QFont font(FontFace(family));
    font.setPixelSize(pixelSize);
    return font;
}

QImage SudokuPicture(const QString& name) {
    static const bool initialised = (InitSudokuResources(), true);
    (void)initialised;
    QSvgRenderer renderer(QStringLiteral(":/sudoku/images/") + name + QStringLiteral(".svg"));
    if (!renderer.isValid()) return {};
    QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

BevelPanel::BevelPanel(QWidget* parent, const char* name, const QRect& geometry, std::uint32_t colour,
                       Bevel outer, Bevel inner)
    : QWidget(parent), colour_(WinColour(colour)), outer_(outer), inner_(inner) {
    PlaceComponent(this, name, geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BevelPanel::SetCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
}

void BevelPanel::SetFontColour(const QColor& colour) {
    fontColour_ = colour;
    update();
}

void BevelPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect inside = rect();
    DrawBevel(painter, inside, outer_);
    DrawBevel(painter, inside, inner_);
    painter.fillRect(inside, colour_);
    if (caption_.isEmpty()) return;
    painter.setFont(font());
    painter.setPen(fontColour_);
    painter.drawText(inside, Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

SpeedButton::SpeedButton(QWidget* parent, const char* name, const QRect& geometry, bool flat)
    : QAbstractButton(parent), flat_(flat) {
    PlaceComponent(this, name, geometry);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void SpeedButton::SetGlyph(const QImage& glyph, const QImage& disabledGlyph) {
    glyph_ = glyph;
    disabledGlyph_ = disabledGlyph;
    update();
}

void SpeedButton::SetFontColour(const QColor& colour) {
    fontColour_ = colour;
    update();
}

void SpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect inside = rect();
    const QColor light = WinColour(SudokuColours::ButtonHighlight);
    const QColor shadow = WinColour(SudokuColours::ButtonShadow);
    const bool down = isDown() || isChecked();
    if (!flat_) {
        painter.fillRect(inside, WinColour(SudokuColours::ButtonFace));
        if (down) DrawEdge(painter, inside, shadow, light);
        else DrawEdge(painter, inside, light, shadow);
    } else if (down) {
        DrawEdge(painter, inside, shadow, light);
    } else if (underMouse() && isEnabled()) {
        DrawEdge(painter, inside, light, shadow);
    }

    // The picture and the caption as one block, centred; pressed, it moves by one pixel.
    const QImage& picture = !isEnabled() && !disabledGlyph_.isNull() ? disabledGlyph_ : glyph_;
    const QFontMetrics metrics(font());
    const QString caption = text();
    const int textWidth = caption.isEmpty() ? 0 : metrics.horizontalAdvance(caption);
    const int pictureWidth = picture.isNull() ? 0 : picture.width();
    const int gap = pictureWidth > 0 && textWidth > 0 ? Spacing : 0;
    const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
    int x = (width() - (pictureWidth + gap + textWidth)) / 2;
    if (!picture.isNull()) {
        painter.drawImage(QPoint(x, (height() - picture.height()) / 2) + shift, picture);
        x += pictureWidth + gap;
    }
    if (caption.isEmpty()) return;
    painter.setFont(font());
    const QRect band(x, (height() - metrics.height()) / 2, textWidth, metrics.height());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    if (isEnabled()) {
        painter.setPen(fontColour_);
        painter.drawText(band.translated(shift), flags, caption);
    } else {
        // Etched: the highlight one pixel down and right, the shadow above it.
        painter.setPen(light);
        painter.drawText(band.translated(1, 1), flags, caption);
        painter.setPen(shadow);
        painter.drawText(band, flags, caption);
    }
}
