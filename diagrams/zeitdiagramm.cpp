#include "diagrams/zeitdiagramm.h"

#include "assets/kurvenzeichnung.h"
#include "assets/zeitdiagrammbild.h"
#include "diagrams/kurvenbild.h"

#include <QPainter>

namespace zivor {

Zeitdiagramm::Zeitdiagramm(QWidget *parent) : Bildflaeche(zeitMassstab, parent) {}

void Zeitdiagramm::setzeKurven(const std::array<Kurvenbild *, 3> &vonHintenNachVorn)
{
    m_kurven = vonHintenNachVorn;
}

void Zeitdiagramm::zeichneHintergrund(QPainter &p, const QSizeF &innen) const
{
    zeichneZeitdiagramm(p, innen);
}

void Zeitdiagramm::zeichneInhalt(QPainter &p)
{
    for (std::size_t i = 0; i < m_kurven.size(); ++i) {
        const Kurvenbild *k = m_kurven[i];
        if (k == nullptr || !k->isVisible())
            continue;
        const QRectF ziel = massstab().rechteckZuPixel(k->left(), k->top(), k->width(), k->height())
                                .translated(rand, rand);
        zeichneKurve(p, ziel, k->farbe(), &m_striche[i]);
    }
}

} // namespace zivor
