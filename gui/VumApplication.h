#pragma once
// The application object of both games: shows an exception that escapes an event handler
// in an error box and lets the loop go on, speaks Russian in the standard dialogs, and
// shows the settings warnings of WIniFile in a message box.

#include <QApplication>
#include <QWidget>
#include <functional>
#include <memory>

namespace vum {

class VumApplication : public QApplication {
public:
    VumApplication(int& argc, char** argv, const QString& title);

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs the program: makeMainWindow builds and shows the main window (or gives none when
    // the player ended the program before it was shown), then the loop runs until it closes.
    // An exception that escapes is shown as one that escapes a handler. Returns 0.
    int Run(const std::function<std::unique_ptr<QWidget>()>& makeMainWindow);

    // Shows what escaped: a std::exception's text, or an empty text for anything else.
    static void ShowException(const std::exception* exception);
};

}  // namespace vum
