#pragma once
// The window icon as a Windows icon file (.ico), the form the exe carries as its resource and
// the installer shows: one entry per picture, sizes below 256 as 32-bit bitmaps with their
// transparency mask, 256 as PNG.

#include <QByteArray>
#include <QList>

class QImage;

namespace zivor {

// The .ico file of square pictures of 1 to 256 pixels, in the given order; empty when a
// picture is not square or not of such a size.
QByteArray icoDatei(const QList<QImage> &bilder);

} // namespace zivor
