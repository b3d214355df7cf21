#pragma once
// A surface that keeps an image and shows it.

#include <QImage>
#include <QWidget>
#include <functional>

class QMouseEvent;

namespace vum {

// Shows Picture from its top-left corner, cut at its edges; it paints only what the program
// drew into Picture. A picture with a device pixel ratio (drawn for a HiDPI screen) is shown
// at its logical size. A press of any mouse button, also the second press of a double click,
// goes to OnMouseDown (after OnDblClick for that one).
class PictureBox : public QWidget {
    Q_OBJECT

public:
    PictureBox(QWidget* parent, const char* name, const QRect& geometry);

    QImage Picture;
    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void()> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace vum
