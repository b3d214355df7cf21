#pragma once
// What the windows tell a screen reader beyond what Qt tells it by itself: the texts that
// custom-drawn components show, notices read out when something changes, and the contents
// of dialogs that hold only pictures and panels.
//
// On Qt 6.4 with Orca 43 (Debian 12), a change of name or description is not read out, even
// on the focused object (Qt sends the object instead of the new text, and Orca drops it);
// what is read whatever has the focus is an object of the notification role that shows
// itself. Announce makes one. Nothing here does any work while no screen reader listens.

#include <QString>
#include <QStringList>

class QWidget;

namespace vum {

// Makes a screen reader say text now, as a notice of widget's window, whatever has the
// keyboard focus. Nothing is said while the window is hidden or no screen reader listens.
void Announce(QWidget* widget, const QString& text);

enum class Announcement { Silent, Spoken };

// A component shows text (a panel's caption, say): screen readers read it as the
// component's name, without the blanks that only place it. With Spoken, a new text is also
// announced, as a change the player should hear of at once (the score, say).
void SetAccessibleText(QWidget* widget, const QString& text, Announcement announcement = Announcement::Silent);

// The contents of a dialog that shows them only as pictures and panels, read by screen
// readers after the dialog's name when it opens: its lines, joined into sentences.
void SetAccessibleContent(QWidget* dialog, const QStringList& lines);

}  // namespace vum
