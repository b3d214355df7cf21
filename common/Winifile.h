#pragma once
// Typed access to one parameter of an INI settings file per call. Every call opens the
// file, does its one read or write and lets it go; nothing is cached. No call lets an
// exception escape: a failure of any kind (an allocation too) gives the result false.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

enum WIniParamType : std::int32_t {
    ParamString = 0,
    ParamFloat = 1,
    ParamInteger = 2,
    ParamBool = 3,
};

class WIniFile {
public:
    // Shows a warning (caption, text; both CP1251). The programs set one that opens a
    // message box; with none set, warnings show nothing.
    using WarningHandler = std::function<void(const std::string& caption, const std::string& text)>;
    static void SetWarningHandler(WarningHandler handler);

    WIniFile();

    // Reads one parameter into the place that matches type; that place's content is the
    // default. True when the key was found and read.
    bool ReadParameter(std::string file, std::string section, std::string key, std::int32_t type,
                       std::string& text, double& real, std::int32_t& integer, bool& flag,
                       bool ShowErrors) const;

    // Writes the value that matches type, creating file, section and key as needed.
    bool WriteParameter(std::string file, std::string section, std::string key, std::int32_t type,
                        std::string text, double real, std::int32_t integer, bool flag,
                        bool ShowErrors) const;

    // A settings file larger than this (1 MiB) is not read: a read of it returns false
    // (the caller keeps its value) and a write refuses, leaving it as it is.
    static constexpr std::size_t MaxFileSize = 1 << 20;

    std::string ClassCaption;
    // The user's decimal separator for ParamFloat, taken from the locale named by the
    // environment (LC_ALL, LC_NUMERIC, LANG) without touching the global locale.
    char DecimalSeparator;

private:
    bool Read(const std::string& file, const std::string& section, const std::string& key,
              std::int32_t type, std::string& text, double& real, std::int32_t& integer, bool& flag,
              bool ShowErrors) const;
    bool Write(const std::string& file, const std::string& section, const std::string& key,
               std::int32_t type, const std::string& text, double real, std::int32_t integer,
               bool flag, bool ShowErrors) const;
    void Warn(const char* what, const std::string& file, const std::string& section,
              const std::string& key) const;
};

namespace vum {

// The decimal separator of the locale named by the environment; '.' when that locale is
// not installed.
char UserDecimalSeparator();

// The number conversions of the settings file, shared with their tests.
bool ParseIniInteger(const std::string& text, std::int32_t& value);
bool ParseIniFloat(const std::string& text, char separator, double& value);
std::string FormatIniFloat(double value, char separator);

}  // namespace vum
