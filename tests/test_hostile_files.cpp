// What other files and processes beside a game can do to it: a FIFO, a device, a socket or
// a folder where a data file should be; a lock that another process keeps on the data
// folder; a link that another user plants in a shared folder. None of them may hang a game,
// make it write where the player did not ask, or cost a record already stored.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "FileFaults.h"
#include "TestFolder.h"
#include "common/IniParameters.h"
#include "common/SafeFile.h"
#include "common/Wbestscorefile.h"
#include "common/Winifile.h"

using namespace vum;
namespace fs = std::filesystem;

namespace {

// The kinds of file the games keep, at their places in a folder.
struct GameFiles {
    explicit GameFiles(const std::string& folder)
        : ini(folder + "/VumSudoku.ini"), counters(folder + "/VumSudoku.dat"), table(folder + "/VumColor1.dat") {}
    std::string ini, counters, table;
    std::vector<std::string> All() const { return {ini, counters, table}; }
};

using Check = std::pair<const char*, std::function<bool()>>;

// Runs the checks in order; names the first that does not hold on standard error.
bool AllHold(const std::vector<Check>& checks) {
    for (const auto& [name, check] : checks) {
        if (!check()) {
            std::fprintf(stderr, "does not hold: %s\n", name);
            return false;
        }
    }
    return true;
}

// Every read of the files fails, as the read of an unreadable file does (the caller's
// value stays), and every write fails: nothing is written through them.
bool EveryAccessFails(const GameFiles& files) {
    const WIniFile settings;
    std::int32_t level = 7;
    const WBestScoreFile counters;
    WBestScoreFile table(0);
    table.FileName = files.table;
    return AllHold({
        {"the head read fails", [&] { return ReadFileHead(files.ini, 100).status == FileHead::Failed; }},
        {"the setting is not read",
         [&] { return !ReadIniInteger(settings, files.ini, "Difficult_Level", "Number", level) && level == 7; }},
        {"the setting is not written", [&] { return !WriteIniInteger(settings, files.ini, "Difficult_Level", "Number", 2); }},
        {"the counter reads as none", [&] { return counters.ReadCounter(files.counters, 1) == 0; }},
        {"the counter is not written", [&] { return counters.IncrementCounter(files.counters, 1) == 0; }},
        {"the table is not read", [&] { return !table.ReadTable(files.table); }},
        {"the score is not written", [&] { return table.AddScore("Vasya", 100) == -1; }},
        {"the file is not replaced", [&] { return !ReplaceFileAtomically(files.counters, "x"); }},
    });
}

// Holds an exclusive lock on a folder from another process, for the life of the object.
class ForeignLock {
public:
    explicit ForeignLock(const std::string& folder) {
        int ready[2];
        if (::pipe(ready) != 0) return;
        std::fflush(nullptr);
        holder_ = ::fork();
        if (holder_ == 0) {
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
            if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(ready[1], "x", 1) != 1) ::_exit(1);
            for (;;) ::pause();
        }
        ::close(ready[1]);
        char byte = 0;
        held_ = holder_ > 0 && ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
    }
    ~ForeignLock() {
        if (holder_ <= 0) return;
        ::kill(holder_, SIGKILL);
        ::waitpid(holder_, nullptr, 0);
    }
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;

    bool Held() const { return held_; }

private:
    pid_t holder_ = -1;
    bool held_ = false;
};

}  // namespace

// Opening a FIFO waits for a writer, for good when there is none; a device may be endless;
// a socket or a folder holds no data. Each is unreadable, at once, and stays as it was.
TEST(HostileFiles, AnythingButARegularFileIsUnreadableAtOnceAndNeverWrittenThrough) {
    const std::pair<const char*, std::function<bool(const std::string&)>> kinds[] = {
        {"FIFO", [](const std::string& path) { return ::mkfifo(path.c_str(), 0644) == 0; }},
        {"folder", [](const std::string& path) { return fs::create_directory(path); }},
        {"device", [](const std::string& path) { return ::symlink("/dev/zero", path.c_str()) == 0; }},
        {"socket",
         [](const std::string& path) {
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address {};
             address.sun_family = AF_UNIX;
             std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
             const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
             ::close(fd);
             return bound;
         }},
    };
    for (const auto& [kind, make] : kinds) {
        TestFolder folder;
        const GameFiles files(folder.Path());
        for (const std::string& path : files.All()) ASSERT_TRUE(make(path)) << kind;
        std::vector<fs::file_type> types;
        for (const std::string& path : files.All()) types.push_back(fs::symlink_status(path).type());

        EXPECT_TRUE(faults::FinishesWithin(10000, [&] { return EveryAccessFails(files); })) << kind;
        for (std::size_t i = 0; i < types.size(); ++i)
            EXPECT_EQ(fs::symlink_status(files.All()[i]).type(), types[i]) << kind << " " << files.All()[i];
    }
}

