#pragma once
// TInputNameDialog1: the player's name for a new record. Enter and Esc both close it and
// both keep what the box holds.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace vum {
class BevelPanel;
}  // namespace vum

class TInputNameDialog1 : public QDialog {
    Q_OBJECT

public:
    // As many characters as a table entry keeps.
    static constexpr int MaxNameLength = 30;

    explicit TInputNameDialog1(QWidget* owner);

    // A virtual-key code; true when the key (Enter, Esc) closed the dialog. Every other key goes
    // on to the text box.
    bool FormKeyDown(int key);

    vum::BevelPanel* Panel1;
    QLabel* Label1;
    QLineEdit* NameEdit1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
