#pragma once
// TWaitDialog1: the notice without border or caption that stands over the main window
// while a puzzle is made ("Создание нового Судоку. Ждите...") and after a solved one
// ("Уровень пройден."). It has no controls; the window that shows it also destroys it.
// Screen readers announce its caption when it shows.

#include <QDialog>

namespace vum {
class BevelPanel;
}  // namespace vum

class TWaitDialog1 : public QDialog {
    Q_OBJECT

public:
    explicit TWaitDialog1(QWidget* owner);

    static constexpr int ClientWidth = 472;
    static constexpr int ClientHeight = 95;
    static constexpr const char* DesignCaption = "Создание нового Судоку. Ждите...";

    // Centres the notice over its owner, shows it without making it modal and paints it at
    // once, so that it stands on the screen while the caller's work blocks the thread.
    void ShowNow();

    vum::BevelPanel* WhitePanel;
    vum::BevelPanel* Panel1;
};
