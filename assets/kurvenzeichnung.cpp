#include "assets/kurvenzeichnung.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zivor {
namespace {

constexpr int perioden = 4;
constexpr int punkteJePeriode = 184;
constexpr int schritte = perioden * punkteJePeriode;
constexpr double anfangX = 4.0;
constexpr double periodenBreite = 768.0;
constexpr double schrittBreite = periodenBreite / punkteJePeriode;
constexpr double mittellinie = 1125.5;
constexpr double halbeHoehe = 1120.5;
constexpr double strichbreite = 6.0; // in drawing units

const QPolygonF &kurvenpunkte()
{
    static const QPolygonF punkte = [] {
        QPolygonF p;
        p.reserve(schritte + 1);
        for (int k = 0; k <= schritte; ++k) {
            const double s = static_cast<double>(k) / punkteJePeriode;
            // y grows downwards in the drawing, so a rising sine goes down on screen.
            p << QPointF(anfangX + periodenBreite * s,
                         mittellinie + halbeHoehe * std::sin(2.0 * std::numbers::pi * s));
        }
        return p;
    }();
    return punkte;
}

} // namespace

const QPainterPath &kurvenpfad()
{
    static const QPainterPath pfad = [] {
        QPainterPath p;
        p.addPolygon(kurvenpunkte());
        return p;
    }();
    return pfad;
}

void zeichneKurve(QPainter &p, const QRectF &ziel, const QColor &farbe)
{
    const bool endlich = std::isfinite(ziel.x()) && std::isfinite(ziel.y())
                         && std::isfinite(ziel.width()) && std::isfinite(ziel.height());
    if (!endlich || !(ziel.width() > 0.0) || !(ziel.height() > 0.0))
        return;

    // Only the stretch of the wave that can reach the paintable area is stroked: a wide
    // curve picture lies mostly outside the diagram, and antialiased stroking costs by length.
    bool umkehrbar = false;
    const QTransform zurueck = p.worldTransform().inverted(&umkehrbar);
    QRectF sichtbar = umkehrbar ? zurueck.mapRect(QRectF(p.window())) : ziel;
    if (p.hasClipping())
        sichtbar &= p.clipBoundingRect();
    if (sichtbar.isEmpty())
        return;
    const double jePixel = kurveBreite / ziel.width();
    const double rand = strichbreite + 2.0 * jePixel;
    const double links = (sichtbar.left() - ziel.left()) * jePixel - rand;
    const double rechts = (sichtbar.right() - ziel.left()) * jePixel + rand;
    // First and last point to stroke, one more on each side, kept within the wave.
    const double vonPunkt = std::floor((links - anfangX) / schrittBreite) - 1.0;
    const double bisPunkt = std::ceil((rechts - anfangX) / schrittBreite) + 1.0;
    const int erster = static_cast<int>(std::clamp(vonPunkt, 0.0, double{schritte}));
    const int letzter = static_cast<int>(std::clamp(bisPunkt, 0.0, double{schritte}));
    if (letzter <= erster)
        return;

    // The stretched 6-unit stroke is one to two pixels wide; it is drawn as a one-pixel
    // antialiased line through the stretched points, which the raster engine does fast.
    // Points closer than a device pixel to the last one kept add nothing visible but cost
    // a segment each; they are left out (the last point always stays).
    static thread_local QPolygonF gestreckt;
    gestreckt.clear();
    gestreckt.reserve(letzter - erster + 1);
    const double sx = ziel.width() / kurveBreite;
    const double sy = ziel.height() / kurveHoehe;
    const double abstand = 1.0 / std::max(1.0, p.device()->devicePixelRatioF());
    const QPointF *quelle = kurvenpunkte().constData() + erster;
    for (int k = erster; k <= letzter; ++k, ++quelle) {
        const QPointF punkt(ziel.left() + quelle->x() * sx, ziel.top() + quelle->y() * sy);
        if (k == erster || k == letzter || std::abs(punkt.x() - gestreckt.constLast().x())
                + std::abs(punkt.y() - gestreckt.constLast().y()) >= abstand)
            gestreckt << punkt;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen stift(farbe, 1.0);
    stift.setCosmetic(true);
    p.setPen(stift);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(gestreckt);
    p.restore();
}

} // namespace zivor
