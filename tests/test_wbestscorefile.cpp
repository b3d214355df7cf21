#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FileFaults.h"
#include "TestFolder.h"
#include "common/Cp1251.h"
#include "common/SafeFile.h"
#include "common/WRandom.h"
#include "common/Wbestscorefile.h"

using namespace vum;

namespace {

std::string Blank30() { return std::string(30, ' '); }

// A level's table file holding these scores, names "P<score>".
void WriteTable(const std::string& path, std::int32_t level, const std::vector<std::int32_t>& scores) {
    std::remove(path.c_str());
    WBestScoreFile file(level);
    file.FileName = path;
    for (std::int32_t score : scores) file.AddScore("P" + std::to_string(score), score);
}

std::vector<std::int32_t> ScoresOf(const std::string& path, std::int32_t level) {
    WBestScoreFile file(level);
    EXPECT_TRUE(file.ReadTable(path));
    std::vector<std::int32_t> scores;
    for (const ScoreEntry& entry : file.Entries) scores.push_back(entry.Score);
    return scores;
}

class RecordFileTest : public ::testing::Test {
protected:
    TestFolder folder;
    std::string counters = folder.File("VumSudoku.dat");
    std::string table = folder.File("VumColor2.dat");
};

}  // namespace

TEST(RecordBytes, ShiftByFiveModulo256BothWays) {
    EXPECT_EQ(EncodeRecordByte(' '), 0x25);
    EXPECT_EQ(EncodeRecordByte('1'), 0x36);
    EXPECT_EQ(EncodeRecordByte(0xFF), 0x04);
    EXPECT_EQ(EncodeRecordByte(0xFB), 0x00);
    EXPECT_EQ(DecodeRecordByte(0x00), 0xFB);
    EXPECT_EQ(DecodeRecordByte(0x04), 0xFF);
    EXPECT_EQ(DecodeRecordByte(-1), 0xFA);  // end of file
    for (int c = 0; c < 256; ++c) EXPECT_EQ(DecodeRecordByte(EncodeRecordByte(static_cast<unsigned char>(c))), c);
}

TEST(RecordBytes, NumbersTrimControlsAndStopAtTheFirstOtherCharacter) {
    EXPECT_EQ(RecordNumber("12        "), 12);
    EXPECT_EQ(RecordNumber("\t -40x5 \x01"), -40);
    EXPECT_EQ(RecordNumber("+7"), 7);
    EXPECT_EQ(RecordNumber("          "), 0);
    EXPECT_EQ(RecordNumber("abc"), 0);
    EXPECT_EQ(RecordNumber("\xFA\xFA"), 0);
    EXPECT_EQ(RecordNumber("99999999999"), 2147483647);
    EXPECT_EQ(RecordNumber("-99999999999"), -2147483647 - 1);
}

TEST_F(RecordFileTest, CounterFileLayout) {
    WBestScoreFile file;
    EXPECT_EQ(file.FillerLength, 20);
    for (std::int32_t level = 0; level < 3; ++level) EXPECT_EQ(file.ReadCounter(counters, level), 0);
    EXPECT_EQ(file.IncrementCounter(counters, 1), 1);

    const std::string bytes = TestFolder::Read(counters);
    ASSERT_EQ(bytes.size(), 630u);
    auto dataByte = [&](int record, int k) { return static_cast<unsigned char>(bytes[static_cast<std::size_t>((10 * record + k) * 21 + 20)]); };
    EXPECT_EQ(dataByte(0, 0), EncodeRecordByte('0'));
    EXPECT_EQ(dataByte(1, 0), EncodeRecordByte('1'));
    for (int k = 1; k < 10; ++k) EXPECT_EQ(dataByte(1, k), 0x25) << k;
    EXPECT_EQ(file.ReadCounter(counters, 0), 0);
    EXPECT_EQ(file.ReadCounter(counters, 1), 1);
    EXPECT_EQ(file.ReadCounter(counters, 2), 0);

    for (int i = 0; i < 11; ++i) file.IncrementCounter(counters, 2);
    EXPECT_EQ(file.ReadCounter(counters, 2), 11);
    EXPECT_EQ(file.ReadCounter(counters, 7), 0);
}

