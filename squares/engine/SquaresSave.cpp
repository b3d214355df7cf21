#include "squares/engine/SquaresSave.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <vector>

#include "common/SafeFile.h"

namespace vum {

namespace {

constexpr std::string_view Heading = "VumSquare saved game";
constexpr int Version = 1;
// The file is some 300 bytes; a larger one is not ours and is not read past this.
constexpr std::size_t MaxFileSize = 4096;

// The items of the file, one a line without its line end (LF or CR LF); blank lines at the
// end do not count.
std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

// The value of a line "<name> <value>"; nullopt for another line.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || !line.starts_with(name) || line[name.size()] != ' ') return std::nullopt;
    return line.substr(name.size() + 1);
}

// A decimal number, nothing around it; nullopt for anything else.
std::optional<std::int32_t> Number(std::optional<std::string_view> text) {
    if (!text || text->empty()) return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size()) return std::nullopt;
    return value;
}

bool ReadField(std::optional<std::string_view> text, SquaresField::Grid& field) {
    if (!text || text->size() != field.size()) return false;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = (*text)[i];
        if (c < '0' || c > '0' + SquaresField::MaxColourCount) return false;
        field[i] = static_cast<std::uint8_t>(c - '0');
    }
    return true;
}

}  // namespace

std::string SavedRunName(std::int32_t level) { return "VumColor" + std::to_string(level + 1) + ".sav"; }

std::string SavedRunText(const SquaresPosition& position) {
    std::string text;
    text += Heading;
    text += "\nversion " + std::to_string(Version);
    text += "\nlevel " + std::to_string(position.Level);
    text += "\nscore " + std::to_string(position.Score);
    text += "\nspeed " + std::to_string(position.SpeedLevel);
    text += "\nseconds " + std::to_string(position.SecondCount);
    text += "\ninterval " + std::to_string(position.FieldInterval);
    text += "\nfield ";
    for (const std::uint8_t code : position.Field) text += static_cast<char>('0' + code);
    text += '\n';
    return text;
}

std::optional<SquaresPosition> PositionFromSavedText(std::string_view text) {
    const std::vector<std::string_view> lines = LinesOf(text);
    if (lines.size() != 8 || lines[0] != Heading || Number(ValueOf(lines[1], "version")) != Version) return std::nullopt;
    const auto level = Number(ValueOf(lines[2], "level"));
    const auto score = Number(ValueOf(lines[3], "score"));
    const auto speed = Number(ValueOf(lines[4], "speed"));
    const auto seconds = Number(ValueOf(lines[5], "seconds"));
    const auto interval = Number(ValueOf(lines[6], "interval"));
    if (!level || !score || !speed || !seconds || !interval) return std::nullopt;
    SquaresPosition position{*level, {}, *score, *speed, *seconds, *interval};
    if (!ReadField(ValueOf(lines[7], "field"), position.Field)) return std::nullopt;
    return position;
}

bool WriteSavedRun(const std::string& path, const SquaresPosition& position) {
    return ReplaceFileAtomically(path, SavedRunText(position));
}

std::optional<SquaresPosition> ReadSavedRun(const std::string& path) {
    const FileHead file = ReadFileHead(path, MaxFileSize);
    if (file.status != FileHead::Read || file.truncated) return std::nullopt;
    return PositionFromSavedText(file.content);
}

void RemoveSavedRun(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace vum
