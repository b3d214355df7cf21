#pragma once
// A component that draws a choice of one among a few items (pictures side by side, say) and
// moves the selection with the arrows, as screen readers see it: a list named after the
// choice, an item for each choice, and the selected item focused while the component's
// window is active, so that a screen reader reads each item as the selection reaches it.

#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace vum {

struct ChoiceItem {
    QString name;
    QRect area;  // where the component draws it, in the component's coordinates
};

// widget draws the items; selected tells which of them is selected. Call before a screen
// reader may have asked for widget (before its window is first shown): Qt keeps the first
// interface it makes for an object.
void MakeAccessibleChoice(QWidget* widget, const QString& name, std::vector<ChoiceItem> items,
                          std::function<int()> selected);

// The selection moved, or the window became active: the selected item takes the focus.
// Nothing happens while the window is not the active one or no screen reader listens.
void AccessibleChoiceChanged(QWidget* widget);

}  // namespace vum
