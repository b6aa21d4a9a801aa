#include "assets/zeigerdiagrammbild.h"

#include "assets/bildzeichnung.h"

#include <QColor>
#include <QPointF>
#include <QSizeF>

#include <array>

namespace zivor {
namespace {

// The drawing in the diagram's units: x from -100 at the left edge, y from 100 at the top,
// 29.025 twips a unit over an inner area of 5790 twips each way.
constexpr double linkerRand = -100.0;
constexpr double obererRand = 100.0;
constexpr double umfang = 5790.0 / 29.025; // 199.48 units across and down
constexpr double rechterRand = linkerRand + umfang;

constexpr double achseY = 0.39;  // horizontal axis
constexpr double achseX = -0.01; // vertical axis
constexpr double achseLinks = -99.61;
constexpr double achseUnten = -99.33;

constexpr std::array<QPointF, 3> pfeilRechts{{{99.48, 0.38}, {93.62, 1.59}, {93.62, -0.81}}};
constexpr std::array<QPointF, 3> pfeilOben{{{-0.01, 100.0}, {-1.21, 94.13}, {1.18, 94.13}}};

// Grid lines every 19.92 units (two amplitude units), none on an axis.
constexpr std::array<double, 9> gitterX{-99.61, -79.70, -59.78, -39.86, -19.94,
                                        19.91,  39.83,  59.75,  79.67};
constexpr std::array<double, 9> gitterY{80.17,  60.22,  40.28,  20.33, -19.55,
                                        -39.50, -59.44, -79.39, -99.33};
constexpr double gitterOben = 100.0;
constexpr double gitterUnten = -99.33;
constexpr double gitterLinks = -99.61;

constexpr Bildzeichnung::Einheiten einheiten{linkerRand, obererRand, umfang, umfang};

constexpr std::array<Bildzeichnung::Beschriftung, 11> beschriftungen{{
    {"2", 17.06, -11.89}, {"4", 37.40, -11.89}, {"6", 56.88, -11.46}, {"8", 77.23, -11.89},
    {"8", -6.75, 75.43},  {"6", -6.75, 55.45},  {"4", -6.75, 35.90},  {"2", -6.75, 15.92},
    {"0", 1.04, -8.85},   {"Im", -12.38, 88.90}, {"Re", 86.32, -11.89},
}};

// Character cell of the labels in units.
constexpr double zelle = 9.6;

const QColor gitterfarbe(255, 255, 0);

} // namespace

void zeichneZeigerdiagramm(QPainter &p, const QSizeF &innen)
{
    if (innen.isEmpty())
        return;
    const Bildzeichnung z(p, innen, einheiten);
    z.linie(achseLinks, achseY, rechterRand, achseY, Qt::black);
    z.linie(achseX, obererRand, achseX, achseUnten, Qt::black);
    z.pfeil(pfeilRechts);
    z.pfeil(pfeilOben);
    for (const double x : gitterX)
        z.linie(x, gitterOben, x, gitterUnten, gitterfarbe);
    for (const double y : gitterY)
        z.linie(gitterLinks, y, rechterRand, y, gitterfarbe);
    z.texte(beschriftungen, zelle);
}

} // namespace zivor
