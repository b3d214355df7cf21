// Feeds arbitrary bytes to the settings reader as an INI file, then writes into it.
#include <cstdint>
#include <cstdlib>

#include "FuzzFile.h"
#include "common/Winifile.h"

using namespace vum;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const FuzzScratch scratch;
    const std::string path = scratch.File("settings.ini");
    WriteFuzzFile(path, data, size);

    WIniFile ini;
    const char* sections[] = {"Game", "Name", "Difficult_Level"};
    const char* keys[] = {"VidUser", "LastName", "Number"};
    for (int i = 0; i < 3; ++i) {
        for (std::int32_t type = ParamString; type <= ParamBool; ++type) {
            std::string text;
            double real = 0;
            std::int32_t integer = 0;
            bool flag = false;
            ini.ReadParameter(path, sections[i], keys[i], type, text, real, integer, flag, false);
            if (text.size() > 2047) std::abort();
        }
    }
    if (ini.WriteParameter(path, "Game", "VidUser", ParamInteger, "", 0, 2, false, false)) {
        std::string text;
        double real = 0;
        std::int32_t integer = -5;
        bool flag = false;
        // What was written must read back.
        if (!ini.ReadParameter(path, "Game", "VidUser", ParamInteger, text, real, integer, flag, false) ||
            integer != 2)
            std::abort();
    }
    return 0;
}
