#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <stdexcept>

#include "common/Cp1251.h"
#include "gui/FixedSizeWindow.h"
#include "gui/GameTimer.h"
#include "gui/Seams.h"
#include "gui/Text.h"

using namespace vum;

TEST(GameTimer, RepeatingTheIntervalOrTheEnableKeepsTheCountdown) {
    GameTimer timer(nullptr, 10000, true);
    QTest::qWait(60);
    const int left = timer.RemainingTime();
    ASSERT_GT(left, 0);
    ASSERT_LT(left, 9990);
    timer.SetInterval(10000);
    timer.SetEnabled(true);
    EXPECT_LE(timer.RemainingTime(), left);

    timer.SetInterval(20000);  // a new interval starts afresh
    EXPECT_GT(timer.RemainingTime(), 19000);

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.RemainingTime(), -1);
    timer.SetInterval(500);  // a stopped timer stays stopped
    EXPECT_FALSE(timer.Enabled());
    timer.SetEnabled(true);
    EXPECT_GT(timer.RemainingTime(), 400);
}

TEST(GameTimer, DeliversItsTicks) {
    GameTimer timer(nullptr, 1, true);
    int ticks = 0;
    QObject::connect(&timer, &GameTimer::OnTimer, [&] { ++ticks; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
}

namespace {

class Thrower : public QObject {
public:
    bool throwStd = true;

protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        if (throwStd) throw std::runtime_error("boom");
        throw 42;
    }
};

}  // namespace

TEST(VumApplication, AnExceptionFromAHandlerIsShownAndTheLoopGoesOn) {
    std::vector<QString> shown;
    Seams::error = [&](const QString&, const QString& text) { shown.push_back(text); };
    Thrower thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    thrower.throwStd = false;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "boom");
    EXPECT_EQ(shown[1], "");
}

TEST(Text, CrossesBetweenQStringAndCp1251) {
    EXPECT_EQ(ToCp1251(QString::fromUtf8("Привет, мир")), Cp1251FromUtf8("Привет, мир"));
    EXPECT_EQ(FromCp1251(Cp1251FromUtf8("Ёж")), QString::fromUtf8("Ёж"));
    EXPECT_EQ(ToCp1251(QString::fromUtf8("名前")), "??");
}

// A path's bytes survive the window's QString whatever they are: UTF-8 reads as its text,
// and anything else comes back byte for byte.
TEST(Text, PathsCrossAsTheirBytes) {
    EXPECT_EQ(FromPath("/home/игрок/ВУМ 😀"), QString::fromUtf8("/home/игрок/ВУМ 😀"));
    const std::string samples[] = {
        "/games/\xC8\xE3\xF0\xFB/",    // CP1251
        "\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80",  // an overlong '/', a surrogate, past U+10FFFF
        "\xE2\x82 \xF0\x9F\x98 end\xC3",  // characters cut short
        std::string("nul\0inside", 10),
    };
    for (const std::string& path : samples) EXPECT_EQ(ToPath(FromPath(path)), path);
    for (int byte = 0; byte < 256; ++byte) {
        const std::string path(1, static_cast<char>(byte));
        EXPECT_EQ(ToPath(FromPath(path)), path) << byte;
        EXPECT_EQ(ToPath(FromPath(path) + QStringLiteral("/VumColor")), path + "/VumColor") << byte;
    }
}

// Where the window system reports a fixed-size window maximised or full screen (an X11 window
// manager does so), the window asks to be normal again and keeps its size.
TEST(FixedSizeWindow, AMaximisedOrFullScreenWindowIsNormalAgainAtItsSize) {
    QWidget window;
    window.setFixedSize(300, 200);
    KeepNormalState(window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        window.setWindowState(state);
        QCoreApplication::processEvents();
        EXPECT_EQ(window.windowState(), Qt::WindowNoState) << state;
        EXPECT_EQ(window.size(), QSize(300, 200)) << state;
    }
    // Another size given without a state: put back.
    window.windowHandle()->resize(500, 400);
    QTRY_COMPARE(window.size(), QSize(300, 200));
}
