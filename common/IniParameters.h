#pragma once
// Typed reads and writes of one settings parameter over WIniFile, for callers that need one
// type: no places for the other three, and never a message (both games keep them off).

#include <cstdint>
#include <string>

#include "common/Winifile.h"

namespace vum {

// The value read, or value left as it was (the default) when the key is missing.
inline bool ReadIniInteger(const WIniFile& ini, const std::string& file, const std::string& section,
                           const std::string& key, std::int32_t& value) {
    std::string text;
    double real = 0;
    bool flag = false;
    return ini.ReadParameter(file, section, key, ParamInteger, text, real, value, flag, false);
}

inline bool ReadIniString(const WIniFile& ini, const std::string& file, const std::string& section,
                          const std::string& key, std::string& value) {
    double real = 0;
    std::int32_t integer = 0;
    bool flag = false;
    return ini.ReadParameter(file, section, key, ParamString, value, real, integer, flag, false);
}

inline bool ReadIniBool(const WIniFile& ini, const std::string& file, const std::string& section,
                        const std::string& key, bool& value) {
    std::string text;
    double real = 0;
    std::int32_t integer = 0;
    return ini.ReadParameter(file, section, key, ParamBool, text, real, integer, value, false);
}

inline bool WriteIniBool(const WIniFile& ini, const std::string& file, const std::string& section,
                         const std::string& key, bool value) {
    return ini.WriteParameter(file, section, key, ParamBool, std::string(), 0.0, 0, value, false);
}

inline bool WriteIniInteger(const WIniFile& ini, const std::string& file, const std::string& section,
                            const std::string& key, std::int32_t value) {
    return ini.WriteParameter(file, section, key, ParamInteger, std::string(), 0.0, value, false, false);
}

inline bool WriteIniString(const WIniFile& ini, const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) {
    return ini.WriteParameter(file, section, key, ParamString, value, 0.0, 0, false, false);
}

}  // namespace vum
