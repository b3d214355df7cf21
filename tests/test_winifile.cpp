#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FileFaults.h"
#include "TestFolder.h"
#include "common/Cp1251.h"
#include "common/SafeFile.h"
#include "common/Winifile.h"

using namespace vum;

namespace {

// The four places of one read, with recognisable defaults.
struct Places {
    std::string text = "default";
    double real = 2.5;
    std::int32_t integer = 42;
    bool flag = false;
};

bool Read(const WIniFile& ini, const std::string& file, const std::string& section,
          const std::string& key, std::int32_t type, Places& places) {
    return ini.ReadParameter(file, section, key, type, places.text, places.real, places.integer,
                             places.flag, false);
}

bool ReadInteger(const std::string& file, const std::string& stored, std::int32_t& value) {
    TestFolder::Write(file, "[S]\nk=" + stored + "\n");
    Places places;
    places.integer = value;
    const bool found = Read(WIniFile(), file, "S", "k", ParamInteger, places);
    value = places.integer;
    return found;
}

class IniTest : public ::testing::Test {
protected:
    TestFolder folder;
    std::string file = folder.File("game.ini");
    WIniFile ini;
};

}  // namespace

TEST_F(IniTest, MissingFileSectionOrKeyKeepsTheDefault) {
    Places places;
    EXPECT_FALSE(Read(ini, file, "Difficult_Level", "Number", ParamInteger, places));
    TestFolder::Write(file, "[Empty]\n[Game]\nOther=3\n");
    EXPECT_FALSE(Read(ini, file, "Game", "VidUser", ParamInteger, places));
    EXPECT_FALSE(Read(ini, file, "Empty", "VidUser", ParamInteger, places));
    EXPECT_FALSE(Read(ini, file, "Nowhere", "Other", ParamInteger, places));
    EXPECT_EQ(places.integer, 42);
    EXPECT_EQ(places.text, "default");
}

TEST_F(IniTest, NamesMatchWithoutRegardToCase) {
    TestFolder::Write(file, "[Difficult_Level]\nNumber=2\n");
    Places places;
    EXPECT_TRUE(Read(ini, file, "DIFFICULT_level", "nUMBER", ParamInteger, places));
    EXPECT_EQ(places.integer, 2);
    ASSERT_TRUE(ini.WriteParameter(file, "difficult_level", "NUMBER", ParamInteger, "", 0, 0, false, false));
    EXPECT_EQ(TestFolder::Read(file), "[Difficult_Level]\nNumber=0\n");
}

TEST_F(IniTest, IntegerConversions) {
    struct Case { const char* stored; std::int32_t expected; };
    const std::vector<Case> cases = {
        {"0x1F", 31}, {"0X1f", 31}, {"-7", -7}, {"+5", 5}, {" 12 ", 12},
        {"0xFFFFFFFF", -1}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        // These do not convert: the place keeps its value.
        {"12abc", 9}, {"", 9}, {"0x", 9}, {"0xG1", 9}, {"2147483648", 9}, {"0x100000000", 9},
        {"1.5", 9}, {"--1", 9}, {"+-1", 9}, {"-+1", 9}, {"++1", 9}, {"+ 1", 9}, {"+", 9}, {"-", 9},
    };
    for (const Case& c : cases) {
        std::int32_t value = 9;
        EXPECT_TRUE(ReadInteger(file, c.stored, value)) << c.stored;
        EXPECT_EQ(value, c.expected) << "stored text: '" << c.stored << "'";
    }
}

