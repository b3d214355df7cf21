#pragma once
// TGameOverDialog1: the splash "Игра окончена!" that closes itself after 4 seconds and
// cannot be dismissed earlier, neither by a key nor by the mouse.

#include <QDialog>

class QTimer;

namespace vum {
class PictureBox;
}  // namespace vum

class TGameOverDialog1 : public QDialog {
    Q_OBJECT

public:
    static constexpr int ShowTime = 4000;  // ms

    explicit TGameOverDialog1(QWidget* owner);

    void Timer1Timer();

    vum::PictureBox* Image1;
    QTimer* Timer1;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool timeUp_ = false;
};
