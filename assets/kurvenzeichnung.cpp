#include "assets/kurvenzeichnung.h"

#include "assets/bildzeichnung.h"
#include "assets/strichdeckung.h"

#include <QColor>
#include <QPaintEngine>
#include <QPainter>
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
constexpr double anfangX = kurveAnfang;
constexpr double periodenBreite = kurvePeriode;
constexpr double schrittBreite = periodenBreite / punkteJePeriode;
constexpr double mittellinie = kurveMitte;
constexpr double halbeHoehe = kurveHalbeHoehe;
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


// The outline of a stroke with an elliptical pen of half axes halbX, halbY along the points:
// the points moved out along the curve's normal to where the ellipse touches the envelope,
// first along one side, then back along the other.
QPolygonF strichumriss(const QPolygonF &punkte, double halbX, double halbY)
{
    const qsizetype n = punkte.size();
    if (n < 2)
        return {};
    QPolygonF umriss(2 * n);
    const double ax2 = halbX * halbX;
    const double ay2 = halbY * halbY;
    for (qsizetype k = 0; k < n; ++k) {
        // The curve's direction at a point: from its neighbour before to its neighbour after.
        const QPointF &vor = punkte[std::max<qsizetype>(k - 1, 0)];
        const QPointF &nach = punkte[std::min<qsizetype>(k + 1, n - 1)];
        const double nx = vor.y() - nach.y();
        const double ny = nach.x() - vor.x();
        const double stuetz = std::sqrt(ax2 * nx * nx + ay2 * ny * ny);
        QPointF seite;
        if (stuetz > 0.0)
            seite = QPointF(ax2 * nx / stuetz, ay2 * ny / stuetz);
        umriss[k] = punkte[k] + seite;
        umriss[2 * n - 1 - k] = punkte[k] - seite;
    }
    return umriss;
}

} // namespace

void zeichneKurve(QPainter &p, const QRectF &ziel, const QColor &farbe, Strichdeckung *merker)
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

    // The 6-unit line of the drawing is stretched with it: the pen becomes an ellipse of
    // 6 x width / 3090 by 6 x height / 2260 pixels, never thinner than one device pixel. The
    // stroke is the ellipse swept along the stretched points; its outline is found by moving
    // each point out to both sides to where the ellipse touches the curve's envelope. All of
    // it is worked out in device pixels, or in the painter's coordinates where the device is
    // turned against them.
    const bool achsenparallel = p.deviceTransform().type() <= QTransform::TxScale;
    const QTransform geraet = achsenparallel ? p.deviceTransform() : QTransform();
    const double duennste = achsenparallel ? 0.5 : 0.5 / std::max(1.0, geraeteRatio(p));
    const double sx = ziel.width() / kurveBreite;
    const double sy = ziel.height() / kurveHoehe;
    const double halbX = std::max(strichbreite / 2 * sx * std::abs(geraet.m11()), duennste);
    const double halbY = std::max(strichbreite / 2 * sy * std::abs(geraet.m22()), duennste);

    // Points closer than a pixel to the last one kept add nothing visible but cost a
    // segment each; they are left out (the last point always stays).
    const auto umriss = [&] {
        QPolygonF gestreckt;
        gestreckt.reserve(letzter - erster + 1);
        const QPointF *quelle = kurvenpunkte().constData() + erster;
        for (int k = erster; k <= letzter; ++k, ++quelle) {
            const QPointF punkt =
                geraet.map(QPointF(ziel.left() + quelle->x() * sx, ziel.top() + quelle->y() * sy));
            if (k == erster || k == letzter || std::abs(punkt.x() - gestreckt.constLast().x())
                    + std::abs(punkt.y() - gestreckt.constLast().y()) >= 1.0)
                gestreckt << punkt;
        }
        return strichumriss(gestreckt, halbX, halbY);
    };

    // A pixel device takes the stroke as a picture of its pixels' coverage. Vector devices
    // (printers, PDF, recorded pictures) and painters turned against their device get the
    // outline itself.
    const QPaintEngine *maschine = p.paintEngine();
    const bool pixelgeraet = maschine != nullptr
        && (maschine->type() == QPaintEngine::Raster || maschine->type() == QPaintEngine::OpenGL2);
    if (achsenparallel && pixelgeraet) {
        const QRect bereich = geraet.mapRect(sichtbar).toAlignedRect();
        Strichdeckung einmalig;
        (merker != nullptr ? *merker : einmalig).zeichne(p, ziel, bereich, umriss, farbe);
        return;
    }
    const QPolygonF flaeche = umriss();
    if (flaeche.isEmpty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(farbe);
    p.drawPolygon(geraet.inverted().map(flaeche), Qt::WindingFill);
    p.restore();
}

} // namespace zivor
