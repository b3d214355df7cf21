#pragma once
// Fixed-width text fields for the record files.

#include <cstdint>
#include <string>

class WString {
public:
    WString();

    // The text followed by blanks up to width; never cuts a longer text.
    std::string PadRight(std::string text, std::int32_t width) const;

    std::string ClassCaption;
};
