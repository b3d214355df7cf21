#include "gui/Commands.h"

#include <QAbstractButton>
#include <QStringList>

#include "gui/Keys.h"

namespace vum {

namespace {

constexpr Qt::KeyboardModifiers Held = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;

QString KeyName(int key) {
    namespace vk = virtual_keys;
    if ((key >= 'A' && key <= 'Z') || (key >= vk::Digit0 && key <= vk::Digit0 + 9)) return QString(QChar(key));
    if (key >= vk::F1 && key <= vk::F1 + 11) return QStringLiteral("F%1").arg(key - vk::F1 + 1);
    switch (key) {
        case vk::Space: return QStringLiteral("Пробел");
        case vk::Delete: return QStringLiteral("Delete");
        default: return QString::number(key);
    }
}

}  // namespace

void CommandTable::Add(Command command) {
    if (command.Button != nullptr) {
        QStringList keys;
        for (const KeyChord& chord : command.Keys) keys << KeyText(chord);
        if (!keys.isEmpty()) command.Button->setToolTip(command.Button->text() + QStringLiteral(" — ") + keys.join(", "));
        QObject::connect(command.Button, &QAbstractButton::clicked, command.Button, [run = command.Run] { run(); });
    }
    commands_.push_back(std::move(command));
}

const Command* CommandTable::Find(int key, Qt::KeyboardModifiers modifiers) const {
    for (const Command& command : commands_)
        for (const KeyChord& chord : command.Keys)
            if (chord.Key == key && chord.Modifiers == (modifiers & Held)) return &command;
    return nullptr;
}

bool CommandTable::HasKey(int key, Qt::KeyboardModifiers modifiers) const { return Find(key, modifiers) != nullptr; }

bool CommandTable::RunKey(int key, Qt::KeyboardModifiers modifiers) const {
    const Command* command = Find(key, modifiers);
    if (command == nullptr) return false;
    const bool enabled = (command->Button == nullptr || command->Button->isEnabled()) &&
                         (!command->Enabled || command->Enabled());
    if (enabled) command->Run();
    return true;
}

QString CommandTable::KeyText(const KeyChord& chord) {
    QString text;
    if (chord.Modifiers.testFlag(Qt::ControlModifier)) text += QStringLiteral("Ctrl+");
    if (chord.Modifiers.testFlag(Qt::AltModifier)) text += QStringLiteral("Alt+");
    if (chord.Modifiers.testFlag(Qt::ShiftModifier)) text += QStringLiteral("Shift+");
    return text + KeyName(chord.Key);
}

}  // namespace vum
