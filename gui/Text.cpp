#include "gui/Text.h"

namespace vum {

namespace {

// Where a byte that is no part of a UTF-8 character is kept: U+DC00 plus the byte. Only
// bytes from 0x80 up are ever kept so (every ASCII byte is a character of its own).
constexpr char16_t ByteEscape = 0xDC00;

void AppendUtf8(std::string& bytes, char32_t code) {
    const auto byte = [&bytes](char32_t value) { bytes += static_cast<char>(static_cast<unsigned char>(value)); };
    if (code < 0x80) {
        byte(code);
    } else if (code < 0x800) {
        byte(0xC0 | (code >> 6));
        byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        byte(0xE0 | (code >> 12));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    } else {
        byte(0xF0 | (code >> 18));
        byte(0x80 | ((code >> 12) & 0x3F));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    }
}

}  // namespace

QString FromPath(const std::string& path) {
    QString text;
    text.reserve(static_cast<qsizetype>(path.size()));
    const auto* bytes = reinterpret_cast<const unsigned char*>(path.data());
    const std::size_t size = path.size();
    for (std::size_t i = 0; i < size;) {
        const unsigned char lead = bytes[i];
        const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
        bool valid = length > 0 && i + length <= size;
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (bytes[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (bytes[i + k] & 0x3Fu);
        }
        // UTF-8 as it is defined: the shortest form, no surrogates, nothing past U+10FFFF.
        static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= Least[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            text += QChar(static_cast<char16_t>(ByteEscape + lead));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        } else {
            text += QChar(static_cast<char16_t>(code));
        }
        i += length;
    }
    return text;
}

std::string ToPath(const QString& path) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(path.size()));
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < path.size() && path[i + 1].isLowSurrogate()) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(unit, path[i + 1].unicode()));
            ++i;
        } else if (unit >= ByteEscape + 0x80 && unit <= ByteEscape + 0xFF) {
            bytes += static_cast<char>(static_cast<unsigned char>(unit - ByteEscape));
        } else if (QChar::isSurrogate(unit)) {
            bytes += '?';  // half a character, which no file name holds
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

}  // namespace vum