// Another process keeps the data folder's lock (a hung copy, a hostile program): a write
// waits for it a bounded time and then fails, as a refused write does; what is stored
// stays, and the game writes again once the lock is free.
TEST(HostileFiles, ALockThatAnotherProcessKeepsCostsABoundedWaitAndNoRecord) {
    TestFolder folder;
    const GameFiles files(folder.Path());
    ASSERT_TRUE(WriteIniInteger(WIniFile(), files.ini, "Difficult_Level", "Number", 1));
    ASSERT_EQ(WBestScoreFile().IncrementCounter(files.counters, 1), 1);
    WBestScoreFile table(0);
    table.FileName = files.table;
    ASSERT_EQ(table.AddScore("Vasya", 100), 0);
    std::vector<std::string> stored;
    for (const std::string& path : files.All()) stored.push_back(TestFolder::Read(path));
    const std::string newTable = folder.File("VumColor2.dat");

    {
        ForeignLock held(folder.Path());
        ASSERT_TRUE(held.Held());
        EXPECT_TRUE(faults::FinishesWithin(10000, [&] {
            using Clock = std::chrono::steady_clock;
            const auto start = Clock::now();
            const bool written = WriteIniInteger(WIniFile(), files.ini, "Difficult_Level", "Number", 2);
            const bool waited = Clock::now() - start >= LockWaitLimit();
            SetLockWaitLimit(std::chrono::milliseconds(50));
            WBestScoreFile scores(0);
            scores.FileName = files.table;
            return AllHold({
                {"the setting is not written, after the full wait", [&] { return !written && waited; }},
                {"the counter is not written", [&] { return WBestScoreFile().IncrementCounter(files.counters, 1) == 0; }},
                {"the score is not written", [&] { return scores.AddScore("Petya", 200) == -1; }},
                {"the table is not read", [&] { return !scores.ReadTable(files.table); }},
                {"no table is made", [&] {
                     WBestScoreFile(1).CreateIfMissing(newTable);
                     return !FileExists(newTable);
                 }},
            });
        }));
        for (std::size_t i = 0; i < stored.size(); ++i) EXPECT_EQ(TestFolder::Read(files.All()[i]), stored[i]);
    }
    EXPECT_EQ(WBestScoreFile().IncrementCounter(files.counters, 1), 2);
}

// A sticky folder that everybody may write, as /tmp or a shared games folder, where another
// user has planted links to the player's private files: the game follows none of them,
// neither for a file nor for a folder on its way. Links that the player or the folder's
// owner made there, and any link in a folder that is not sticky, are followed as before.
TEST(HostileFiles, ALinkThatAnotherUserPlantsInASharedFolderLeadsNowhere) {
    if (::geteuid() != 0) GTEST_SKIP() << "planting another user's link needs root";
    constexpr uid_t Other = 4242;
    TestFolder folder;
    const std::string shared = folder.File("shared");
    ASSERT_TRUE(fs::create_directory(shared));
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const std::string secrets = folder.File("secrets");
    ASSERT_TRUE(fs::create_directory(secrets));
    const GameFiles victims(secrets);
    for (const std::string& path : victims.All()) TestFolder::Write(path, "private");
    const GameFiles planted(shared);
    const auto plant = [&](const std::string& target, const std::string& link, uid_t owner) {
        fs::remove(link);
        fs::create_symlink(target, link);
        ASSERT_EQ(::lchown(link.c_str(), owner, owner), 0);
    };
    for (std::size_t i = 0; i < planted.All().size(); ++i) plant(victims.All()[i], planted.All()[i], Other);
    // A planted folder on the way to the squares' files.
    plant(secrets, shared + "/VumColor", Other);
    const GameFiles throughFolder(shared + "/VumColor");

    EXPECT_TRUE(EveryAccessFails(planted));
    EXPECT_TRUE(EveryAccessFails(throughFolder));
    EXPECT_FALSE(CreateFileAtomically(shared + "/VumColor/VumColor3.dat", "x"));
    for (const std::string& path : victims.All()) EXPECT_EQ(TestFolder::Read(path), "private") << path;
    for (const std::string& path : planted.All()) EXPECT_TRUE(fs::is_symlink(path)) << path;
    EXPECT_FALSE(fs::exists(secrets + "/VumColor3.dat"));

    // The player's own link, the folder owner's link, a link in a folder without the sticky bit.
    plant(victims.ini, planted.ini, ::geteuid());
    EXPECT_TRUE(ReplaceFileAtomically(planted.ini, "mine"));
    EXPECT_EQ(TestFolder::Read(victims.ini), "mine");
    ASSERT_EQ(::chown(shared.c_str(), Other, Other), 0);
    plant(victims.counters, planted.counters, Other);
    EXPECT_TRUE(ReplaceFileAtomically(planted.counters, "owner's"));
    EXPECT_EQ(TestFolder::Read(victims.counters), "owner's");
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    ASSERT_EQ(::chown(shared.c_str(), 0, 0), 0);
    plant(victims.table, planted.table, Other);
    EXPECT_EQ(ReadFileHead(planted.table, 100).content, "private");
    EXPECT_TRUE(ReplaceFileAtomically(planted.table, "open"));
    EXPECT_EQ(TestFolder::Read(victims.table), "open");
}
