#pragma once
// Fonts of window components: a face asked for by name, the size in pixels.

#include <QFont>
#include <QString>

namespace vum {

// The face asked for in place of family. The old Windows sans faces ("MS Sans Serif",
// "Microsoft Sans Serif") are asked for as such where installed, otherwise as "Arial", whose
// metric twin fontconfig provides: the generic fallback (DejaVu Sans) runs some 15 % wider
// and would clip texts such as "Уровень сложности". Every other face goes to fontconfig as
// named.
QString FontFace(const QString& family);

QFont PixelFont(const QString& family, int pixelSize, bool bold = false, bool italic = false);

}  // namespace vum