TEST_F(IniTest, BoolReadsAsAnIntegerAndWritesOneOrZero) {
    struct Case { const char* stored; bool before; bool expected; };
    for (const Case& c : std::vector<Case>{{"0", true, false}, {"2", false, true}, {"-1", false, true},
                                            {"yes", true, true}, {"yes", false, false}, {"", true, true},
                                            {"+-1", false, false}, {"+-0", true, true}}) {
        TestFolder::Write(file, std::string("[S]\nb=") + c.stored + "\n");
        Places places;
        places.flag = c.before;
        EXPECT_TRUE(Read(ini, file, "S", "b", ParamBool, places));
        EXPECT_EQ(places.flag, c.expected) << c.stored;
    }
    ASSERT_TRUE(ini.WriteParameter(file, "S", "b", ParamBool, "", 0, 0, true, false));
    ASSERT_TRUE(ini.WriteParameter(file, "S", "c", ParamBool, "", 0, 0, false, false));
    EXPECT_EQ(TestFolder::Read(file), "[S]\nb=1\nc=0\n");
}

TEST_F(IniTest, FloatUsesTheLocaleSeparatorBothWays) {
    ini.DecimalSeparator = ',';
    ASSERT_TRUE(ini.WriteParameter(file, "S", "f", ParamFloat, "", 0.5, 0, false, false));
    EXPECT_EQ(TestFolder::Read(file), "[S]\nf=0,5\n");
    Places places;
    EXPECT_TRUE(Read(ini, file, "S", "f", ParamFloat, places));
    EXPECT_DOUBLE_EQ(places.real, 0.5);

    TestFolder::Write(file, "[S]\nf=0.5\n");  // not a number under this locale
    places.real = 7;
    EXPECT_TRUE(Read(ini, file, "S", "f", ParamFloat, places));
    EXPECT_DOUBLE_EQ(places.real, 7);

    EXPECT_EQ(FormatIniFloat(0.1, '.'), "0.1");
    EXPECT_EQ(FormatIniFloat(1.0 / 3.0, '.'), "0.333333333333333");
    EXPECT_EQ(FormatIniFloat(-12.0, ','), "-12");
    double value = 0;
    EXPECT_TRUE(ParseIniFloat("1,25e2", ',', value));
    EXPECT_DOUBLE_EQ(value, 125);
    EXPECT_TRUE(ParseIniFloat("+.5", '.', value));
    EXPECT_DOUBLE_EQ(value, 0.5);
    EXPECT_TRUE(ParseIniFloat("-2.", '.', value));
    EXPECT_DOUBLE_EQ(value, -2);
    // Not numbers: each leaves the value as it was.
    for (const char* text : {"", "1.5x", "+-1.5", "-+1.5", "+", ".", "-.e1", "inf", "+inf", "-nan", "nan", "infinity", "1e999"}) {
        value = 7;
        EXPECT_FALSE(ParseIniFloat(text, '.', value)) << text;
        EXPECT_DOUBLE_EQ(value, 7) << text;
    }
    EXPECT_FALSE(ParseIniFloat("+-1,5", ',', value));
}

TEST_F(IniTest, StringsKeepTheirBytesAndAreCutAt2047) {
    const std::string name = Cp1251FromUtf8("Вася Пупкин");
    ASSERT_TRUE(ini.WriteParameter(file, "Name", "LastName", ParamString, name, 0, 0, false, false));
    Places places;
    EXPECT_TRUE(Read(ini, file, "Name", "LastName", ParamString, places));
    EXPECT_EQ(places.text, name);

    TestFolder::Write(file, "[Name]\nLastName=" + std::string(5000, 'x') + "\n");
    EXPECT_TRUE(Read(ini, file, "Name", "LastName", ParamString, places));
    EXPECT_EQ(places.text, std::string(2047, 'x'));

    TestFolder::Write(file, "[Name]\nLastName=\n");
    EXPECT_TRUE(Read(ini, file, "Name", "LastName", ParamString, places));
    EXPECT_EQ(places.text, "");
}

