#pragma once
// The windows' buttons: a caption and, if given, a picture left of it.

#include <QAbstractButton>
#include <QColor>
#include <QImage>

namespace vum {

// A button with a caption and, if given, a picture left of it, the two centred together
// Spacing pixels apart. A flat one shows its parent's colour and raises its edge only under
// the mouse; a plain one has the button face and a raised edge. Pressed, it lowers its edge
// and moves its content one pixel down and right. A disabled one shows its disabled picture,
// if it has one, and an etched caption. It never takes the keyboard focus.
class GlyphButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int Spacing = 4;

    GlyphButton(QWidget* parent, const char* name, const QRect& geometry, bool flat = true);

    void SetGlyph(const QImage& glyph, const QImage& disabledGlyph = QImage());
    const QImage& Glyph() const { return glyph_; }
    const QImage& DisabledGlyph() const { return disabledGlyph_; }
    bool Flat() const { return flat_; }
    void SetFontColour(const QColor& colour);
    QColor FontColour() const { return fontColour_; }
    // A small square in the top right corner, in colour; an invalid colour shows none.
    void SetCornerMark(const QColor& colour);
    QColor CornerMark() const { return cornerMark_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage glyph_;
    QImage disabledGlyph_;
    bool flat_;
    QColor fontColour_ = Qt::black;
    QColor cornerMark_;
};

}  // namespace vum
