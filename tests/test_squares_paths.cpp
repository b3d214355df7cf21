// The colour-squares window in a folder whose name is not UTF-8 (copied from another
// system, named in CP1251): a path is bytes, and the window keeps them as they are.
#include <filesystem>

#include "SquaresUiSupport.h"
#include "squares/Bestscoretabledialog.h"

namespace fs = std::filesystem;

// The settings and the tables land in the folder the game was started in, and no folder of
// a look-alike name appears beside it.
TEST(SquaresPaths, AFolderNamedInAnotherEncodingIsTheOneUsed) {
    TestFolder root;
    const std::string program = root.File("\xC8\xE3\xF0\xFB");  // "Игры" in CP1251
    ASSERT_TRUE(fs::create_directory(program));
    ModalScript dialogs;
    dialogs.Then<TLevelDialog1>([](TLevelDialog1& dialog) {
        dialog.LevelIndex = 2;
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    TForm1 form(program + "/");
    form.show();
    dialogs.Then<TBestScoreTableDialog1>([](TBestScoreTableDialog1&) {});
    QTest::keyClick(&form, Qt::Key_F10);

    const std::string data = program + "/VumColor";
    EXPECT_EQ(IniText(data + "/VumColor.ini", "Game", "VidUser"), "2");
    EXPECT_TRUE(fs::is_regular_file(data + "/VumColor3.dat"));
    std::vector<std::string> beside;
    for (const auto& entry : fs::directory_iterator(root.Path())) beside.push_back(entry.path().filename().string());
    EXPECT_EQ(beside, std::vector<std::string>{"\xC8\xE3\xF0\xFB"});
}
