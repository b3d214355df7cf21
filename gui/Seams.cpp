#include "gui/Seams.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTimer>

#include "gui/HeldInput.h"

namespace vum {

Seams::QuestionHook Seams::question;
Seams::ModalHook Seams::modal;
Seams::WaitHook Seams::wait;
Seams::ErrorHook Seams::error;
Seams::MessageHook Seams::message;

void Seams::Reset() {
    question = nullptr;
    modal = nullptr;
    wait = nullptr;
    error = nullptr;
    message = nullptr;
}

QMessageBox::StandardButton Seams::Ask(QWidget* parent, const QString& caption, const QString& text) {
    if (question) return question(parent, caption, text);
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

int Seams::RunModal(QDialog& dialog) {
    if (modal) return modal(dialog);
    return dialog.exec();
}

void Seams::Wait(int milliseconds) {
    if (wait) {
        wait(milliseconds);
        return;
    }
    // A local loop that paints and runs timers but takes no keys or clicks.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void Seams::Tell(QWidget* parent, const QString& caption, const QString& text) {
    if (message) {
        message(parent, caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void Seams::WaitKeepingInput(int milliseconds, QWidget* window) {
    if (wait) {
        wait(milliseconds);
        return;
    }
    WaitHoldingInput(milliseconds, window);
}

void Seams::ShowError(const QString& caption, const QString& text) {
    if (error) {
        error(caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace vum
