#include "diagrams/diagrammelement.h"

#include "diagrams/bildflaeche.h"

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
        geaendert();
    }
}

void Diagrammelement::setze(double &feld, double wert)
{
    if (feld != wert) {
        feld = wert;
        geaendert();
    }
}

void Diagrammelement::geaendert()
{
    m_flaeche->update();
}

} // namespace zivor
