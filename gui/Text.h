#pragma once
// The windows speak QString; the engines and files speak CP1251 bytes. These two
// functions are the one crossing between them.

#include <QString>
#include <string>

#include "common/Cp1251.h"

namespace vum {

inline QString FromCp1251(const std::string& bytes) { return QString::fromStdString(Utf8FromCp1251(bytes)); }
inline std::string ToCp1251(const QString& text) { return Cp1251FromUtf8(text.toStdString()); }

// A file-system path as the support units take it (the system's own UTF-8 bytes).
inline std::string ToPath(const QString& path) { return path.toStdString(); }

}  // namespace vum