TEST_F(RecordFileTest, TableFileSizesAndAnEmptyTable) {
    const std::size_t sizes[] = {4000, 4400, 4800};
    for (std::int32_t level = 0; level < 3; ++level) {
        const std::string path = folder.File("VumColor" + std::to_string(level + 1) + ".dat");
        WBestScoreFile file(level);
        EXPECT_EQ(file.FillerLength, 9 + level);
        file.CreateIfMissing(path);
        const std::string bytes = TestFolder::Read(path);
        ASSERT_EQ(bytes.size(), sizes[level]);
        const std::size_t cell = static_cast<std::size_t>(file.FillerLength) + 1;
        for (std::size_t offset = cell - 1; offset < bytes.size(); offset += cell)
            ASSERT_EQ(static_cast<unsigned char>(bytes[offset]), 0x25) << offset;
        ASSERT_TRUE(file.ReadTable(path));
        ASSERT_EQ(file.Entries.size(), 10u);
        for (const ScoreEntry& entry : file.Entries) {
            EXPECT_EQ(entry.Name, Blank30());
            EXPECT_EQ(entry.Score, 0);
        }
    }
}

TEST_F(RecordFileTest, FreshTableQualifiesAndTakesTheFirstScore) {
    WBestScoreFile file(1);
    file.FileName = table;
    EXPECT_FALSE(file.Qualifies(0));
    EXPECT_FALSE(FileExists(table));  // a score of 0 does not touch the file
    EXPECT_TRUE(file.Qualifies(1));
    EXPECT_EQ(file.AddScore(Cp1251FromUtf8("Аня"), 500), 0);

    WBestScoreFile reader(1);
    ASSERT_TRUE(reader.ReadTable(table));
    EXPECT_EQ(reader.Entries[0].Name, Cp1251FromUtf8("Аня") + std::string(27, ' '));
    EXPECT_EQ(reader.Entries[0].Score, 500);
    for (std::size_t i = 1; i < 10; ++i) EXPECT_EQ(reader.Entries[i].Score, 0);
    // The data bytes of the score field: "500" then blanks, record 0, characters 30..39.
    const std::string bytes = TestFolder::Read(table);
    EXPECT_EQ(static_cast<unsigned char>(bytes[30 * 11 + 10]), EncodeRecordByte('5'));
    EXPECT_EQ(static_cast<unsigned char>(bytes[33 * 11 + 10]), 0x25);
}

