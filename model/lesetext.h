#pragma once
// A text as a screen reader reads it, with the place of every character where it is drawn:
// lines separated by "\n", and for each character (the line breaks included) its rectangle in
// the coordinates of the drawing. A line break has no width; it stands at the end of its line.

#include <QList>
#include <QRectF>
#include <QString>

namespace zivor {

struct Lesetext {
    QString text;
    QList<QRectF> zeichen;

    // The character at a point of the drawing, -1 where there is none.
    int zeichenBei(QPointF punkt) const;
    // The band of the line that holds the character: from the left edge of the line's first
    // character to the right edge of its last, over the line's whole height.
    QRectF zeilenband(int offset) const;
};

} // namespace zivor
