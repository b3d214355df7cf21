#pragma once
// Fonts of window components: a face asked for by name, the size in pixels.

#include <QFont>
#include <QString>

namespace vum {

// The face asked for in place of family. The old Windows sans faces ("MS Sans Serif",
// "Microsoft Sans Serif"), which Linux systems do not have, are asked for as "Arial", whose
// metric twin fontconfig provides: the generic fallback (DejaVu Sans) runs some 15 % wider
// and would clip texts such as "Уровень сложности". Every other face goes to fontconfig as
// named. Deciding this asks nothing of the font database, which a window's constructor
// would otherwise have to wait for.
QString FontFace(const QString& family);

QFont PixelFont(const QString& family, int pixelSize, bool bold = false, bool italic = false);

// Starts reading the system's font configuration (fontconfig's files) in a thread of its own,
// before the application object exists, so that the first text a window draws need not wait
// for all of it. The thread calls the C library only and is not waited for: a program that
// ends meanwhile ends at once.
void StartLoadingFontConfiguration();

}  // namespace vum
