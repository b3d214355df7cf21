#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "TestFolder.h"
#include "common/ProgramFolder.h"
#include "common/SafeFile.h"

using namespace vum;

namespace {

std::size_t FilesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

}  // namespace

TEST(SafeFile, ReplaceWritesNewContentKeepsModeAndLeavesNoTemporary) {
    TestFolder folder;
    const std::string path = folder.File("a.dat");
    ASSERT_TRUE(ReplaceFileAtomically(path, "first"));
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(ReplaceFileAtomically(path, "second"));
    EXPECT_EQ(TestFolder::Read(path), "second");
    EXPECT_EQ(ModeOf(path), 0600u);
    EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(SafeFile, RefusedWritesLeaveTheOldFileAsItWas) {
    TestFolder folder;
    const std::string path = folder.File("a.dat");
    TestFolder::Write(path, "old");
    ::chmod(path.c_str(), 0444);  // read-only, also for root
    EXPECT_TRUE(IsReadOnlyFile(path));
    EXPECT_FALSE(ReplaceFileAtomically(path, "new"));
    EXPECT_EQ(TestFolder::Read(path), "old");

    EXPECT_FALSE(ReplaceFileAtomically(folder.File("missing/a.dat"), "new"));
    std::filesystem::create_directory(folder.File("dir"));
    EXPECT_FALSE(ReplaceFileAtomically(folder.File("dir"), "new"));
    EXPECT_EQ(FilesIn(folder.Path()), 2u);
}

TEST(SafeFile, ReplacingThroughASymbolicLinkKeepsTheLink) {
    TestFolder folder;
    TestFolder::Write(folder.File("real.ini"), "old");
    std::filesystem::create_symlink("real.ini", folder.File("link.ini"));
    ASSERT_TRUE(ReplaceFileAtomically(folder.File("link.ini"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(TestFolder::Read(folder.File("real.ini")), "new");
}

TEST(SafeFile, CreateNeverOverwritesAnExistingFile) {
    TestFolder folder;
    const std::string path = folder.File("t.dat");
    EXPECT_TRUE(CreateFileAtomically(path, "one"));
    EXPECT_FALSE(CreateFileAtomically(path, "two"));
    EXPECT_EQ(TestFolder::Read(path), "one");
    EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(ProgramFolder, UsesTheProgramFolderWhenWritableElseThePlayersDataFolder) {
    TestFolder folder;
    const std::string beside = folder.Path() + "/bin";
    std::filesystem::create_directory(beside);
    EXPECT_EQ(ChooseDataFolder(beside, "VumSudoku"), beside + "/");

    const std::string data = folder.Path() + "/xdg";
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    EXPECT_EQ(ChooseDataFolder("/usr/games/", "VumSudoku"), data + "/VumSudoku/");
    EXPECT_TRUE(std::filesystem::is_directory(data + "/VumSudoku"));
    EXPECT_EQ(ChooseDataFolder(folder.Path() + "/no/such/folder", "VumSquare"), data + "/VumSquare/");
    ::chmod(beside.c_str(), 0555);  // as an installed program's folder, read-only even for root
    EXPECT_EQ(ChooseDataFolder(beside, "VumSquare"), data + "/VumSquare/");
    ::unsetenv("XDG_DATA_HOME");

    const std::string exeFolder = ProgramFolder();
    EXPECT_EQ(exeFolder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(exeFolder + "test_common"));
}