TEST_F(IniTest, OnlyThePlaceOfTheSelectorIsTouched) {
    TestFolder::Write(file, "[S]\nk=5\n");
    Places places;
    EXPECT_TRUE(Read(ini, file, "S", "k", 7, places));  // unknown selector: found, nothing read
    EXPECT_TRUE(Read(ini, file, "S", "k", ParamInteger, places));
    EXPECT_EQ(places.integer, 5);
    EXPECT_EQ(places.text, "default");
    EXPECT_DOUBLE_EQ(places.real, 2.5);
    EXPECT_FALSE(places.flag);

    EXPECT_TRUE(ini.WriteParameter(file, "S", "k", 7, "x", 1, 1, true, false));
    EXPECT_EQ(TestFolder::Read(file), "[S]\nk=5\n");
}

TEST_F(IniTest, WindowsFilesAreReadAndKeptAsTheyWere) {
    const std::string windows = "; settings\r\n[Game]\r\nVidUser=2\r\n\r\n[Name]\r\n; last player\r\nLastName=" +
                                Cp1251FromUtf8("Пётр") + "\r\n";
    TestFolder::Write(file, windows);
    Places places;
    EXPECT_TRUE(Read(ini, file, "game", "viduser", ParamInteger, places));
    EXPECT_EQ(places.integer, 2);
    EXPECT_TRUE(Read(ini, file, "Name", "LastName", ParamString, places));
    EXPECT_EQ(places.text, Cp1251FromUtf8("Пётр"));

    ASSERT_TRUE(ini.WriteParameter(file, "Game", "VidUser", ParamInteger, "", 0, 0, false, false));
    const std::string after = TestFolder::Read(file);
    EXPECT_NE(after.find("VidUser=0\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find("; last player\r\nLastName=" + Cp1251FromUtf8("Пётр") + "\r\n"), std::string::npos);
    EXPECT_NE(after.find("; settings"), std::string::npos);
    EXPECT_EQ(after.find("VidUser=2"), std::string::npos);
}

TEST_F(IniTest, OddFilesNeverCrashAndStillAnswer) {
    const std::vector<std::string> odd = {
        "[S]\nk=1",                              // no final newline
        "[S]\nk=1\n[S]\nj=2\n",                  // section twice
        "[S]\nk=1\nk=1\n",                       // key twice
        std::string("\xEF\xBB\xBF[S]\nk=1\n"),  // byte-order mark
        std::string("[S]\nk=1\n\0\xFF\xFE garbage ]]] ==\n", 28),
    };
    for (const std::string& content : odd) {
        TestFolder::Write(file, content);
        Places places;
        EXPECT_TRUE(Read(ini, file, "S", "k", ParamInteger, places)) << content;
        EXPECT_EQ(places.integer, 1);
        EXPECT_TRUE(ini.WriteParameter(file, "T", "x", ParamInteger, "", 0, 3, false, false));
        EXPECT_TRUE(Read(ini, file, "S", "k", ParamInteger, places));
    }
    // A byte-order mark stays where it was; bytes like it at the start of a key that the
    // writer puts first never become a mark, which would turn the line into a header.
    const std::string mark = "\xEF\xBB\xBF";
    TestFolder::Write(file, mark + "[S]\nk=1\n");
    ASSERT_TRUE(ini.WriteParameter(file, "S", "k", ParamInteger, "", 0, 2, false, false));
    EXPECT_EQ(TestFolder::Read(file), mark + "[S]\nk=2\n");
    TestFolder::Write(file, "x\n" + mark + "[N]=1\nold=1\n");
    ASSERT_TRUE(ini.WriteParameter(file, "", "new", ParamInteger, "", 0, 3, false, false));
    Places places;
    EXPECT_TRUE(Read(ini, file, "", "old", ParamInteger, places));
    EXPECT_TRUE(Read(ini, file, "", "new", ParamInteger, places));
    EXPECT_EQ(places.integer, 3);
    EXPECT_FALSE(Read(ini, file, "N]=1", "new", ParamInteger, places));
}

TEST_F(IniTest, RefusedWritesReturnFalseAndWarnOnlyWhenAsked) {
    std::vector<std::pair<std::string, std::string>> shown;
    WIniFile::SetWarningHandler([&](const std::string& caption, const std::string& text) {
        shown.emplace_back(caption, text);
    });
    TestFolder::Write(file, "[S]\nk=1\n");
    ::chmod(file.c_str(), 0444);

    EXPECT_FALSE(ini.WriteParameter(file, "S", "k", ParamInteger, "", 0, 2, false, false));
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(ini.WriteParameter(file, "S", "k", ParamInteger, "", 0, 2, false, true));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, Cp1251FromUtf8("Класс: WIniFile"));
    EXPECT_EQ(Utf8FromCp1251(shown[0].second),
              "Ошибка при записи параметра: k\nСекции: S\nФайла: " + file);
    EXPECT_EQ(TestFolder::Read(file), "[S]\nk=1\n");

    const std::string nowhere = folder.File("missing/game.ini");
    EXPECT_FALSE(ini.WriteParameter(nowhere, "S", "k", ParamInteger, "", 0, 2, false, false));

    // A value with a line break would add a key of its own; what the form cannot hold is
    // refused and nothing is written.
    const std::string other = folder.File("b.ini");
    EXPECT_FALSE(ini.WriteParameter(other, "S", "k", ParamString, "a\n[X]\ny=1", 0, 0, false, false));
    EXPECT_FALSE(ini.WriteParameter(other, "S", std::string("k\0x", 3), ParamInteger, "", 0, 1, false, false));
    EXPECT_FALSE(ini.WriteParameter(other, "S", "k", ParamString, std::string("a\0b", 3), 0, 0, false, false));
    for (const char* key : {";k", "#k", "[k", " ", "k=1"})
        EXPECT_FALSE(ini.WriteParameter(other, "S", key, ParamInteger, "", 0, 1, false, false)) << key;
    EXPECT_FALSE(ini.WriteParameter(other, "S]", "k", ParamInteger, "", 0, 1, false, false));
    EXPECT_FALSE(FileExists(other));
    // Blanks around names are not part of them.
    ASSERT_TRUE(ini.WriteParameter(other, " S ", "\tk ", ParamInteger, "", 0, 4, false, false));
    EXPECT_EQ(TestFolder::Read(other), "[S]\nk=4\n");
    Places places;
    EXPECT_TRUE(Read(ini, other, "S", " k", ParamInteger, places));
    EXPECT_EQ(places.integer, 4);
    WIniFile::SetWarningHandler(nullptr);
}

TEST_F(IniTest, UnreadableFileWarnsWithTheReadMessage) {
    std::string text;
    WIniFile::SetWarningHandler([&](const std::string&, const std::string& message) { text = message; });
    std::filesystem::create_directory(file);  // a folder where the file should be
    Places places;
    EXPECT_FALSE(ini.ReadParameter(file, "S", "k", ParamInteger, places.text, places.real, places.integer,
                                   places.flag, true));
    EXPECT_EQ(Utf8FromCp1251(text), "Ошибка при чтении параметра: k\nСекции: S\nФайла: " + file);
    EXPECT_EQ(places.integer, 42);
    WIniFile::SetWarningHandler(nullptr);
}

// A settings file that exists but cannot be read is not taken for a missing one: a write
// refuses rather than replace it with a file of one key.
TEST_F(IniTest, AFileThatCannotBeReadIsNeverOverwritten) {
    TestFolder::Write(file, "[Game]\nVidUser=2\n[Name]\nLastName=Ann\n");
    ::chmod(file.c_str(), 0200);
    const bool refused = faults::RunAsPlayer(folder.Path(), [&] {
        Places places;
        return !Read(ini, file, "Game", "VidUser", ParamInteger, places) && places.integer == 42 &&
               !ini.WriteParameter(file, "Game", "VidUser", ParamInteger, "", 0, 1, false, false);
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(TestFolder::Read(file), "[Game]\nVidUser=2\n[Name]\nLastName=Ann\n");
}

// Up to WIniFile::MaxFileSize a settings file is read as any other; a larger one (or an
// endless one) is neither read nor written, and costs no memory near its size.
TEST_F(IniTest, ASettingsFileBeyondTheLimitIsNeitherReadNorWritten) {
    const std::string head = "[Game]\nVidUser=2\n;";
    TestFolder::Write(file, head + std::string(WIniFile::MaxFileSize - head.size() - 1, 'c') + "\n");
    Places places;
    EXPECT_TRUE(Read(ini, file, "Game", "VidUser", ParamInteger, places));
    EXPECT_EQ(places.integer, 2);

    constexpr off_t GiB = off_t{1} << 30;
    ASSERT_EQ(::truncate(file.c_str(), GiB), 0);
    bool threw = false, found = true, written = true;
    places.integer = 42;
    try {
        faults::AllocationLimit cap(1 << 20);
        found = Read(ini, file, "Game", "VidUser", ParamInteger, places);
        written = ini.WriteParameter(file, "Game", "VidUser", ParamInteger, "", 0, 1, false, false);
    } catch (...) {
        threw = true;
    }
    ASSERT_FALSE(threw);
    EXPECT_FALSE(found);
    EXPECT_EQ(places.integer, 42);
    EXPECT_FALSE(written);
    EXPECT_EQ(std::filesystem::file_size(file), static_cast<std::uintmax_t>(GiB));

    const std::string endless = folder.File("zero.ini");
    std::filesystem::create_symlink("/dev/zero", endless);
    EXPECT_FALSE(Read(ini, endless, "Game", "VidUser", ParamInteger, places));
    EXPECT_FALSE(ini.WriteParameter(endless, "Game", "VidUser", ParamInteger, "", 0, 1, false, false));
}

// With no memory at all both calls return false, warn if they can, and change nothing.
TEST_F(IniTest, NoCallLetsAFailedAllocationEscape) {
    TestFolder::Write(file, "[S]\nk=5\n");
    WIniFile::SetWarningHandler([](const std::string&, const std::string&) {});
    // The by-value arguments are moved in, so that the calls themselves need no memory.
    std::string args[] = {file, "S", "k", file, "S", "k", "text"};
    Places places;
    bool threw = false, found = true, written = true;
    try {
        faults::AllocationLimit none(0);
        found = ini.ReadParameter(std::move(args[0]), std::move(args[1]), std::move(args[2]), ParamInteger,
                                  places.text, places.real, places.integer, places.flag, true);
        written = ini.WriteParameter(std::move(args[3]), std::move(args[4]), std::move(args[5]), ParamString,
                                     std::move(args[6]), 0, 0, false, true);
    } catch (...) {
        threw = true;
    }
    WIniFile::SetWarningHandler(nullptr);
    ASSERT_FALSE(threw);
    EXPECT_FALSE(found);
    EXPECT_FALSE(written);
    EXPECT_EQ(places.integer, 42);
    EXPECT_EQ(TestFolder::Read(file), "[S]\nk=5\n");
}

TEST_F(IniTest, WritesThroughAChainOfLinksReachTheRealFile) {
    TestFolder::Write(folder.File("real.ini"), "[Game]\nVidUser=0\n");
    std::filesystem::create_symlink("real.ini", folder.File("b.ini"));
    std::filesystem::create_symlink("b.ini", file);
    ASSERT_TRUE(ini.WriteParameter(file, "Game", "VidUser", ParamInteger, "", 0, 2, false, false));
    EXPECT_EQ(TestFolder::Read(folder.File("real.ini")), "[Game]\nVidUser=2\n");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("b.ini")));
    Places places;
    EXPECT_TRUE(Read(ini, file, "Game", "VidUser", ParamInteger, places));
    EXPECT_EQ(places.integer, 2);
}
