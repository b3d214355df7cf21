#pragma once
// THelpDialog1: the rules and the hot keys. Any key, or a click anywhere on it, closes it.

#include <QDialog>
#include <array>

class BevelPanel;

class THelpDialog1 : public QDialog {
    Q_OBJECT

public:
    static constexpr int Lines = 11;

    explicit THelpDialog1(QWidget* owner);

    void FormClick();
    void FormKeyDown();

    BevelPanel* Panel1;
    std::array<BevelPanel*, Lines> LinePanels{};  // LinePanel1 .. LinePanel11, top to bottom

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The widget that took the last left press, until its release.
    QObject* pressed = nullptr;
};
