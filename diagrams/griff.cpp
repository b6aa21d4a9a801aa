#include "diagrams/griff.h"

#include "diagrams/zeigerdiagramm.h"

#include <QMouseEvent>
#include <cmath>

namespace zivor {

Griff::Griff(const QString &name, const QString &tag, const QColor &fuellung,
             const Massstab &massstab, QPointF versatz, QWidget *parent)
    : QWidget(parent), m_tag(tag), m_fuellung(fuellung), m_massstab(massstab), m_versatz(versatz)
{
    setObjectName(name);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true); // hover moves pass on to the container
    setFocusPolicy(Qt::NoFocus);
    resize(seite, seite);
}

double Griff::breite() const
{
    return seite * twipsProPixel / m_massstab.twipsProEinheitX;
}

double Griff::hoehe() const
{
    return seite * twipsProPixel / m_massstab.twipsProEinheitY;
}

void Griff::setLeft(double v)
{
    m_left = v;
    platzieren();
}

void Griff::setTop(double v)
{
    m_top = v;
    platzieren();
}

void Griff::setzeOrt(double left, double top)
{
    m_top = top;
    m_left = left;
    platzieren();
}

void Griff::platzieren()
{
    const QPointF p = m_massstab.zuPixel(m_left, m_top) + m_versatz;
    // Far-away positions (a drag that left the diagram) are kept in the property but
    // the widget is only moved within the range a window can have.
    constexpr double grenze = 1.0e6;
    const double x = std::isfinite(p.x()) ? std::clamp(p.x(), -grenze, grenze) : 0.0;
    const double y = std::isfinite(p.y()) ? std::clamp(p.y(), -grenze, grenze) : 0.0;
    move(static_cast<int>(std::floor(x + 0.5)), static_cast<int>(std::floor(y + 0.5)));
}

void Griff::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_ziel == nullptr) {
        event->ignore();
        return;
    }
    m_zieht = true;
    m_ziel->ziehenBeginnt(this, event->globalPosition());
    event->accept();
}

void Griff::mouseMoveEvent(QMouseEvent *event)
{
    // A release that never arrived (the window was disabled meanwhile) ends the drag.
    if (m_zieht && !(event->buttons() & Qt::LeftButton))
        m_zieht = false;
    if (!m_zieht) {
        event->ignore(); // hover: the container shows the pointer position
        return;
    }
    m_ziel->ziehen(this, event->globalPosition());
    event->accept();
}

void Griff::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_zieht || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_zieht = false;
    m_ziel->loslassen(this, event->globalPosition());
    event->accept();
}

void Griff::paintEvent(QPaintEvent *)
{
    // Nothing of its own: the phasor diagram draws the square in its stacking order.
}

} // namespace zivor
