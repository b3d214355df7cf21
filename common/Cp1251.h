#pragma once
// Conversion between UTF-8 (the toolkit and the file system) and the Windows Cyrillic
// code page CP1251 (the games' texts and files).

#include <string>
#include <string_view>

namespace vum {

// CP1251 bytes -> UTF-8. Every byte has a character; the one code that CP1251 leaves
// undefined (0x98) maps to U+0098, so all 256 codes survive a round trip.
std::string Utf8FromCp1251(std::string_view cp1251);

// UTF-8 -> CP1251 bytes. A character that CP1251 cannot hold, and every malformed
// UTF-8 sequence, becomes '?'.
std::string Cp1251FromUtf8(std::string_view utf8);

}  // namespace vum
