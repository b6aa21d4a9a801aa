#include "diagrams/diagrammelement.h"

#include "diagrams/bildflaeche.h"
#include "diagrams/kurvenbild.h"
#include "diagrams/zeigerlinie.h"

#include <cmath>

namespace zivor {

Diagrammelement::Diagrammelement(const QString &name, const QColor &farbe, Bildflaeche *flaeche)
    : QObject(flaeche), m_flaeche(flaeche), m_farbe(farbe)
{
    setObjectName(name);
}

void Diagrammelement::setVisible(bool sichtbar)
{
    if (m_sichtbar != sichtbar) {
        m_sichtbar = sichtbar;
        m_flaeche->erneuere(bereich());
    }
}

void Diagrammelement::setze(double &feld, double wert)
{
    if (feld != wert) {
        const QRect vorher = bereich();
        feld = wert;
        m_flaeche->erneuere(vorher);
        m_flaeche->erneuere(bereich());
    }
}

QRect Diagrammelement::bereich() const
{
    // A stroke 2 px wide with its antialiased edge, and the 5 x 5 px marks of the time cursor
    // on a curve, reach no more than 4 px beyond the drawing's rectangle.
    constexpr double rand = 4.0;
    const QRectF r = pixelRechteck().normalized().adjusted(-rand, -rand, rand, rand);
    if (!std::isfinite(r.left()) || !std::isfinite(r.top()) || !std::isfinite(r.right()) || !std::isfinite(r.bottom()))
        return m_flaeche->rect();
    return QRectF(m_flaeche->rect()).intersected(r).toAlignedRect();
}

QRectF Zeigerlinie::pixelRechteck() const
{
    return QRectF(flaeche()->pixelVon(m_x1, m_y1), flaeche()->pixelVon(m_x2, m_y2));
}

QRectF Kurvenbild::pixelRechteck() const
{
    return flaeche()->massstab().rechteckZuPixel(m_left, m_top, m_width, m_height)
        .translated(Bildflaeche::rand, Bildflaeche::rand);
}

} // namespace zivor
