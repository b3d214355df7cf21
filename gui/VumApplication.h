#pragma once
// The application object of both games: shows an exception that escapes an event handler
// in an error box and lets the loop go on, speaks Russian in the standard dialogs, and
// shows the settings warnings of WIniFile in a message box.

#include <QApplication>

namespace vum {

class VumApplication : public QApplication {
public:
    VumApplication(int& argc, char** argv, const QString& title);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows what escaped: a std::exception's text, or an empty text for anything else.
    static void ShowException(const std::exception* exception);
};

}  // namespace vum
