#pragma once
// Background of the time diagram: white plane, time axis and value axis with arrowheads, the
// yellow grid (half and whole 5 ms steps, one amplitude unit) and the axis labels.

class QPainter;
class QSizeF;

namespace zivor {

// Paints the background so that it fills (0, 0, innen.width(), innen.height()) in the
// painter's current coordinates exactly. innen is the diagram's inner area in
// device-independent pixels (408 x 386 in the window); the drawing is stretched onto it.
void zeichneZeitdiagramm(QPainter &p, const QSizeF &innen);

} // namespace zivor
