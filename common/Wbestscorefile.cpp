#include "common/Wbestscorefile.h"

#include <algorithm>
#include <limits>

#include "common/Cp1251.h"
#include "common/SafeFile.h"
#include "common/WRandom.h"
#include "common/Wastring.h"

namespace vum {

unsigned char DecodeRecordByte(int stored) { return static_cast<unsigned char>((stored - 5) & 0xFF); }
unsigned char EncodeRecordByte(unsigned char character) { return static_cast<unsigned char>((character + 5) & 0xFF); }

std::int32_t RecordNumber(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 0x20) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 0x20) --last;

    bool negative = false;
    if (first < last && (text[first] == '-' || text[first] == '+')) negative = text[first++] == '-';
    std::int64_t value = 0;
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::int64_t{std::numeric_limits<std::int32_t>::max()};
    for (; first < last && text[first] >= '0' && text[first] <= '9'; ++first)
        value = std::min(limit, value * 10 + (text[first] - '0'));
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace vum

using namespace vum;

WBestScoreFile::WBestScoreFile()
    : ClassCaption(Cp1251FromUtf8("Класс: WBestScoreFile")), FillerLength(20), Random(&ProgramRandom()) {}

WBestScoreFile::WBestScoreFile(std::int32_t level)
    : ClassCaption(Cp1251FromUtf8("Класс: WBestScoreFile")),
      FillerLength(9 + std::clamp(level, 0, 2)),
      Random(&ProgramRandom()) {}

WBestScoreFile::~WBestScoreFile() { Entries.clear(); }

std::vector<std::string> WBestScoreFile::ReadRecords(const std::string& path, std::int32_t records,
                                                     std::int32_t width, bool& opened, bool& missing) const {
    const auto cell = static_cast<std::size_t>(FillerLength) + 1;
    // Only as far as the layout goes: a longer file costs no more than a whole one.
    const FileHead head = ReadFileHead(path, static_cast<std::size_t>(records) * width * cell);
    opened = head.status == FileHead::Read;
    missing = head.status == FileHead::Missing;
    std::vector<std::string> result;
    if (!opened) return result;
    const std::string& content = head.content;
    for (std::int32_t r = 0; r < records; ++r) {
        std::string record;
        for (std::int32_t k = 0; k < width; ++k) {
            const std::size_t offset = (static_cast<std::size_t>(r) * width + k) * cell + cell - 1;
            // Past the end a byte reads as the end-of-file value -1.
            const int stored = offset < content.size() ? static_cast<unsigned char>(content[offset]) : -1;
            record += static_cast<char>(DecodeRecordByte(stored));
        }
        result.push_back(std::move(record));
    }
    return result;
}

std::string WBestScoreFile::Encode(const std::vector<std::string>& records, std::int32_t width) const {
    Random->SeedFromClock();
    std::string content;
    content.reserve(records.size() * static_cast<std::size_t>(width) * (FillerLength + 1u));
    for (const std::string& record : records) {
        for (std::int32_t k = 0; k < width; ++k) {
            for (std::int32_t f = 0; f < FillerLength; ++f) content += static_cast<char>(Random->DrawByte());
            const auto character = k < static_cast<std::int32_t>(record.size())
                                       ? static_cast<unsigned char>(record[static_cast<std::size_t>(k)])
                                       : static_cast<unsigned char>(' ');
            content += static_cast<char>(EncodeRecordByte(character));
        }
    }
    return content;
}

bool WBestScoreFile::ReadCounters(const std::string& path, std::int32_t (&counts)[CounterRecords]) const {
    bool opened = false;
    bool missing = false;
    const auto records = ReadRecords(path, CounterRecords, CounterWidth, opened, missing);
    for (std::int32_t r = 0; r < CounterRecords; ++r)
        counts[r] = opened ? RecordNumber(records[static_cast<std::size_t>(r)]) : 0;
    // Only a file that is not there counts as zeros; one that cannot be read is kept.
    return opened || missing;
}

std::int32_t WBestScoreFile::ReadCounter(std::string path, std::int32_t level) const {
    if (level < 0 || level >= CounterRecords) return 0;
    try {
        std::int32_t counts[CounterRecords];
        ReadCounters(path, counts);
        return counts[level];
    } catch (...) {
        return 0;
    }
}

std::int32_t WBestScoreFile::IncrementCounter(std::string path, std::int32_t level) const {
    if (level < 0 || level >= CounterRecords) return 0;
    try {
        FolderLock lock(path);
        std::int32_t counts[CounterRecords];
        if (lock.Busy() || !ReadCounters(path, counts)) return 0;
        if (counts[level] < std::numeric_limits<std::int32_t>::max()) ++counts[level];

        WString padding;
        std::vector<std::string> records;
        for (std::int32_t count : counts) records.push_back(padding.PadRight(std::to_string(count), CounterWidth));
        if (!ReplaceFileAtomically(path, Encode(records, CounterWidth))) return 0;
        return counts[level];
    } catch (...) {
        return 0;
    }
}

void WBestScoreFile::CreateIfMissing(std::string path) const {
    try {
        FolderLock lock(path);
        if (!lock.Busy()) CreateTable(path);
    } catch (...) {
    }
}

void WBestScoreFile::CreateTable(const std::string& path) const {
    if (FileExists(path)) return;
    CreateFileAtomically(path, Encode(std::vector<std::string>(TableRecords), RecordWidth));
}

bool WBestScoreFile::ReadTable(std::string path) {
    try {
        // Under the lock, a table that another copy is creating is seen whole.
        FolderLock lock(path);
        return !lock.Busy() && LoadTable(path);
    } catch (...) {
        return false;
    }
}

bool WBestScoreFile::LoadTable(const std::string& path) {
    CreateTable(path);
    bool opened = false;
    bool missing = false;
    const auto records = ReadRecords(path, TableRecords, RecordWidth, opened, missing);
    if (!opened) return false;
    std::vector<ScoreEntry> entries;
    for (const std::string& record : records)
        entries.push_back({record.substr(0, NameWidth), RecordNumber(record.substr(NameWidth, ScoreWidth))});
    Entries.swap(entries);
    return true;
}

bool WBestScoreFile::Qualifies(std::int32_t score) {
    if (score == 0) return false;
    try {
        if (!ReadTable(FileName)) return false;
        return Entries[TableRecords - 1].Score < score;
    } catch (...) {
        return false;
    }
}

std::int32_t WBestScoreFile::AddScore(std::string name, std::int32_t score) {
    try {
        FolderLock lock(FileName);
        if (lock.Busy() || !LoadTable(FileName)) return -1;

        std::int32_t place = -1;
        for (std::int32_t i = TableRecords - 1; i >= 0; --i)
            if (Entries[static_cast<std::size_t>(i)].Score < score) place = i;
        // A longer name would push the score out of its field.
        if (name.size() > static_cast<std::size_t>(NameWidth)) name.resize(NameWidth);
        if (place != -1) Entries.insert(Entries.begin() + place, ScoreEntry{name, score});

        WString padding;
        std::vector<std::string> records;
        for (std::int32_t i = 0; i < TableRecords; ++i) {
            const ScoreEntry& entry = Entries[static_cast<std::size_t>(i)];
            records.push_back(padding.PadRight(entry.Name, NameWidth) +
                              padding.PadRight(std::to_string(entry.Score), ScoreWidth));
        }
        if (!ReplaceFileAtomically(FileName, Encode(records, RecordWidth))) return -1;
        return place;
    } catch (...) {
        return -1;
    }
}
