#pragma once
// The windows speak QString; the engines and files speak CP1251 bytes. These two
// functions are the one crossing between them.

#include <QString>
#include <string>

#include "common/Cp1251.h"

namespace vum {

inline QString FromCp1251(const std::string& bytes) { return QString::fromStdString(Utf8FromCp1251(bytes)); }
inline std::string ToCp1251(const QString& text) { return Cp1251FromUtf8(text.toStdString()); }

// A file-system path as the windows hold it, and back. A path is bytes, usually UTF-8 but
// not always (a folder named in another encoding): a byte that is no part of a UTF-8
// character travels as a lone surrogate U+DC80..U+DCFF, so that ToPath(FromPath(p)) == p
// for every path p and a window never opens a file of another name.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace vum
