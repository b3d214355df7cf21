#pragma once
// A part that a component draws itself and that screen readers see as an object of its own (a
// choice's item, a cell of a table): no widget, no children, its name and state its own. It
// lives as long as the interface of its component, which registers it with Qt and removes it.

#include <QAccessible>
#include <QRect>
#include <QWidget>

namespace vum {

class AccessibleItem : public QAccessibleInterface {
public:
    explicit AccessibleItem(QAccessibleInterface* component) : component_(component) {}

    bool isValid() const override { return component_->isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return component_->window(); }
    QAccessibleInterface* parent() const override { return component_; }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    // Where the component draws the item (area, in the component's coordinates), on the screen.
    static QRect OnScreen(const QWidget& component, const QRect& area) {
        return {component.mapToGlobal(area.topLeft()), area.size()};
    }
    // The state of an item that can be selected and focused, shown while its component is;
    // invalid, and the rest not asked for, once the component is gone.
    template <typename Selected, typename Focused>
    QAccessible::State SelectableState(const QWidget* component, Selected selected, Focused focused) const {
        QAccessible::State state;
        state.invalid = !isValid();
        if (state.invalid) return state;
        state.selectable = true;
        state.focusable = true;
        state.selected = selected();
        state.focused = state.selected && focused();
        state.invisible = !component->isVisible();
        return state;
    }

private:
    QAccessibleInterface* component_;
};

}  // namespace vum
