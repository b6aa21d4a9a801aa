#include "assets/zeitdiagrammbild.h"

#include "assets/bildzeichnung.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <array>
#include <cstddef>

namespace zivor {
namespace {

// The drawing in the diagram's units: x from -100 at the left edge to 900 at the right
// (20 units a millisecond), y from 100 at the top to -100 at the bottom.
constexpr double linkerRand = -100.0;
constexpr double rechterRand = 900.0;
constexpr double obererRand = 100.0;
constexpr double untererRand = -100.0;
// Height of the inner area in device-independent pixels (5790 twips): 1-px strokes that
// are not snapped to the pixel grid are this fraction of the height.
constexpr double hoeheInPixeln = 5790.0 / 15.0;

constexpr double zeitachseY = 0.02;
constexpr double wertachseX = -0.12;
constexpr double wertachseOben = 99.45;
constexpr double wertachseUnten = -99.42;

constexpr std::array<QPointF, 3> pfeilRechts{{{900.0, 0.02}, {885.16, 1.21}, {885.16, -1.19}}};
constexpr std::array<QPointF, 3> pfeilOben{{{-0.12, 99.45}, {-3.11, 93.49}, {2.87, 93.49}}};

// Vertical grid lines every 5 ms and half-way between, horizontal ones every amplitude unit.
constexpr std::array<double, 18> gitterX{
    99.91,  199.95, 299.98, 400.02, 500.02, 600.05, 700.09, 800.12, -50.15,
    49.88,  149.91, 249.95, 349.98, 450.02, 550.05, 650.09, 750.12, 850.15};
constexpr std::array<double, 20> gitterY{
    99.45,  89.51,  79.57,  69.62,  59.68,  49.74,  39.79,  29.84,  19.90,  9.96,
    -9.93, -19.88, -29.82, -39.76, -49.71, -59.65, -69.59, -79.53, -89.47, -99.42};
constexpr double gitterOben = 99.45;
constexpr double gitterUnten = -99.42;

constexpr Bildzeichnung::Einheiten einheiten{linkerRand, obererRand, rechterRand - linkerRand,
                                             obererRand - untererRand};

constexpr std::array<Bildzeichnung::Beschriftung, 14> beschriftungen{{
    {"8", -17.05, 74.84},   {"6", -17.05, 54.92},   {"4", -17.05, 35.42},
    {"2", -17.05, 15.49},   {"0", 2.53, -9.20},     {"f(t)", -34.97, 91.21},
    {"5", 94.43, -11.58},   {"10", 187.57, -11.58}, {"15", 287.57, -11.58},
    {"20", 388.54, -11.58}, {"25", 487.58, -11.96}, {"30", 587.58, -11.58},
    {"35", 688.55, -10.79}, {"t/ms", 850.50, -13.17},
}};

// Condensed labels: a character cell 9.5 units high, a digit on average 10 units wide.
constexpr double zelle = 9.5;
constexpr double ziffernbreite = 10.0;

// The "40" under the 40 ms line is drawn with strokes: the 4 as a polyline (stem, slant,
// cross-bar), the 0 as an oval, together inside x 790.58..809.13, y -3.09..-9.09.
constexpr std::array<QPointF, 4> vierStriche{
    {{797.20, -9.09}, {797.20, -3.09}, {790.58, -7.17}, {799.05, -7.17}}};
struct Oval {
    double mitteX, mitteY, halbeBreite, halbeHoehe;
};
constexpr Oval nullOval{804.99, -6.09, 4.14, 3.0};

const QColor gitterfarbe(255, 255, 0);

// strich: the width of a 1-px stroke in logical coordinates.
void zeichneVierzig(QPainter &p, const Bildzeichnung &z, double strich)
{
    QPainterPath striche;
    striche.moveTo(z.punkt(vierStriche[0].x(), vierStriche[0].y()));
    for (std::size_t i = 1; i < vierStriche.size(); ++i)
        striche.lineTo(z.punkt(vierStriche[i].x(), vierStriche[i].y()));
    const QPointF links = z.punkt(nullOval.mitteX - nullOval.halbeBreite,
                                  nullOval.mitteY + nullOval.halbeHoehe);
    const QPointF rechts = z.punkt(nullOval.mitteX + nullOval.halbeBreite,
                                   nullOval.mitteY - nullOval.halbeHoehe);
    striche.addEllipse(QRectF(links, rechts));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, strich, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(striche);
    p.restore();
}

} // namespace

void zeichneZeitdiagramm(QPainter &p, const QSizeF &innen)
{
    if (innen.isEmpty())
        return;
    const Bildzeichnung z(p, innen, einheiten);
    z.linie(linkerRand, zeitachseY, rechterRand, zeitachseY, Qt::black);
    z.pfeil(pfeilRechts);
    z.linie(wertachseX, wertachseOben, wertachseX, wertachseUnten, Qt::black);
    z.pfeil(pfeilOben);
    for (const double x : gitterX)
        z.linie(x, gitterOben, x, gitterUnten, gitterfarbe);
    for (const double y : gitterY)
        z.linie(linkerRand, y, rechterRand, y, gitterfarbe);
    z.texte(beschriftungen, zelle, ziffernbreite);
    zeichneVierzig(p, z, innen.height() / hoeheInPixeln);
}

} // namespace zivor
