// Feeds arbitrary bytes to the record-file reader and writer as both layouts.
#include <cstdint>
#include <cstdlib>

#include "FuzzFile.h"
#include "common/Wbestscorefile.h"

using namespace vum;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const FuzzScratch scratch;
    const std::string path = scratch.File("record.dat");
    const std::int32_t level = size > 0 ? data[0] % 3 : 0;

    WriteFuzzFile(path, data, size);
    WBestScoreFile table(level);
    table.FileName = path;
    if (!table.ReadTable(path) || table.Entries.size() != 10) std::abort();
    for (const ScoreEntry& entry : table.Entries)
        if (entry.Name.size() != 30) std::abort();
    const std::int32_t score = size > 1 ? static_cast<std::int32_t>(data[1]) * 1000 : 1;
    if (table.Qualifies(score)) {
        const std::int32_t place = table.AddScore(std::string(reinterpret_cast<const char*>(data), size), score);
        if (place < 0 || place > 9) std::abort();
    }

    WriteFuzzFile(path, data, size);
    WBestScoreFile counters;
    const std::int32_t before = counters.ReadCounter(path, level);
    const std::int32_t after = counters.IncrementCounter(path, level);
    if (after != (before == 2147483647 ? before : before + 1)) std::abort();
    return 0;
}
