#pragma once
// The one curve drawing of the time diagram: four periods of a sine wave, drawn in a colour
// and stretched onto the rectangle of a curve picture.

#include "model/kurvenplatz.h"

class QColor;
class QPainter;
class QRectF;

namespace zivor {

class Strichdeckung;

// Draws the wave stretched onto ziel (pixels of the painter, may reach far outside the
// widget) in the colour farbe with the drawing's 6-unit line stretched with it (at least one
// device pixel wide), antialiased, without fill. Draws nothing for an empty or non-finite
// rectangle. merker keeps the stroke's pixels of a curve picture from one painting to the
// next, so that an unchanged curve is not worked out again.
void zeichneKurve(QPainter &p, const QRectF &ziel, const QColor &farbe,
                  Strichdeckung *merker = nullptr);

} // namespace zivor
