#include "diagrams/zeigerlinie.h"

#include "diagrams/bildflaeche.h"

namespace zivor {

Zeigerlinie::Zeigerlinie(const QString &name, const QColor &farbe, Bildflaeche *flaeche)
    : QObject(flaeche), m_flaeche(flaeche), m_farbe(farbe)
{
    setObjectName(name);
}

void Zeigerlinie::setX1(double v) { if (m_x1 != v) { m_x1 = v; geaendert(); } }
void Zeigerlinie::setY1(double v) { if (m_y1 != v) { m_y1 = v; geaendert(); } }
void Zeigerlinie::setX2(double v) { if (m_x2 != v) { m_x2 = v; geaendert(); } }
void Zeigerlinie::setY2(double v) { if (m_y2 != v) { m_y2 = v; geaendert(); } }

void Zeigerlinie::setVisible(bool sichtbar)
{
    if (m_sichtbar != sichtbar) {
        m_sichtbar = sichtbar;
        geaendert();
    }
}

void Zeigerlinie::geaendert()
{
    m_flaeche->update();
}

} // namespace zivor
