#include "diagrams/kurvenbild.h"

#include "diagrams/bildflaeche.h"

namespace zivor {

Kurvenbild::Kurvenbild(const QString &name, const QColor &farbe, Bildflaeche *flaeche)
    : QObject(flaeche), m_flaeche(flaeche), m_farbe(farbe)
{
    setObjectName(name);
}

void Kurvenbild::setLeft(double v) { if (m_left != v) { m_left = v; geaendert(); } }
void Kurvenbild::setTop(double v) { if (m_top != v) { m_top = v; geaendert(); } }
void Kurvenbild::setWidth(double v) { if (m_width != v) { m_width = v; geaendert(); } }
void Kurvenbild::setHeight(double v) { if (m_height != v) { m_height = v; geaendert(); } }

void Kurvenbild::setVisible(bool sichtbar)
{
    if (m_sichtbar != sichtbar) {
        m_sichtbar = sichtbar;
        geaendert();
    }
}

void Kurvenbild::geaendert()
{
    m_flaeche->update();
}

} // namespace zivor