TEST_F(RecordFileTest, EqualScoresStayAheadOfANewOne) {
    WriteTable(table, 1, {900, 500, 500});
    WBestScoreFile file(1);
    file.FileName = table;
    EXPECT_EQ(file.AddScore("new", 500), 3);
    EXPECT_EQ(ScoresOf(table, 1), (std::vector<std::int32_t>{900, 500, 500, 500, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(file.AddScore("top", 901), 0);
    EXPECT_EQ(file.AddScore("one", 1), 5);
    EXPECT_EQ(ScoresOf(table, 1), (std::vector<std::int32_t>{901, 900, 500, 500, 500, 1, 0, 0, 0, 0}));
}

TEST_F(RecordFileTest, AFullTableDropsItsTenthEntry) {
    WriteTable(table, 1, {500, 400, 400, 300, 250, 200, 180, 160, 140, 120});
    WBestScoreFile file(1);
    file.FileName = table;
    EXPECT_FALSE(file.Qualifies(120));
    EXPECT_TRUE(file.Qualifies(121));
    EXPECT_EQ(file.AddScore("x", 400), 3);
    EXPECT_EQ(ScoresOf(table, 1), (std::vector<std::int32_t>{500, 400, 400, 400, 300, 250, 200, 180, 160, 140}));
    EXPECT_FALSE(file.Qualifies(140));
    EXPECT_EQ(file.AddScore("y", 141), 9);
    EXPECT_EQ(ScoresOf(table, 1).back(), 141);
    // A score that does not enter still rewrites the same entries.
    const std::vector<std::int32_t> before = ScoresOf(table, 1);
    EXPECT_EQ(file.AddScore("z", 5), -1);
    EXPECT_EQ(ScoresOf(table, 1), before);
}

TEST_F(RecordFileTest, LongNamesAreCutSoTheScoreSurvives) {
    WBestScoreFile file(0);
    file.FileName = folder.File("VumColor1.dat");
    EXPECT_EQ(file.AddScore(std::string(45, 'N'), 777), 0);
    WBestScoreFile reader(0);
    ASSERT_TRUE(reader.ReadTable(file.FileName));
    EXPECT_EQ(reader.Entries[0].Name, std::string(30, 'N'));
    EXPECT_EQ(reader.Entries[0].Score, 777);
    EXPECT_EQ(reader.Entries[1].Score, 0);
}

TEST_F(RecordFileTest, ShortLongAndGarbageFilesReadWithoutFailing) {
    WBestScoreFile file(1);
    TestFolder::Write(table, "");
    ASSERT_TRUE(file.ReadTable(table));
    ASSERT_EQ(file.Entries.size(), 10u);
    EXPECT_EQ(file.Entries[0].Name, std::string(30, '\xFA'));
    EXPECT_EQ(file.Entries[9].Score, 0);

    // A table cut inside record 0's score: the number ends at the end of the file.
    WriteTable(table, 1, {12345});
    std::string bytes = TestFolder::Read(table);
    TestFolder::Write(table, bytes.substr(0, 33 * 11));  // characters 0..32 of record 0
    ASSERT_TRUE(file.ReadTable(table));
    EXPECT_EQ(file.Entries[0].Score, 123);
    EXPECT_EQ(file.Entries[1].Score, 0);

    TestFolder::Write(table, bytes + std::string(1000, 'x'));
    ASSERT_TRUE(file.ReadTable(table));
    EXPECT_EQ(file.Entries[0].Score, 12345);

    WRandom random(7);
    for (int round = 0; round < 50; ++round) {
        std::string junk(static_cast<std::size_t>(random.Draw15() % 6000), '\0');
        for (char& c : junk) c = static_cast<char>(round % 5 == 0 ? 0xFF : random.DrawByte());
        TestFolder::Write(table, junk);
        ASSERT_TRUE(file.ReadTable(table));
        ASSERT_EQ(file.Entries.size(), 10u);
        file.FileName = table;
        const std::int32_t place = file.AddScore("r", 1000000);
        EXPECT_GE(place, -1);
        EXPECT_LE(place, 9);
        EXPECT_EQ(TestFolder::Read(table).size(), 4400u);
        TestFolder::Write(counters, junk);
        WBestScoreFile counter;
        counter.IncrementCounter(counters, round % 3);
        EXPECT_EQ(TestFolder::Read(counters).size(), 630u);
    }
}

TEST_F(RecordFileTest, UnreadableOrUnwritableFilesReportFailureAndKeepTheOldContent) {
    WBestScoreFile counter;
    counter.IncrementCounter(counters, 0);
    const std::string before = TestFolder::Read(counters);
    ::chmod(counters.c_str(), 0444);
    EXPECT_EQ(counter.IncrementCounter(counters, 0), 0);
    EXPECT_EQ(TestFolder::Read(counters), before);
    EXPECT_EQ(counter.ReadCounter(counters, 0), 1);
    EXPECT_EQ(counter.IncrementCounter(folder.File("no/such/VumSudoku.dat"), 0), 0);

    WBestScoreFile file(1);
    file.FileName = folder.File("no/such/VumColor2.dat");
    file.Entries.push_back({"kept", 5});
    EXPECT_FALSE(file.ReadTable(file.FileName));
    EXPECT_EQ(file.Entries.size(), 1u);  // unchanged
    EXPECT_FALSE(file.Qualifies(100));
    EXPECT_EQ(file.AddScore("x", 100), -1);
}

TEST_F(RecordFileTest, CounterSaturatesAtTheLargestInteger) {
    WBestScoreFile counter;
    counter.IncrementCounter(counters, 2);
    // Patch record 2 to read 2147483647: its ten data bytes.
    std::string bytes = TestFolder::Read(counters);
    const std::string digits = "2147483647";
    for (int k = 0; k < 10; ++k)
        bytes[static_cast<std::size_t>((20 + k) * 21 + 20)] = static_cast<char>(EncodeRecordByte(static_cast<unsigned char>(digits[static_cast<std::size_t>(k)])));
    TestFolder::Write(counters, bytes);
    EXPECT_EQ(counter.IncrementCounter(counters, 2), 2147483647);
    EXPECT_EQ(counter.ReadCounter(counters, 2), 2147483647);
}

// A write that the system stops part-way (here a file size limit, as a full disk would)
// leaves the old file byte for byte.
TEST_F(RecordFileTest, AWriteStoppedPartWayLeavesTheOldFile) {
    WriteTable(table, 1, {300, 200});
    WBestScoreFile counter;
    counter.IncrementCounter(counters, 0);
    const std::string tableBefore = TestFolder::Read(table);
    const std::string countersBefore = TestFolder::Read(counters);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        WBestScoreFile file(1);
        file.FileName = table;
        const bool tableFailed = file.AddScore("late", 250) == -1;
        WBestScoreFile again;
        const bool counterFailed = again.IncrementCounter(counters, 0) == 0;
        ::_exit(tableFailed && counterFailed ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(TestFolder::Read(table) == tableBefore);
    EXPECT_TRUE(TestFolder::Read(counters) == countersBefore);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++files;
    EXPECT_EQ(files, 2u);  // no temporary left behind
}

// Two running copies of a game counting at once lose no update.
TEST_F(RecordFileTest, ConcurrentCopiesLoseNoUpdate) {
    constexpr int PerProcess = 60;
    std::vector<pid_t> children;
    for (int p = 0; p < 3; ++p) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            WBestScoreFile counter;
            WBestScoreFile scores(1);
            scores.FileName = table;
            for (int i = 0; i < PerProcess; ++i) {
                counter.IncrementCounter(counters, 1);
                if (i < 4) scores.AddScore("p" + std::to_string(p), 100 * p + i + 1);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) ::waitpid(child, nullptr, 0);
    EXPECT_EQ(WBestScoreFile().ReadCounter(counters, 1), 3 * PerProcess);
    std::vector<std::int32_t> scores = ScoresOf(table, 1);
    EXPECT_EQ(scores, (std::vector<std::int32_t>{204, 203, 202, 201, 104, 103, 102, 101, 4, 3}));
}

// A second copy that adds a score while another copy holds the folder lock for a moment
// waits for it, and then works on the table as the lock holder left it.
TEST_F(RecordFileTest, AddScoreWaitsForTheFolderLock) {
    WriteTable(table, 1, {900, 800});
    const std::string meanwhile = TestFolder::Read(table);
    WriteTable(table, 1, {300});
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        char byte = 0;
        if (::read(go[0], &byte, 1) != 1) ::_exit(2);
        WBestScoreFile file(1);
        file.FileName = table;
        ::_exit(file.AddScore("late", 200) == 2 ? 0 : 1);
    }
    ::close(go[0]);
    {
        FolderLock held(table);
        ASSERT_FALSE(held.Busy());
        ASSERT_EQ(::write(go[1], "g", 1), 1);
        // The child waits for the lock rather than finish without it; the lock is given
        // back well within the time a copy waits.
        for (int i = 0; i < 20; ++i) {
            ASSERT_NE(::waitpid(child, nullptr, WNOHANG), child) << "AddScore did not wait for the folder lock";
            ::usleep(10000);
        }
        // What this copy writes under the lock is what the waiting one must build on.
        TestFolder::Write(table, meanwhile);
    }
    ::close(go[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ScoresOf(table, 1), (std::vector<std::int32_t>{900, 800, 200, 0, 0, 0, 0, 0, 0, 0}));
}

// A record file that exists but cannot be read is never taken for a missing one: nothing
// is written over it, so the counts of the other difficulties and the table survive.
TEST_F(RecordFileTest, AFileThatCannotBeReadIsNeverOverwritten) {
    WBestScoreFile counter;
    for (int level : {0, 0, 1, 2, 2, 2}) counter.IncrementCounter(counters, level);
    WriteTable(table, 1, {500, 400});
    const std::string countersBefore = TestFolder::Read(counters);
    const std::string tableBefore = TestFolder::Read(table);
    ::chmod(counters.c_str(), 0200);
    ::chmod(table.c_str(), 0200);

    const bool refused = faults::RunAsPlayer(folder.Path(), [&] {
        WBestScoreFile file;
        WBestScoreFile scores(1);
        scores.FileName = table;
        return file.IncrementCounter(counters, 1) == 0 && file.ReadCounter(counters, 2) == 0 &&
               !scores.ReadTable(table) && !scores.Qualifies(450) && scores.AddScore("x", 450) == -1;
    });
    EXPECT_TRUE(refused);
    EXPECT_TRUE(TestFolder::Read(counters) == countersBefore);
    EXPECT_TRUE(TestFolder::Read(table) == tableBefore);
    ::chmod(counters.c_str(), 0600);
    EXPECT_EQ(counter.ReadCounter(counters, 2), 3);
}

// A huge record file is read only as far as its layout: no allocation near its size.
TEST_F(RecordFileTest, HugeFilesAreReadOnlyAsFarAsTheLayout) {
    WriteTable(table, 1, {700, 600});
    WBestScoreFile counter;
    counter.IncrementCounter(counters, 2);
    counter.IncrementCounter(counters, 2);
    constexpr off_t GiB = off_t{1} << 30;
    ASSERT_EQ(::truncate(table.c_str(), GiB), 0);
    ASSERT_EQ(::truncate(counters.c_str(), GiB), 0);

    WBestScoreFile file(1);
    file.FileName = table;
    bool threw = false;
    std::int32_t read = 0, incremented = 0, place = -2;
    bool loaded = false, qualifies = false;
    try {
        faults::AllocationLimit cap(1 << 20);
        read = counter.ReadCounter(counters, 2);
        incremented = counter.IncrementCounter(counters, 2);
        loaded = file.ReadTable(table);
        qualifies = file.Qualifies(650);
        place = file.AddScore("n", 650);
    } catch (...) {
        threw = true;
    }
    ASSERT_FALSE(threw);
    EXPECT_EQ(read, 2);
    EXPECT_EQ(incremented, 3);
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(qualifies);
    EXPECT_EQ(place, 1);
    EXPECT_EQ(ScoresOf(table, 1), (std::vector<std::int32_t>{700, 650, 600, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(TestFolder::Read(table).size(), 4400u);
    EXPECT_EQ(TestFolder::Read(counters).size(), 630u);
}

// With no memory at all every operation still answers with its failure result and
// leaves the files and the entries as they were.
TEST_F(RecordFileTest, NoOperationLetsAFailedAllocationEscape) {
    WriteTable(table, 1, {300});
    WBestScoreFile counter;
    counter.IncrementCounter(counters, 0);
    const std::string tableBefore = TestFolder::Read(table);
    const std::string countersBefore = TestFolder::Read(counters);
    const std::string missing = folder.File("VumColor3.dat");
    WBestScoreFile file(1);
    file.FileName = table;
    file.Entries.push_back({"kept", 5});
    // The by-value arguments are moved in, so that the calls themselves need no memory.
    std::string paths[] = {counters, counters, table, missing, "name"};

    bool threw = false;
    std::int32_t read = -1, incremented = -1, place = -2;
    bool loaded = true, qualifies = true;
    try {
        faults::AllocationLimit none(0);
        read = counter.ReadCounter(std::move(paths[0]), 0);
        incremented = counter.IncrementCounter(std::move(paths[1]), 0);
        loaded = file.ReadTable(std::move(paths[2]));
        file.CreateIfMissing(std::move(paths[3]));
        qualifies = file.Qualifies(400);
        place = file.AddScore(std::move(paths[4]), 400);
    } catch (...) {
        threw = true;
    }
    ASSERT_FALSE(threw);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(incremented, 0);
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(qualifies);
    EXPECT_EQ(place, -1);
    ASSERT_EQ(file.Entries.size(), 1u);
    EXPECT_EQ(file.Entries[0].Name, "kept");
    EXPECT_TRUE(TestFolder::Read(table) == tableBefore);
    EXPECT_TRUE(TestFolder::Read(counters) == countersBefore);
    EXPECT_FALSE(FileExists(missing));
}

// A game unpacked onto a FAT stick: the first look at a table creates it there too.
TEST_F(RecordFileTest, AMissingTableIsCreatedWithoutHardLinks) {
    faults::Settings fat;
    fat.noHardLinks = true;
    faults::FaultScope scope(fat);
    WBestScoreFile file(1);
    file.FileName = table;
    ASSERT_TRUE(file.ReadTable(table));
    EXPECT_EQ(TestFolder::Read(table).size(), 4400u);
    EXPECT_EQ(file.AddScore("usb", 10), 0);
    EXPECT_EQ(ScoresOf(table, 1)[0], 10);
}

// Records reached through a chain of links are kept at its end; the links stay links.
TEST_F(RecordFileTest, RecordsThroughAChainOfLinksLandInTheRealFile) {
    const std::string real = folder.File("real.dat");
    std::filesystem::create_symlink("real.dat", folder.File("b.dat"));
    std::filesystem::create_symlink("b.dat", counters);
    WBestScoreFile counter;
    EXPECT_EQ(counter.IncrementCounter(counters, 1), 1);
    EXPECT_EQ(counter.IncrementCounter(counters, 1), 2);
    EXPECT_EQ(counter.ReadCounter(real, 1), 2);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("b.dat")));
    EXPECT_TRUE(std::filesystem::is_symlink(counters));
}
