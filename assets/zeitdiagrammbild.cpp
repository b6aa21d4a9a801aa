#include "assets/zeitdiagrammbild.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>

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

struct Beschriftung {
    const char *text;
    double x; // left end of the base line
    double y;
};
constexpr std::array<Beschriftung, 14> beschriftungen{{
    {"8", -17.05, 74.84},   {"6", -17.05, 54.92},   {"4", -17.05, 35.42},
    {"2", -17.05, 15.49},   {"0", 2.53, -9.20},     {"f(t)", -34.97, 91.21},
    {"5", 94.43, -11.58},   {"10", 187.57, -11.58}, {"15", 287.57, -11.58},
    {"20", 388.54, -11.58}, {"25", 487.58, -11.96}, {"30", 587.58, -11.58},
    {"35", 688.55, -10.79}, {"t/ms", 850.50, -13.17},
}};

// Condensed labels: a character cell 9.5 units high, a digit on average 10 units wide.
constexpr double zelle = 9.5;
constexpr double zelleJeEm = 1.15;
constexpr double ziffernbreite = 10.0;
constexpr int grundgroesse = 64;

// The "40" under the 40 ms line is drawn with strokes: the 4 as a polyline (stem, slant,
// cross-bar), the 0 as an oval, together inside x 790.58..809.13, y -3.09..-9.09.
constexpr std::array<QPointF, 4> vierStriche{
    {{797.20, -9.09}, {797.20, -3.09}, {790.58, -7.17}, {799.05, -7.17}}};
struct Oval {
    double mitteX, mitteY, halbeBreite, halbeHoehe;
};
constexpr Oval nullOval{804.99, -6.09, 4.14, 3.0};

const QColor gitterfarbe(255, 255, 0);

class Zeichnung {
public:
    Zeichnung(QPainter &p, const QSizeF &innen)
        : m_p(p),
          m_jeEinheitX(innen.width() / (rechterRand - linkerRand)),
          m_jeEinheitY(innen.height() / (obererRand - untererRand)),
          m_strich(innen.height() / hoeheInPixeln),
          m_geraet(p.deviceTransform()),
          m_logisch(m_geraet.inverted()),
          m_dicke(std::max(1.0, std::round(p.device()->devicePixelRatioF())))
    {
        const QRectF g = m_geraet.mapRect(QRectF(QPointF(0, 0), innen));
        m_geraetRahmen = QRectF(QPointF(std::round(g.left()), std::round(g.top())),
                                QPointF(std::round(g.right()), std::round(g.bottom())));
    }

    QPointF punkt(double x, double y) const
    {
        return {(x - linkerRand) * m_jeEinheitX, (obererRand - y) * m_jeEinheitY};
    }

    // A 1-px line along an axis from (x1, y1) to (x2, y2), placed on whole device pixels:
    // across it covers the device pixels around its centre, along it the pixels from the one
    // holding its start to the one holding its end. No blending, so the colour stays pure.
    void linie(double x1, double y1, double x2, double y2, const QColor &farbe) const
    {
        const QRectF g = m_geraet.mapRect(QRectF(punkt(x1, y1), punkt(x2, y2)).normalized());
        const auto quer = [this](double mitte) { return std::floor(mitte - m_dicke / 2 + 0.5); };
        QRectF pixel;
        if (g.width() < g.height()) {
            const double l = quer(g.center().x());
            pixel = QRectF(QPointF(l, std::floor(g.top())),
                           QPointF(l + m_dicke, std::floor(g.bottom()) + 1));
        } else {
            const double o = quer(g.center().y());
            pixel = QRectF(QPointF(std::floor(g.left()), o),
                           QPointF(std::floor(g.right()) + 1, o + m_dicke));
        }
        pixel &= m_geraetRahmen;
        if (!pixel.isEmpty())
            m_p.fillRect(m_logisch.mapRect(pixel), farbe);
    }

    void pfeil(const std::array<QPointF, 3> &ecken) const
    {
        QPolygonF flaeche;
        for (const QPointF &e : ecken)
            flaeche << punkt(e.x(), e.y());
        m_p.save();
        m_p.setRenderHint(QPainter::Antialiasing, true);
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(Qt::black);
        m_p.drawPolygon(flaeche);
        m_p.restore();
    }

    void texte() const
    {
        QFont schrift(QStringLiteral("Arial"));
        schrift.setPixelSize(grundgroesse);
        schrift.setHintingPreference(QFont::PreferNoHinting);
        // Squeeze the face so that an average digit is ziffernbreite units wide.
        const double ziffer =
            QFontMetricsF(schrift).horizontalAdvance(QStringLiteral("0123456789")) / 10.0;
        const double sx = ziffernbreite * m_jeEinheitX / ziffer;
        const double sy = zelle / zelleJeEm * m_jeEinheitY / grundgroesse;
        m_p.save();
        m_p.setRenderHint(QPainter::Antialiasing, true);
        m_p.setRenderHint(QPainter::TextAntialiasing, true);
        m_p.setFont(schrift);
        m_p.setPen(Qt::black);
        m_p.setBackgroundMode(Qt::TransparentMode);
        for (const Beschriftung &b : beschriftungen) {
            m_p.save();
            m_p.translate(punkt(b.x, b.y));
            m_p.scale(sx, sy);
            m_p.drawText(QPointF(0, 0), QString::fromLatin1(b.text));
            m_p.restore();
        }
        m_p.restore();
    }

    void vierzig() const
    {
        QPainterPath striche;
        striche.moveTo(punkt(vierStriche[0].x(), vierStriche[0].y()));
        for (std::size_t i = 1; i < vierStriche.size(); ++i)
            striche.lineTo(punkt(vierStriche[i].x(), vierStriche[i].y()));
        const QPointF links = punkt(nullOval.mitteX - nullOval.halbeBreite,
                                    nullOval.mitteY + nullOval.halbeHoehe);
        const QPointF rechts = punkt(nullOval.mitteX + nullOval.halbeBreite,
                                     nullOval.mitteY - nullOval.halbeHoehe);
        striche.addEllipse(QRectF(links, rechts));
        m_p.save();
        m_p.setRenderHint(QPainter::Antialiasing, true);
        m_p.setPen(QPen(Qt::black, m_strich, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawPath(striche);
        m_p.restore();
    }

private:
    QPainter &m_p;
    double m_jeEinheitX;
    double m_jeEinheitY;
    double m_strich;      // width of a drawn 1-px stroke in logical coordinates
    QTransform m_geraet;  // logical coordinates to device pixels, with the pixel ratio
    QTransform m_logisch; // and back
    double m_dicke;       // a snapped 1-px line in device pixels
    QRectF m_geraetRahmen;
};

} // namespace

void zeichneZeitdiagramm(QPainter &p, const QSizeF &innen)
{
    if (innen.isEmpty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(QPointF(0, 0), innen), Qt::white);

    const Zeichnung z(p, innen);
    z.linie(linkerRand, zeitachseY, rechterRand, zeitachseY, Qt::black);
    z.pfeil(pfeilRechts);
    z.linie(wertachseX, wertachseOben, wertachseX, wertachseUnten, Qt::black);
    z.pfeil(pfeilOben);
    for (const double x : gitterX)
        z.linie(x, gitterOben, x, gitterUnten, gitterfarbe);
    for (const double y : gitterY)
        z.linie(linkerRand, y, rechterRand, y, gitterfarbe);
    z.texte();
    z.vierzig();
    p.restore();
}

} // namespace zivor
