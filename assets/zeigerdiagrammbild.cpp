#include "assets/zeigerdiagrammbild.h"

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPainter>
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

struct Beschriftung {
    const char *text;
    double x; // left end of the base line
    double y;
};
constexpr std::array<Beschriftung, 11> beschriftungen{{
    {"2", 17.06, -11.89}, {"4", 37.40, -11.89}, {"6", 56.88, -11.46}, {"8", 77.23, -11.89},
    {"8", -6.75, 75.43},  {"6", -6.75, 55.45},  {"4", -6.75, 35.90},  {"2", -6.75, 15.92},
    {"0", 1.04, -8.85},   {"Im", -12.38, 88.90}, {"Re", 86.32, -11.89},
}};

// Character cell of the labels in units; the em of the face is about cell / 1.15.
constexpr double zelle = 9.6;
constexpr double zelleJeEm = 1.15;
// The face is set at this pixel size and scaled onto the em by the painter.
constexpr int grundgroesse = 64;

const QColor gitterfarbe(255, 255, 0);

class Zeichnung {
public:
    Zeichnung(QPainter &p, const QSizeF &innen)
        : m_p(p),
          m_jeEinheitX(innen.width() / umfang),
          m_jeEinheitY(innen.height() / umfang),
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
        const double em = zelle / zelleJeEm;
        m_p.save();
        m_p.setRenderHint(QPainter::Antialiasing, true);
        m_p.setRenderHint(QPainter::TextAntialiasing, true);
        m_p.setFont(schrift);
        m_p.setPen(Qt::black);
        m_p.setBackgroundMode(Qt::TransparentMode);
        for (const Beschriftung &b : beschriftungen) {
            m_p.save();
            m_p.translate(punkt(b.x, b.y));
            m_p.scale(em * m_jeEinheitX / grundgroesse, em * m_jeEinheitY / grundgroesse);
            m_p.drawText(QPointF(0, 0), QString::fromLatin1(b.text));
            m_p.restore();
        }
        m_p.restore();
    }

private:
    QPainter &m_p;
    double m_jeEinheitX;
    double m_jeEinheitY;
    QTransform m_geraet;  // logical coordinates to device pixels, with the pixel ratio
    QTransform m_logisch; // and back
    double m_dicke;       // a 1-px line in device pixels
    QRectF m_geraetRahmen;
};

} // namespace

void zeichneZeigerdiagramm(QPainter &p, const QSizeF &innen)
{
    if (innen.isEmpty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(QPointF(0, 0), innen), Qt::white);

    const Zeichnung z(p, innen);
    z.linie(achseLinks, achseY, rechterRand, achseY, Qt::black);
    z.linie(achseX, obererRand, achseX, achseUnten, Qt::black);
    z.pfeil(pfeilRechts);
    z.pfeil(pfeilOben);
    for (const double x : gitterX)
        z.linie(x, gitterOben, x, gitterUnten, gitterfarbe);
    for (const double y : gitterY)
        z.linie(gitterLinks, y, rechterRand, y, gitterfarbe);
    z.texte();
    p.restore();
}

} // namespace zivor
