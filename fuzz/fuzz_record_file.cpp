// Feeds arbitrary files, whole, to the record-file reader and writer of every layout, and
// checks what the operations promise: the layout read cell by cell, the ranking rule of
// AddScore, and that what was written reads back.
//
// Input: byte 0 picks the layout (0..2: the score table of that level, 3: the counter
// file); bytes 1..4 a score (little-endian; for the counter file its level, modulo 3);
// byte 5 the length of a name (at most 63) and then its bytes; the rest is the file.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "common/SafeFile.h"
#include "common/Wbestscorefile.h"

using namespace vum;

namespace {

// The character k of record r as the layout stores it, reading past the end as -1.
unsigned char StoredCharacter(const std::string& file, std::int32_t filler, std::int32_t width, int r, int k) {
    const std::size_t cell = static_cast<std::size_t>(filler) + 1;
    const std::size_t offset = (static_cast<std::size_t>(r) * width + k) * cell + cell - 1;
    return DecodeRecordByte(offset < file.size() ? static_cast<unsigned char>(file[offset]) : -1);
}

std::vector<ScoreEntry> ExpectedTable(const std::string& file, std::int32_t filler) {
    std::vector<ScoreEntry> entries;
    for (int r = 0; r < WBestScoreFile::TableRecords; ++r) {
        std::string record;
        for (int k = 0; k < WBestScoreFile::RecordWidth; ++k)
            record += static_cast<char>(StoredCharacter(file, filler, WBestScoreFile::RecordWidth, r, k));
        entries.push_back({record.substr(0, 30), RecordNumber(record.substr(30))});
    }
    return entries;
}

bool Same(const ScoreEntry& a, const ScoreEntry& b) { return a.Name == b.Name && a.Score == b.Score; }

void Table(const std::string& path, const std::string& file, std::int32_t level, std::int32_t score,
           const std::string& name) {
    WBestScoreFile table(level);
    table.FileName = path;
    Check(table.ReadTable(path));
    const std::vector<ScoreEntry> before = ExpectedTable(file, table.FillerLength);
    Check(table.Entries.size() == 10);
    for (std::size_t i = 0; i < 10; ++i) Check(Same(table.Entries[i], before[i]));

    Check(table.Qualifies(score) == (score != 0 && before[9].Score < score));

    // The smallest index whose score is lower.
    std::int32_t expected = -1;
    for (std::int32_t i = 9; i >= 0; --i)
        if (before[static_cast<std::size_t>(i)].Score < score) expected = i;
    const std::int32_t place = table.AddScore(name, score);
    Check(place == expected);

    const std::string written = ReadFileHead(path, 1 << 16).content;
    Check(written.size() == static_cast<std::size_t>(400 + 40 * level) * 10);
    WBestScoreFile again(level);
    Check(again.ReadTable(path));
    const std::vector<ScoreEntry>& after = again.Entries;
    for (std::int32_t i = 0; i < 10; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (place == -1 || i < place) {
            Check(Same(after[at], before[at]));
        } else if (i == place) {
            std::string padded = name.substr(0, 30);
            padded.resize(30, ' ');
            Check(after[at].Name == padded && after[at].Score == score);
        } else {
            Check(Same(after[at], before[at - 1]));
        }
    }
    // Ranking: every entry ahead of the new one scores at least as much.
    for (std::int32_t i = 0; i < place; ++i) Check(after[static_cast<std::size_t>(i)].Score >= score);
}

void Counters(const std::string& path, std::int32_t level) {
    WBestScoreFile counters;
    std::int32_t before[3];
    for (int l = 0; l < 3; ++l) before[l] = counters.ReadCounter(path, l);
    const std::int32_t after = counters.IncrementCounter(path, level);
    const std::int32_t expected =
        before[level] == std::numeric_limits<std::int32_t>::max() ? before[level] : before[level] + 1;
    Check(after == expected);
    Check(ReadFileHead(path, 1 << 16).content.size() == 630);
    for (int l = 0; l < 3; ++l) Check(counters.ReadCounter(path, l) == (l == level ? expected : before[l]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const FuzzScratch scratch;
    const std::string path = scratch.File("record.dat");
    if (size < 6) return 0;
    const int layout = data[0] % 4;
    std::uint32_t raw = 0;
    std::memcpy(&raw, data + 1, 4);
    const auto score = static_cast<std::int32_t>(raw);
    const std::size_t nameLength = std::min<std::size_t>(data[5] % 64, size - 6);
    const std::string name(reinterpret_cast<const char*>(data + 6), nameLength);
    const std::string file(reinterpret_cast<const char*>(data + 6 + nameLength), size - 6 - nameLength);

    WriteFuzzFile(path, reinterpret_cast<const unsigned char*>(file.data()), file.size());
    if (layout < 3)
        Table(path, file, layout, score, name);
    else
        Counters(path, static_cast<std::int32_t>(raw % 3));
    return 0;
}
