#include "common/Winifile.h"

// Bytes are kept as stored (CP1251); no UTF conversion layer.
#define SI_NO_CONVERSION
// Debian's header keeps the template bodies behind this switch; compiled in here, so
// the programs need no SimpleIni shared library.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <sys/stat.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <locale>
#include <string_view>

#include "common/Cp1251.h"
#include "common/SafeFile.h"

using namespace vum;

namespace {

constexpr std::size_t MaxValueLength = 2047;
// The reader skips these three bytes at the start of a file (and only there).
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

WIniFile::WarningHandler& Handler() {
    static WIniFile::WarningHandler handler;
    return handler;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

struct IniDocument {
    CSimpleIniA ini{false, false, false};
    bool crlf = false;
    bool byteOrderMark = false;
};

// Loads the file; a missing file is an empty document. False when it cannot be read or
// is larger than a settings file can be.
bool Load(IniDocument& document, const std::string& file) {
    document.ini.SetSpaces(false);
    // A regular file's size says at once whether it is too large; one that grows while it
    // is read is caught by the bounded read. Anything else (a FIFO, a device) reads as
    // unreadable (ReadFileHead).
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uintmax_t>(info.st_size) > WIniFile::MaxFileSize)
        return false;
    const FileHead head = ReadFileHead(file, WIniFile::MaxFileSize);
    if (head.status == FileHead::Missing) return true;
    if (head.status != FileHead::Read || head.truncated) return false;
    document.crlf = head.content.find("\r\n") != std::string::npos;
    document.byteOrderMark = head.content.rfind(ByteOrderMark, 0) == 0;
    return document.ini.LoadData(head.content) >= 0;
}

// An optional '+' or '-' and then a digit: the start of a decimal number. Keeps "+-1"
// and words such as "inf" from being read as numbers.
bool StartsAsDecimal(const std::string& text, char separator) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i < text.size() && text[i] == separator) ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

}  // namespace

namespace vum {

char UserDecimalSeparator() {
    const char* names[] = {std::getenv("LC_ALL"), std::getenv("LC_NUMERIC"), std::getenv("LANG")};
    for (const char* name : names) {
        if (name == nullptr || name[0] == '\0') continue;
        try {
            return std::use_facet<std::numpunct<char>>(std::locale(name)).decimal_point();
        } catch (const std::exception&) {
            return '.';
        }
    }
    return '.';
}

bool ParseIniInteger(const std::string& text, std::int32_t& value) {
    const std::string t = Trimmed(text);
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        std::uint32_t hex = 0;
        const char* end = t.data() + t.size();
        const auto [ptr, error] = std::from_chars(t.data() + 2, end, hex, 16);
        if (error != std::errc() || ptr != end) return false;
        value = static_cast<std::int32_t>(hex);
        return true;
    }
    if (!StartsAsDecimal(t, '\0')) return false;
    std::int32_t decimal = 0;
    const char* begin = t.data();
    const char* end = t.data() + t.size();
    if (begin != end && *begin == '+') ++begin;
    const auto [ptr, error] = std::from_chars(begin, end, decimal, 10);
    if (t.empty() || error != std::errc() || ptr != end) return false;
    value = decimal;
    return true;
}

bool ParseIniFloat(const std::string& text, char separator, double& value) {
    std::string t = Trimmed(text);
    if (!StartsAsDecimal(t, separator)) return false;
    if (separator != '.') {
        if (t.find('.') != std::string::npos) return false;
        for (char& c : t)
            if (c == separator) c = '.';
    }
    const char* begin = t.data();
    if (*begin == '+') ++begin;
    double parsed = 0;
    const auto [ptr, error] = std::from_chars(begin, t.data() + t.size(), parsed);
    if (error != std::errc() || ptr != t.data() + t.size()) return false;
    value = parsed;
    return true;
}

std::string FormatIniFloat(double value, char separator) {
    char buffer[64];
    const auto [ptr, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                            std::chars_format::general, 15);
    std::string text(buffer, error == std::errc() ? ptr : buffer);
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

}  // namespace vum

void WIniFile::SetWarningHandler(WarningHandler handler) { Handler() = std::move(handler); }

WIniFile::WIniFile()
    : ClassCaption(Cp1251FromUtf8("Класс: WIniFile")), DecimalSeparator(UserDecimalSeparator()) {}

void WIniFile::Warn(const char* what, const std::string& file, const std::string& section,
                    const std::string& key) const {
    try {
        if (!Handler()) return;
        // The path is the file system's UTF-8; the message is CP1251 throughout.
        const std::string text = Cp1251FromUtf8(what) + key + Cp1251FromUtf8("\nСекции: ") + section +
                                 Cp1251FromUtf8("\nФайла: ") + Cp1251FromUtf8(file);
        Handler()(ClassCaption, text);
    } catch (...) {
        // A warning that cannot be shown is not shown.
    }
}

