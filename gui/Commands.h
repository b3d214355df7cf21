#pragma once
// A window's commands in one table: each command is one entry that its button and its keys
// both run, with the same enabled state (the keys of a disabled button do nothing). Keys are
// virtual-key codes (gui/Keys.h), so that they work by key position on any layout.

#include <QString>
#include <Qt>
#include <functional>
#include <vector>

class QAbstractButton;

namespace vum {

// A key with exactly these of Ctrl, Shift and Alt held.
struct KeyChord {
    int Key = 0;
    Qt::KeyboardModifiers Modifiers;
};

struct Command {
    std::vector<KeyChord> Keys;
    // The button that runs the command, if it has one: its clicks run it, its enabled state is
    // the command's, its tooltip names the keys.
    QAbstractButton* Button = nullptr;
    // Whether the command may run now (besides its button's enabled state); none: always.
    std::function<bool()> Enabled;
    std::function<void()> Run;
};

class CommandTable {
public:
    void Add(Command command);
    // Runs the command of the key when it may run. True when a command has the key, whether
    // it ran or not, so that the key goes no further.
    bool RunKey(int key, Qt::KeyboardModifiers modifiers) const;
    bool HasKey(int key, Qt::KeyboardModifiers modifiers) const;

    // "Ctrl+Shift+Z" and the like.
    static QString KeyText(const KeyChord& chord);

private:
    const Command* Find(int key, Qt::KeyboardModifiers modifiers) const;

    std::vector<Command> commands_;
};

}  // namespace vum
