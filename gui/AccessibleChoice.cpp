#include "gui/AccessibleChoice.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include "gui/AccessibleItem.h"

namespace vum {

namespace {

// What the component's interface is made from; a child of the component.
class ChoiceModel : public QObject {
public:
    ChoiceModel(QWidget* widget, QString choiceName, std::vector<ChoiceItem> choiceItems, std::function<int()> current)
        : QObject(widget), name(std::move(choiceName)), items(std::move(choiceItems)), selected(std::move(current)) {}

    static ChoiceModel* Of(QObject* object) {
        if (object == nullptr) return nullptr;
        for (QObject* child : object->children())
            if (auto* model = dynamic_cast<ChoiceModel*>(child)) return model;
        return nullptr;
    }

    const QString name;
    const std::vector<ChoiceItem> items;
    const std::function<int()> selected;
};

class ChoiceInterface;

class ItemInterface : public AccessibleItem {
public:
    ItemInterface(ChoiceInterface* choice, int index);

    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

private:
    ChoiceInterface* choice_;
    int index_;
};

class ChoiceInterface : public QAccessibleWidget {
public:
    ChoiceInterface(QWidget* widget, const ChoiceModel& model)
        : QAccessibleWidget(widget, QAccessible::List), name_(model.name), items_(model.items), selected_(model.selected),
          itemIds_(items_.size(), 0) {}

    ~ChoiceInterface() override {
        for (const QAccessible::Id id : itemIds_)
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return name_;
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return static_cast<int>(items_.size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        QAccessible::Id& id = itemIds_[static_cast<std::size_t>(index)];
        if (id == 0) id = QAccessible::registerAccessibleInterface(new ItemInterface(const_cast<ChoiceInterface*>(this), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < itemIds_.size(); ++i)
            if (itemIds_[i] != 0 && QAccessible::accessibleInterface(itemIds_[i]) == child) return static_cast<int>(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i)
            if (Item(i).area.contains(at)) return child(i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override { return WindowActive() ? child(Selected()) : nullptr; }

    int Selected() const { return isValid() ? selected_() : -1; }
    bool WindowActive() const { return isValid() && widget()->window()->isActiveWindow(); }
    const ChoiceItem& Item(int index) const { return items_[static_cast<std::size_t>(index)]; }
    QWidget* Widget() const { return widget(); }

private:
    const QString name_;
    const std::vector<ChoiceItem> items_;
    const std::function<int()> selected_;
    mutable std::vector<QAccessible::Id> itemIds_;
};

ItemInterface::ItemInterface(ChoiceInterface* choice, int index) : AccessibleItem(choice), choice_(choice), index_(index) {}

QString ItemInterface::text(QAccessible::Text t) const {
    return t == QAccessible::Name && isValid() ? choice_->Item(index_).name : QString();
}

QRect ItemInterface::rect() const {
    return isValid() ? OnScreen(*choice_->Widget(), choice_->Item(index_).area) : QRect();
}

QAccessible::State ItemInterface::state() const {
    return SelectableState(
        choice_->Widget(), [this] { return choice_->Selected() == index_; }, [this] { return choice_->WindowActive(); });
}

QAccessibleInterface* MakeChoiceInterface(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    ChoiceModel* model = widget != nullptr ? ChoiceModel::Of(widget) : nullptr;
    return model != nullptr ? new ChoiceInterface(widget, *model) : nullptr;
}

}  // namespace

void MakeAccessibleChoice(QWidget* widget, const QString& name, std::vector<ChoiceItem> items,
                          std::function<int()> selected) {
    QAccessible::installFactory(MakeChoiceInterface);  // Qt keeps one of each factory
    new ChoiceModel(widget, name, std::move(items), std::move(selected));
}

void AccessibleChoiceChanged(QWidget* widget) {
    if (!QAccessible::isActive() || !widget->window()->isActiveWindow()) return;
    auto* choice = dynamic_cast<ChoiceInterface*>(QAccessible::queryAccessibleInterface(widget));
    QAccessibleInterface* item = choice != nullptr ? choice->child(choice->Selected()) : nullptr;
    if (item == nullptr) return;
    QAccessibleEvent focus(item, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

}  // namespace vum
