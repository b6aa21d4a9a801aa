#pragma once
// The coverage of a curve's stroke in device pixels, and its blending into a picture. The
// stroke of a wave, its line swept along it, meets every vertical line in one stretch; so the
// outline's lowest and highest point in a few sample columns per pixel give each device
// pixel's coverage exactly enough for antialiasing, at a fraction of the cost of filling a
// long thin outline.

#include <QRect>
#include <QRectF>
#include <QTransform>
#include <QtGlobal>

#include <functional>
#include <vector>

class QColor;
class QPainter;
class QPolygonF;

namespace zivor {

class Strichdeckung
{
public:
    // Blends the pixels that the closed outline (in device pixels) of the stroke of a picture
    // stretched to ziel covers, in the opaque colour farbe, into the picture that p paints on,
    // inside p's clip. The coverage is kept: umriss is asked for the outline only when the
    // picture's rectangle, the mapping to the device or the clip has changed since the last
    // call. Returns false, having drawn nothing, unless p paints plainly (source over, fully
    // opaque, without rotation) on a 32-bit raster image.
    bool zeichne(QPainter &p, const QRectF &ziel, const std::function<const QPolygonF &()> &umriss,
                 const QColor &farbe);

private:
    // The coverage of the pixels inside bereich.
    void berechne(const QPolygonF &umriss, const QRect &bereich);

    // What the kept coverage was worked out for.
    bool m_gueltig = false;
    QRectF m_ziel;
    QTransform m_abbildung;
    QRect m_bereich;

    int m_spalte0 = 0;
    // For each column from m_spalte0: its first covered row and where its values start in
    // m_werte (one more entry marks the end).
    std::vector<int> m_ersteZeile;
    std::vector<int> m_anfang;
    std::vector<quint8> m_werte;
};

} // namespace zivor
