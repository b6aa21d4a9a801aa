#include "diagrams/zeigerdiagramm.h"

#include "assets/zeigerdiagrammbild.h"
#include "diagrams/zeigerlinie.h"
#include "diagrams/griff.h"

#include <QMouseEvent>
#include <QPainter>

namespace zivor {

Zeigerdiagramm::Zeigerdiagramm(QWidget *parent) : Bildflaeche(zeigerMassstab, parent)
{
    setMouseTracking(true);
}

void Zeigerdiagramm::setzeElemente(const std::array<Zeigerlinie *, 3> &linien,
                                   const std::array<Griff *, 2> &griffe)
{
    m_linien = linien;
    m_griffe = griffe;
    for (Griff *g : griffe)
        g->setZiel(this);
}

QPointF Zeigerdiagramm::punktGlobal(QPointF global, bool *drueber) const
{
    const QPointF lokal = mapFromGlobal(global);
    *drueber = isVisible() && QRectF(rect()).contains(lokal);
    return punktBei(lokal);
}

void Zeigerdiagramm::ziehenBeginnt(Griff *griff, QPointF global)
{
    bool drueber = false;
    punktGlobal(global, &drueber);
    m_zeigerDrueber = drueber && griff != nullptr;
}

void Zeigerdiagramm::ziehen(Griff *griff, QPointF global)
{
    bool drueber = false;
    const QPointF p = punktGlobal(global, &drueber);
    // The position at which the pointer leaves the diagram is reported like any other;
    // after that nothing until the pointer comes back.
    if (drueber || m_zeigerDrueber)
        emit dragOver(griff, static_cast<float>(p.x()), static_cast<float>(p.y()));
    m_zeigerDrueber = drueber;
}

void Zeigerdiagramm::loslassen(Griff *griff, QPointF global)
{
    bool drueber = false;
    const QPointF p = punktGlobal(global, &drueber);
    if (drueber)
        emit dragDrop(griff, static_cast<float>(p.x()), static_cast<float>(p.y()));
    m_zeigerDrueber = false;
}

void Zeigerdiagramm::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = punktBei(event->position());
    emit mausBewegt(static_cast<float>(p.x()), static_cast<float>(p.y()));
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
}

} // namespace zivor
