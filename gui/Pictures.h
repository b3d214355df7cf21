#pragma once
// The programs' pictures: SVG files compiled into Qt resources, rendered at the size they
// are drawn at, so that they stay sharp at any scale.

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace vum {

// The picture at its natural size (the SVG's own width and height); a null image when the
// resource cannot be read.
QImage SvgImage(const QString& resource);

// The picture fitted to size, rendered for a screen of the given pixel ratio.
QPixmap SvgPixmap(const QString& resource, QSize size, qreal pixelRatio);

}  // namespace vum
