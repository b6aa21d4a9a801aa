#include "diagrams/zeigerdiagramm.h"

#include "assets/zeigerdiagrammbild.h"
#include "diagrams/zeigerlinie.h"
#include "diagrams/griff.h"

#include <QPainter>

namespace zivor {

Zeigerdiagramm::Zeigerdiagramm(QWidget *parent) : Bildflaeche(zeigerMassstab, parent)
{
    setMouseTracking(true); // the tooltip shows the pointer's place
}

void Zeigerdiagramm::setzeElemente(const std::array<Zeigerlinie *, 3> &linien,
                                   const std::array<Griff *, 2> &griffe)
{
    m_linien = linien;
    m_griffe = griffe;
}

Griff *Zeigerdiagramm::markierterGriff() const
{
    if (m_markiert != nullptr && !m_markiert->isHidden())
        return m_markiert;
    for (Griff *g : m_griffe)
        if (g != nullptr && !g->isHidden())
            return g;
    return nullptr;
}

void Zeigerdiagramm::markiere(Griff *griff)
{
    m_markiert = griff;
    update();
}

void Zeigerdiagramm::zeichneHintergrund(QPainter &p, const QSizeF &innen) const
{
    zeichneZeigerdiagramm(p, innen);
}

void Zeigerdiagramm::zeichneInhalt(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    auto zeichneLinie = [&](const Zeigerlinie *l) {
        if (l == nullptr || !l->isVisible())
            return;
        QPen stift(l->farbe(), 2.0);
        stift.setCapStyle(Qt::FlatCap);
        p.setPen(stift);
        p.drawLine(pixelVon(l->x1(), l->y1()), pixelVon(l->x2(), l->y2()));
    };
    auto zeichneGriff = [&](const Griff *g) {
        if (g == nullptr || g->isHidden() || !g->fuellung().isValid())
            return;
        p.fillRect(g->geometry(), g->fuellung());
    };
    zeichneLinie(m_linien[0]);
    zeichneGriff(m_griffe[0]);
    zeichneLinie(m_linien[1]);
    zeichneGriff(m_griffe[1]);
    zeichneLinie(m_linien[2]);

    // The focus mark: a black frame with a white gap around the handle the keys move.
    if (hasFocus()) {
        if (const Griff *g = markierterGriff()) {
            p.setRenderHint(QPainter::Antialiasing, false);
            // Two white pixels around the square, then one black one.
            const QRectF quadrat(g->geometry());
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.drawRect(quadrat.adjusted(-1, -1, 1, 1));
            p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.drawRect(quadrat.adjusted(-2.5, -2.5, 2.5, 2.5));
        }
    }
}

} // namespace zivor
