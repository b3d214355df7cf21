#include "common/Wastring.h"

#include "common/Cp1251.h"

WString::WString() : ClassCaption(vum::Cp1251FromUtf8("Класс WString")) {}

std::string WString::PadRight(std::string text, std::int32_t width) const {
    if (width > 0 && static_cast<std::size_t>(width) > text.size())
        text.append(static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}
