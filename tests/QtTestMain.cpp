// main() of the window tests: the application object of the games, offscreen, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gui/Seams.h"
#include "gui/VumApplication.h"

using namespace vum;

namespace {

// Every test starts with the real seams replaced by nothing: a test that forgets to answer
// a question or a modal dialog fails instead of hanging.
class SeamGuard : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        Seams::Reset();
        Seams::question = [](QWidget*, const QString& caption, const QString& text) {
            ADD_FAILURE() << "unexpected question: " << caption.toStdString() << ": " << text.toStdString();
            return QMessageBox::Cancel;
        };
        Seams::modal = [](QDialog&) {
            ADD_FAILURE() << "unexpected modal dialog";
            return 0;
        };
        Seams::wait = [](int) {};
        Seams::error = [](const QString&, const QString& text) { ADD_FAILURE() << "error box: " << text.toStdString(); };
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    VumApplication app(argc, argv, "test");
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SeamGuard);
    return RUN_ALL_TESTS();
}
