#include "squares/PanelWidgets.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

// At namespace scope, as Q_INIT_RESOURCE needs. The pictures live in a static library, and
// the linker keeps no resource initialiser that nothing calls.
static void InitSquaresResourcesOnce() {
    Q_INIT_RESOURCE(squares);
}

void InitSquaresResources() {
    static const bool done = (InitSquaresResourcesOnce(), true);
    (void)done;
}

QFont PixelFont(const QString& family, int pixelSize, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QImage RenderPicture(const QString& name) {
    InitSquaresResources();
    QSvgRenderer renderer(QStringLiteral(":/squares/images/") + name + QStringLiteral(".svg"));
    if (!renderer.isValid()) return {};
    QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

void WinRectangle(QPainter& painter, const QColor& pen, const QColor& brush, int left, int top, int right,
                  int bottom) {
    painter.fillRect(QRect(left, top, right - left, bottom - top), pen);
    if (right - left > 2 && bottom - top > 2)
        painter.fillRect(QRect(left + 1, top + 1, right - left - 2, bottom - top - 2), brush);
}

BevelPanel::BevelPanel(QWidget* parent, const char* name, const QRect& geometry, std::uint32_t colour,
                       Bevel outer, Bevel inner)
    : QWidget(parent), colour_(WinColour(colour)), outer_(outer), inner_(inner) {
    PlaceComponent(this, name, geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BevelPanel::SetTransparent() {
    transparent_ = true;
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    update();
}

void BevelPanel::SetCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
}

void BevelPanel::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void BevelPanel::SetFontColour(QColor colour) {
    fontColour_ = colour;
    update();
}

void BevelPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect inside = rect();
    DrawBevel(painter, inside, outer_);
    DrawBevel(painter, inside, inner_);
    if (!transparent_) painter.fillRect(inside, colour_);
    if (caption_.isEmpty()) return;
    // The text stands in a band of the font's height centred in the panel, flush with the
    // edge it is aligned to.
    const int height = QFontMetrics(font()).height();
    const QRect band(inside.left(), (inside.top() + inside.bottom() + 1 - height) / 2, inside.width(), height);
    painter.setPen(fontColour_);
    painter.drawText(band, static_cast<int>(alignment_ | Qt::AlignTop | Qt::TextSingleLine), caption_);
}

FlatButton::FlatButton(QWidget* parent, const char* name, const QRect& geometry, bool flat)
    : QAbstractButton(parent), flat_(flat) {
    PlaceComponent(this, name, geometry);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void FlatButton::SetGlyph(const QImage& glyph) {
    glyph_ = glyph;
    update();
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect inside = rect();
    if (!flat_) {
        painter.fillRect(inside, WinColour(Colours::ButtonFace));
        DrawBevel(painter, inside, isDown() ? Bevel::Lowered : Bevel::Raised);
    } else if (isDown()) {
        DrawBevel(painter, inside, Bevel::Lowered);
    } else if (underMouse() && isEnabled()) {
        DrawBevel(painter, inside, Bevel::Raised);
    }
    // A pressed button shows its content one pixel down and right.
    const QPoint shift = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    if (!glyph_.isNull()) {
        const QPoint at((width() - glyph_.width()) / 2, (height() - glyph_.height()) / 2);
        painter.drawImage(at + shift, glyph_);
    }
    if (!text().isEmpty()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(rect().translated(shift), Qt::AlignCenter | Qt::TextSingleLine, text());
    }
}

BevelLine::BevelLine(QWidget* parent, const char* name, const QRect& geometry) : QWidget(parent) {
    PlaceComponent(this, name, geometry);
}

void BevelLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), 1), WinColour(Colours::ButtonShadow));
    painter.fillRect(QRect(0, 1, width(), height() - 1), WinColour(Colours::ButtonHighlight));
}

PictureBox::PictureBox(QWidget* parent, const char* name, const QRect& geometry) : QWidget(parent) {
    PlaceComponent(this, name, geometry);
    // The picture covers the box, so nothing behind it is painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    if (!Picture.rect().contains(dirty)) painter.fillRect(dirty, palette().window());
    painter.drawImage(dirty.topLeft(), Picture, dirty);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) OnMouseDown(event);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDblClick) OnDblClick();
    if (OnMouseDown) OnMouseDown(event);
}
