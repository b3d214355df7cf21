// Feeds arbitrary files to the settings reader, writes one parameter of any type into
// them, and checks what the calls promise: a write that succeeds reads back (as the file
// form keeps it), leaves every other parameter as it was, and a write that fails leaves
// the file byte for byte.
//
// Input: byte 0 the type (low three bits: 0..3, 4 an unknown selector; bit 7: a comma as
// decimal separator); bytes 1 and 2 pick the section and the key (0..2 the games' names,
// else a name that follows, a length byte and its bytes); then the value (a string: a
// two-byte length and its bytes; an integer 4 bytes; a real 8 bytes; a flag 1 byte); the
// rest is the file.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzFile.h"
#include "common/SafeFile.h"
#include "common/Winifile.h"

using namespace vum;

namespace {

class Input {
public:
    Input(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    unsigned char Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string Bytes(std::size_t count) {
        count = std::min(count, size_ - at_);
        std::string text(reinterpret_cast<const char*>(data_ + at_), count);
        at_ += count;
        return text;
    }
    template <typename T>
    T Value() {
        T value{};
        const std::string bytes = Bytes(sizeof value);
        std::memcpy(&value, bytes.data(), bytes.size());
        return value;
    }
    std::string Rest() { return Bytes(size_ - at_); }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

const char* const Sections[] = {"Game", "Name", "Difficult_Level"};
const char* const Keys[] = {"VidUser", "LastName", "Number"};

struct Places {
    std::string text = "\x01unset";
    double real = -0.25;
    std::int32_t integer = -12345;
    bool flag = true;
    bool found = false;

    bool operator==(const Places& other) const {
        return found == other.found && text == other.text && integer == other.integer && flag == other.flag &&
               std::memcmp(&real, &other.real, sizeof real) == 0;
    }
};

Places ReadAs(const WIniFile& ini, const std::string& path, const std::string& section, const std::string& key,
              std::int32_t type) {
    Places places;
    places.found = ini.ReadParameter(path, section, key, type, places.text, places.real, places.integer,
                                     places.flag, false);
    Check(places.text.size() <= 2047);
    return places;
}

// Names match without regard to ASCII case and to the blanks around them.
bool SameName(std::string a, const std::string& b) {
    const auto first = a.find_first_not_of(" \t");
    a = first == std::string::npos ? std::string() : a.substr(first, a.find_last_not_of(" \t") - first + 1);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// A string as it reads back: blanks and tabs off both ends, 2047 at most.
std::string AsStored(std::string text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    return text.substr(0, 2047);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const FuzzScratch scratch;
    const std::string path = scratch.File("settings.ini");

    Input input(data, size);
    const unsigned char selector = input.Byte();
    const std::int32_t type = (selector & 7) < 4 ? selector & 7 : 7;
    WIniFile ini;
    ini.DecimalSeparator = (selector & 0x80) != 0 ? ',' : '.';
    const unsigned char sectionPick = input.Byte();
    const unsigned char keyPick = input.Byte();
    const std::string section = sectionPick < 3 ? Sections[sectionPick] : input.Bytes(input.Byte());
    const std::string key = keyPick < 3 ? Keys[keyPick] : input.Bytes(input.Byte());
    std::string text;
    double real = 0;
    std::int32_t integer = 0;
    bool flag = false;
    switch (type) {
        case ParamString: text = input.Bytes(input.Value<std::uint16_t>() % 4096); break;
        case ParamFloat: real = input.Value<double>(); break;
        case ParamInteger: integer = input.Value<std::int32_t>(); break;
        case ParamBool: flag = (input.Byte() & 1) != 0; break;
        default: break;
    }
    const std::string file = input.Rest();
    WriteFuzzFile(path, reinterpret_cast<const unsigned char*>(file.data()), file.size());

    // Every parameter of the games, of every type, before the write.
    Places before[3][4];
    for (int i = 0; i < 3; ++i)
        for (std::int32_t t = 0; t < 4; ++t) before[i][t] = ReadAs(ini, path, Sections[i], Keys[i], t);

    const bool written = ini.WriteParameter(path, section, key, type, text, real, integer, flag, false);
    if (!written) {
        Check(ReadFileHead(path, 1 << 22).content == file);
        return 0;
    }
    if (type == 7) {
        Check(ReadFileHead(path, 1 << 22).content == file);
        return 0;
    }

    const Places back = ReadAs(ini, path, section, key, type);
    Check(back.found);
    switch (type) {
        case ParamString: Check(back.text == AsStored(text)); break;
        case ParamInteger: Check(back.integer == integer); break;
        case ParamBool: Check(back.flag == flag); break;
        case ParamFloat:
            if (std::isfinite(real))
                Check(FormatIniFloat(back.real, '.') == FormatIniFloat(real, '.'));
            else
                Check(back.real == Places().real);  // "inf" or "nan" is no number: the place keeps its value
            break;
        default: break;
    }
    // The other parameters read as before.
    for (int i = 0; i < 3; ++i) {
        if (SameName(section, Sections[i]) && SameName(key, Keys[i])) continue;
        for (std::int32_t t = 0; t < 4; ++t) Check(ReadAs(ini, path, Sections[i], Keys[i], t) == before[i][t]);
    }
    return 0;
}