bool WIniFile::ReadParameter(std::string file, std::string section, std::string key,
                             std::int32_t type, std::string& text, double& real,
                             std::int32_t& integer, bool& flag, bool ShowErrors) const {
    try {
        return Read(file, section, key, type, text, real, integer, flag, ShowErrors);
    } catch (...) {
        if (ShowErrors) Warn("Ошибка при чтении параметра: ", file, section, key);
        return false;
    }
}

bool WIniFile::Read(const std::string& file, const std::string& section, const std::string& key,
                    std::int32_t type, std::string& text, double& real, std::int32_t& integer,
                    bool& flag, bool ShowErrors) const {
    IniDocument document;
    if (!Load(document, file)) {
        if (ShowErrors) Warn("Ошибка при чтении параметра: ", file, section, key);
        return false;
    }
    const CSimpleIniA& ini = document.ini;
    // The file form keeps names without the blanks around them, and no name holds a NUL.
    const std::string sectionName = Trimmed(section);
    const std::string keyName = Trimmed(key);
    if (sectionName.find('\0') != std::string::npos || keyName.find('\0') != std::string::npos) return false;
    if (ini.GetSectionSize(sectionName.c_str()) <= 0) return false;
    const char* stored = ini.GetValue(sectionName.c_str(), keyName.c_str(), nullptr);
    if (stored == nullptr) return false;

    std::string value(stored);
    if (value.size() > MaxValueLength) value.resize(MaxValueLength);
    switch (type) {
        case ParamString:
            text = value;
            break;
        case ParamFloat:
            ParseIniFloat(value, DecimalSeparator, real);
            break;
        case ParamInteger:
            ParseIniInteger(value, integer);
            break;
        case ParamBool: {
            std::int32_t number = flag ? 1 : 0;
            ParseIniInteger(value, number);
            flag = number != 0;
            break;
        }
        default:
            break;
    }
    return true;
}

bool WIniFile::WriteParameter(std::string file, std::string section, std::string key,
                              std::int32_t type, std::string text, double real,
                              std::int32_t integer, bool flag, bool ShowErrors) const {
    try {
        return Write(file, section, key, type, text, real, integer, flag, ShowErrors);
    } catch (...) {
        if (ShowErrors) Warn("Ошибка при записи параметра: ", file, section, key);
        return false;
    }
}

bool WIniFile::Write(const std::string& file, const std::string& section, const std::string& key,
                     std::int32_t type, const std::string& text, double real, std::int32_t integer,
                     bool flag, bool ShowErrors) const {
    std::string value;
    switch (type) {
        case ParamString: value = text; break;
        case ParamFloat: value = FormatIniFloat(real, DecimalSeparator); break;
        case ParamInteger: value = std::to_string(integer); break;
        case ParamBool: value = flag ? "1" : "0"; break;
        default: return true;
    }

    const auto fail = [&] {
        if (ShowErrors) Warn("Ошибка при записи параметра: ", file, section, key);
        return false;
    };
    // What the file form cannot hold is refused rather than stored as something else: a
    // line break or a NUL anywhere, a ']' in a section name, a '=' in a key, a key that
    // would read as a comment or a section header. Names lose the blanks around them, as
    // the form keeps them.
    const std::string sectionName = Trimmed(section);
    const std::string keyName = Trimmed(key);
    const std::string* parts[] = {&sectionName, &keyName, &value};
    for (const std::string* part : parts)
        if (part->find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return fail();
    if (sectionName.find(']') != std::string::npos || keyName.find('=') != std::string::npos ||
        keyName.empty() || keyName.find_first_of(";#[") == 0)
        return fail();

    FolderLock lock(file);
    if (lock.Busy()) return fail();
    IniDocument document;
    if (!Load(document, file)) return fail();
    if (document.ini.SetValue(sectionName.c_str(), keyName.c_str(), value.c_str()) < 0) return fail();
    std::string content;
    if (document.ini.Save(content, false) < 0) return fail();
    if (document.crlf) {
        std::string withCrlf;
        withCrlf.reserve(content.size() + content.size() / 16);
        for (char c : content) {
            if (c == '\n') withCrlf += '\r';
            withCrlf += c;
        }
        content.swap(withCrlf);
    }
    // A file that began with a byte-order mark keeps it. Without one, a first line that
    // happens to begin with those bytes (a key named so) would lose them on the next
    // read and could turn into a section header: an empty line keeps it a key.
    if (document.byteOrderMark)
        content.insert(0, ByteOrderMark);
    else if (content.rfind(ByteOrderMark, 0) == 0)
        content.insert(0, document.crlf ? "\r\n" : "\n");
    if (!ReplaceFileAtomically(file, content)) return fail();
    return true;
}
