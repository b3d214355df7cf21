#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "FileFaults.h"
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

TEST(SafeFile, ReplacingThroughAChainOfLinksReplacesItsEnd) {
    TestFolder folder;
    TestFolder::Write(folder.File("real.ini"), "old");
    std::filesystem::create_symlink("real.ini", folder.File("b.ini"));
    std::filesystem::create_symlink(folder.File("b.ini"), folder.File("a.ini"));  // absolute
    std::filesystem::create_directory(folder.File("sub"));
    std::filesystem::create_symlink("../a.ini", folder.File("sub/c.ini"));
    ASSERT_TRUE(ReplaceFileAtomically(folder.File("a.ini"), "new"));
    EXPECT_EQ(TestFolder::Read(folder.File("real.ini")), "new");
    ASSERT_TRUE(ReplaceFileAtomically(folder.File("sub/c.ini"), "newer"));
    EXPECT_EQ(TestFolder::Read(folder.File("real.ini")), "newer");
    for (const char* link : {"a.ini", "b.ini", "sub/c.ini"})
        EXPECT_TRUE(std::filesystem::is_symlink(folder.File(link))) << link;

    // A link to nothing yet: the file is made where the chain ends.
    std::filesystem::create_symlink("later.ini", folder.File("d.ini"));
    ASSERT_TRUE(ReplaceFileAtomically(folder.File("d.ini"), "made"));
    EXPECT_EQ(TestFolder::Read(folder.File("later.ini")), "made");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("d.ini")));

    // A loop has no end to replace.
    std::filesystem::create_symlink("y.ini", folder.File("x.ini"));
    std::filesystem::create_symlink("x.ini", folder.File("y.ini"));
    EXPECT_FALSE(ReplaceFileAtomically(folder.File("x.ini"), "lost"));
    EXPECT_FALSE(CreateFileAtomically(folder.File("x.ini"), "lost"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("x.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("y.ini")));
    EXPECT_EQ(FilesIn(folder.Path()), 8u);
}

// A writer killed after flushing its temporary file, or just before the rename, leaves
// the old file as it was, and nothing beside it once the next write has run.
TEST(SafeFile, AWriterKilledBeforeItsRenameLeavesNothingBehind) {
    TestFolder folder;
    const std::string path = folder.File("a.dat");
    ASSERT_TRUE(ReplaceFileAtomically(path, "old"));
    faults::Settings atFlush, atRename, atFlushWithoutLinks;
    atFlush.dieAfterFlush = true;
    atRename.dieBeforeRename = true;
    atFlushWithoutLinks.dieAfterFlush = atFlushWithoutLinks.noHardLinks = true;
    for (const faults::Settings& settings : {atFlush, atRename, atFlushWithoutLinks}) {
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(faults::RunUntilKilled([&] {
                faults::FaultScope scope(settings);
                ReplaceFileAtomically(path, "new");
            }));
        }
        EXPECT_EQ(TestFolder::Read(path), "old");
        ASSERT_TRUE(ReplaceFileAtomically(path, "old"));
        EXPECT_EQ(FilesIn(folder.Path()), 1u);
    }
    ASSERT_TRUE(faults::RunUntilKilled([&] {
        faults::FaultScope scope(atFlushWithoutLinks);
        CreateFileAtomically(folder.File("b.dat"), "new");
    }));
    EXPECT_TRUE(CreateFileAtomically(folder.File("b.dat"), "b"));
    EXPECT_EQ(FilesIn(folder.Path()), 2u);
}

// Only our own temporaries whose writers are gone are removed: one that its writer still
// holds stays, and so do other files that merely look alike.
TEST(SafeFile, OnlyAbandonedTemporariesAreRemoved) {
    TestFolder folder;
    const std::string path = folder.File("a.dat");
    const std::vector<std::string> others = {"a.dat.backup", ".a.dat.vumtmp.abc12", "a.dat.vumtmp.abc123",
                                             ".a.dat.vumtmp.abc12-", ".vumtmp.abc123"};
    for (const std::string& name : others) {
        EXPECT_FALSE(IsTemporaryName(name)) << name;
        TestFolder::Write(folder.File(name), "keep");
    }
    EXPECT_TRUE(IsTemporaryName(".a.dat.vumtmp.Ab9xYz"));
    const std::string inUse = folder.File(".a.dat.vumtmp.Ab9xYz");
    const std::string abandoned = folder.File(".VumColor.ini.vumtmp.000000");
    TestFolder::Write(inUse, "writing");
    TestFolder::Write(abandoned, "left");
    const int writer = ::open(inUse.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);

    ASSERT_TRUE(ReplaceFileAtomically(path, "x"));
    EXPECT_TRUE(FileExists(inUse));
    EXPECT_FALSE(FileExists(abandoned));
    for (const std::string& name : others) EXPECT_TRUE(FileExists(folder.File(name))) << name;

    ::close(writer);
    EXPECT_EQ(RemoveStaleTemporaries(folder.Path()), 1);
    EXPECT_FALSE(FileExists(inUse));
}

// FAT and exFAT have no hard links; some file systems have no rename that refuses to
// replace either. A file is still created, and an existing one still never overwritten.
TEST(SafeFile, CreateWorksWithoutHardLinksAndStillNeverOverwrites) {
    faults::Settings fat, neither;
    fat.noHardLinks = true;
    neither.noHardLinks = neither.noRenameNoReplace = true;
    for (const faults::Settings& settings : {fat, neither}) {
        TestFolder folder;
        const std::string path = folder.File("t.dat");
        faults::FaultScope scope(settings);
        EXPECT_TRUE(CreateFileAtomically(path, "one"));
        EXPECT_FALSE(CreateFileAtomically(path, "two"));
        EXPECT_EQ(TestFolder::Read(path), "one");
        EXPECT_TRUE(ReplaceFileAtomically(path, "three"));
        EXPECT_EQ(TestFolder::Read(path), "three");
        EXPECT_EQ(FilesIn(folder.Path()), 1u);
    }
}

TEST(SafeFile, ReadingAHeadStopsAtTheLimitAndTellsMissingFromUnreadable) {
    TestFolder folder;
    const std::string path = folder.File("h.dat");
    EXPECT_EQ(ReadFileHead(path, 10).status, FileHead::Missing);
    std::filesystem::create_directory(folder.File("dir"));
    EXPECT_EQ(ReadFileHead(folder.File("dir"), 10).status, FileHead::Failed);
    EXPECT_EQ(ReadFileHead(folder.File("dir/none/h.dat"), 10).status, FileHead::Missing);

    TestFolder::Write(path, "0123456789");
    for (std::size_t limit : {0u, 9u, 10u, 11u}) {
        const FileHead head = ReadFileHead(path, limit);
        EXPECT_EQ(head.status, FileHead::Read);
        EXPECT_EQ(head.content, std::string("0123456789").substr(0, limit));
        EXPECT_EQ(head.truncated, limit < 10) << limit;
    }
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

// With neither XDG_DATA_HOME nor HOME there is no player's folder: an installed game then
// writes nothing at all, also as root, who could write into the program's folder.
TEST(ProgramFolder, WithNoHomeAnInstalledGameHasAFolderWhereNothingIsWritten) {
    const char* home = std::getenv("HOME");
    const std::string savedHome = home != nullptr ? home : "";
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("HOME");
    const std::string chosen = ChooseDataFolder("/usr/games/", "VumSudoku");
    ::setenv("HOME", "", 1);
    const std::string chosenForEmptyHome = ChooseDataFolder("/opt/vum/", "VumSquare");
    if (home != nullptr) ::setenv("HOME", savedHome.c_str(), 1); else ::unsetenv("HOME");

    EXPECT_EQ(chosen, NoDataFolder);
    EXPECT_EQ(chosenForEmptyHome, NoDataFolder);
    EXPECT_FALSE(ReplaceFileAtomically(chosen + "VumSudoku.ini", "[Difficult_Level]\nNumber=1\n"));
    EXPECT_FALSE(CreateFileAtomically(chosen + "VumSudoku.dat", "x"));
    EXPECT_FALSE(MakeFolders(chosen + "VumColor"));
    EXPECT_EQ(ReadFileHead(chosen + "VumSudoku.sav", 10).status, FileHead::Failed);
}
