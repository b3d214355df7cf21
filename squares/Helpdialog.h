#pragma once
// THelpDialog1: the rules and the hot keys. Any key, or a click anywhere on it, closes it.

#include <QDialog>
#include <array>

namespace vum {
class BevelPanel;
}  // namespace vum

class THelpDialog1 : public QDialog {
    Q_OBJECT

public:
    static constexpr int Lines = 11;

    explicit THelpDialog1(QWidget* owner);

    void FormClick();
    void FormKeyDown();

    vum::BevelPanel* Panel1;
    std::array<vum::BevelPanel*, Lines> LinePanels{};  // LinePanel1 .. LinePanel11, top to bottom

};
