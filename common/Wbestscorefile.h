#pragma once
// The games' scrambled record files: the Sudoku solved counters and the colour-squares
// best-score tables. Each character of a fixed-width record is stored as FillerLength
// random bytes followed by its code plus 5 (modulo 256).
//
// No operation lets an exception escape (an allocation that fails gives the operation's
// failure result), and a file is read only as far as its layout goes.

#include <cstdint>
#include <string>
#include <vector>

namespace vum {
class WRandom;
}  // namespace vum

struct ScoreEntry {
    std::string Name;  // exactly 30 characters as read, trailing blanks kept
    std::int32_t Score = 0;
};

class WBestScoreFile {
public:
    static constexpr std::int32_t CounterRecords = 3;
    static constexpr std::int32_t CounterWidth = 10;
    static constexpr std::int32_t TableRecords = 10;
    static constexpr std::int32_t NameWidth = 30;
    static constexpr std::int32_t ScoreWidth = 10;
    static constexpr std::int32_t RecordWidth = NameWidth + ScoreWidth;

    // Counter file (FillerLength 20).
    WBestScoreFile();
    // Score table of level 0, 1 or 2 (FillerLength 9, 10 or 11).
    explicit WBestScoreFile(std::int32_t level);
    ~WBestScoreFile();

    std::int32_t ReadCounter(std::string path, std::int32_t level) const;
    // Adds one to the level's count and replaces the file; the new count, or 0 when the
    // file could not be written (it then keeps its old content).
    std::int32_t IncrementCounter(std::string path, std::int32_t level) const;

    void CreateIfMissing(std::string path) const;
    bool ReadTable(std::string path);
    bool Qualifies(std::int32_t score);
    // The entry's place 0..9, or -1 when it did not enter or could not be stored.
    std::int32_t AddScore(std::string name, std::int32_t score);

    std::string ClassCaption;
    std::string FileName;
    std::int32_t FillerLength;
    std::vector<ScoreEntry> Entries;

    // Source of the filler bytes; the program's generator unless a test sets another.
    vum::WRandom* Random;

private:
    std::vector<std::string> ReadRecords(const std::string& path, std::int32_t records,
                                         std::int32_t width, bool& opened, bool& missing) const;
    std::string Encode(const std::vector<std::string>& records, std::int32_t width) const;
    // False when the file exists but cannot be read (counts are then zeros).
    bool ReadCounters(const std::string& path, std::int32_t (&counts)[CounterRecords]) const;
    // The table operations without taking the folder lock, for callers that hold it.
    void CreateTable(const std::string& path) const;
    bool LoadTable(const std::string& path);
};

namespace vum {

// The decoding of one stored byte, and the encoding of one character.
unsigned char DecodeRecordByte(int stored);
unsigned char EncodeRecordByte(unsigned char character);

// Blanks and control characters off both ends, then an optional sign and the leading
// digits; no digits give 0. Values beyond 32 bits saturate.
std::int32_t RecordNumber(const std::string& text);

}  // namespace vum
