// What the widget kit tells screen readers: notices, the texts of drawn components, the
// contents of dialogs, and a drawn choice seen as a list.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <memory>

#include "AccessibilityRecorder.h"
#include "gui/Accessibility.h"
#include "gui/AccessibleChoice.h"

using namespace vum;

namespace {

std::unique_ptr<QWidget> ShownWindow() {
    auto window = std::make_unique<QWidget>();
    window->resize(300, 100);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
}

}  // namespace

TEST(Announce, ANoticeOfTheShownWindowShowsItselfWithTheText) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    auto window = ShownWindow();
    auto* inside = new QWidget(window.get());

    Announce(inside, QStringLiteral("  Пауза "));
    ASSERT_EQ(recorder.Announcements(), std::vector<QString>{QStringLiteral("Пауза")});
    const auto renamed = std::find_if(recorder.events.begin(), recorder.events.end(),
                                      [](const auto& e) { return e.role == QAccessible::Notification; });
    // Its new name is told before it shows: a screen reader may have kept the last one.
    ASSERT_EQ(renamed->type, QAccessible::NameChanged);
    ASSERT_EQ(std::next(renamed)->type, QAccessible::ObjectShow);
    EXPECT_EQ(std::next(renamed)->object, renamed->object);
    QAccessibleInterface* notice = AccessibleOf(renamed->object);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->parent(), AccessibleOf(window.get()));

    // Nothing is said for a hidden window, nor an empty text.
    QWidget hidden;
    Announce(&hidden, QStringLiteral("Игра продолжается"));
    Announce(window.get(), QStringLiteral("   "));
    EXPECT_EQ(recorder.Announcements().size(), 1u);
}

TEST(Announce, NoticesFollowingEachOtherKeepTheirOwnTexts) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    auto window = ShownWindow();
    for (const char* text : {"Очки: 30", "Уровень: 2", "Пауза", "Игра продолжается", "Очки: 60"})
        Announce(window.get(), QString::fromUtf8(text));

    std::vector<QObject*> notices;
    for (const auto& event : recorder.events)
        if (event.type == QAccessible::ObjectShow && event.role == QAccessible::Notification) notices.push_back(event.object);
    ASSERT_EQ(notices.size(), 5u);
    // A screen reader reads the first three after all five are sent, and hears each.
    EXPECT_EQ(AccessibleOf(notices[1])->text(QAccessible::Name), QStringLiteral("Уровень: 2"));
    EXPECT_EQ(AccessibleOf(notices[2])->text(QAccessible::Name), QStringLiteral("Пауза"));
    EXPECT_EQ(AccessibleOf(notices[3])->text(QAccessible::Name), QStringLiteral("Игра продолжается"));
    EXPECT_EQ(AccessibleOf(notices[4])->text(QAccessible::Name), QStringLiteral("Очки: 60"));
}

TEST(SetAccessibleText, NamesTheComponentAndAnnouncesOnlyASpokenChange) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    auto window = ShownWindow();
    auto* panel = new QWidget(window.get());

    SetAccessibleText(panel, QStringLiteral(" Очки: 0"));
    EXPECT_EQ(AccessibleOf(panel)->text(QAccessible::Name), QStringLiteral("Очки: 0"));
    EXPECT_TRUE(recorder.Announcements().empty());

    SetAccessibleText(panel, QStringLiteral(" Очки: 30"), Announcement::Spoken);
    SetAccessibleText(panel, QStringLiteral(" Очки: 30"), Announcement::Spoken);  // no change, no word
    EXPECT_EQ(recorder.Announcements(), std::vector<QString>{QStringLiteral("Очки: 30")});
    EXPECT_EQ(AccessibleOf(panel)->text(QAccessible::Name), QStringLiteral("Очки: 30"));
}

TEST(SetAccessibleContent, JoinsTheLinesIntoSentences) {
    QWidget dialog;
    SetAccessibleContent(&dialog, {QStringLiteral(" Горячие клавиши:"), QString(), QStringLiteral(" Esc - выход;"),
                                   QStringLiteral("1. Иван, очки: 500 "), QStringLiteral("Конец!")});
    EXPECT_EQ(dialog.accessibleDescription(), QStringLiteral("Горячие клавиши: Esc - выход; 1. Иван, очки: 500. Конец!"));
}

namespace {

// Three pictures side by side, 100 pixels each; the arrows move the selection.
struct Choice {
    explicit Choice(QWidget* window) : widget(new QWidget(window)) {
        widget->setGeometry(0, 0, 300, 80);
        MakeAccessibleChoice(widget, QStringLiteral("Сложность игры"),
                             {{QStringLiteral("Новичок"), QRect(0, 0, 100, 80)},
                              {QStringLiteral("Любитель"), QRect(100, 0, 100, 80)},
                              {QStringLiteral("Профессионал"), QRect(200, 0, 100, 80)}},
                             [this] { return selected; });
    }
    QWidget* widget;
    int selected = 1;
};

}  // namespace

TEST(AccessibleChoice, IsAListOfItsItemsWithTheSelectedOneFocused) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    // Made while a screen reader listens, as for a player who starts the game with one.
    QWidget window;
    window.resize(300, 100);
    Choice choice(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QAccessibleInterface* list = AccessibleOf(choice.widget);
    ASSERT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Сложность игры"));
    ASSERT_EQ(list->childCount(), 3);
    QAccessibleInterface* second = list->child(1);
    EXPECT_EQ(second->role(), QAccessible::ListItem);
    EXPECT_EQ(second->text(QAccessible::Name), QStringLiteral("Любитель"));
    EXPECT_EQ(second->parent(), list);
    EXPECT_EQ(list->indexOfChild(second), 1);
    EXPECT_EQ(second->rect(), QRect(choice.widget->mapToGlobal(QPoint(100, 0)), QSize(100, 80)));
    EXPECT_EQ(list->childAt(choice.widget->mapToGlobal(QPoint(250, 10)).x(), choice.widget->mapToGlobal(QPoint(250, 10)).y()),
              list->child(2));
    EXPECT_TRUE(second->state().selected);
    EXPECT_TRUE(second->state().focused);
    EXPECT_FALSE(list->child(0)->state().selected);
    EXPECT_EQ(list->focusChild(), second);

    choice.selected = 2;
    AccessibleChoiceChanged(choice.widget);
    EXPECT_EQ(recorder.Focused(), std::vector<QString>{QStringLiteral("Профессионал")});
    EXPECT_TRUE(list->child(2)->state().focused);
    EXPECT_FALSE(second->state().focused);
}

TEST(AccessibleChoice, TakesNoFocusWhileItsWindowIsNotActive) {
    SKIP_WITHOUT_ACCESSIBILITY();
    AccessibilityRecorder recorder;
    QWidget window;
    Choice choice(&window);
    window.show();
    auto other = ShownWindow();  // the active one
    AccessibleChoiceChanged(choice.widget);
    EXPECT_TRUE(recorder.Focused().empty());
    EXPECT_FALSE(AccessibleOf(choice.widget)->child(1)->state().focused);
    EXPECT_EQ(AccessibleOf(choice.widget)->focusChild(), nullptr);
}
