#pragma once
// The points where a window hands control to the player or to time: question boxes,
// modal dialogs and blocking waits. Each goes through a hook that a test can replace, so
// that a test answers a question, closes a dialog or skips a wait without real seconds.

#include <QMessageBox>
#include <functional>

class QDialog;
class QWidget;

namespace vum {

struct Seams {
    // A question with Yes, No and Cancel and the question-mark icon; the button chosen.
    using QuestionHook = std::function<QMessageBox::StandardButton(QWidget* parent, const QString& caption,
                                                                   const QString& text)>;
    // Runs a dialog modally; its result (QDialog::Accepted / Rejected).
    using ModalHook = std::function<int(QDialog& dialog)>;
    // Blocks the caller for milliseconds while the windows stay painted.
    using WaitHook = std::function<void(int milliseconds)>;
    // Shows an error text (an exception that escaped a handler), or a message with OK.
    using ErrorHook = std::function<void(const QString& caption, const QString& text)>;
    using MessageHook = std::function<void(QWidget* parent, const QString& caption, const QString& text)>;

    static QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text);
    static int RunModal(QDialog& dialog);
    // Input during the wait is dropped (a key pressed to dismiss a notice must not act later).
    static void Wait(int milliseconds);
    // Input during the wait is kept and handed on after it, in order (gui/HeldInput.h), to the
    // dialog that is open then or else to window.
    static void WaitKeepingInput(int milliseconds, QWidget* window);
    static void ShowError(const QString& caption, const QString& text);
    // A message with the information icon and OK, as the questions are made.
    static void Tell(QWidget* parent, const QString& caption, const QString& text);

    // Hooks in force; empty means the real behaviour.
    static QuestionHook question;
    static ModalHook modal;
    static WaitHook wait;
    static ErrorHook error;
    static MessageHook message;

    // Restores the real behaviour of every seam.
    static void Reset();
};

}  // namespace vum
