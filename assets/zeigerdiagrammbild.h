#pragma once
// Background of the phasor diagram: white plane, axes with arrowheads, the yellow grid of
// two amplitude units and the axis labels.

class QPainter;
class QSizeF;

namespace zivor {

// Paints the background so that it fills (0, 0, innen.width(), innen.height()) in the
// painter's current coordinates exactly. innen is the diagram's inner area in
// device-independent pixels (386 x 386 in the window); the drawing is stretched onto it.
void zeichneZeigerdiagramm(QPainter &p, const QSizeF &innen);

} // namespace zivor
