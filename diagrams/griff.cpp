#include "diagrams/griff.h"

#include "diagrams/bildflaeche.h"

#include <algorithm>
#include <cmath>

namespace zivor {

Griff::Griff(const QString &name, const QString &tag, const QColor &fuellung,
             const Massstab &massstab, QPointF versatz, QWidget *parent)
    : QWidget(parent), m_tag(tag), m_fuellung(fuellung), m_massstab(massstab), m_versatz(versatz)
{
    setObjectName(name);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true); // hover moves pass on to the container: its tooltip
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
    const QRect vorher = geometry();
    move(static_cast<int>(std::floor(x + 0.5)), static_cast<int>(std::floor(y + 0.5)));
    // The diagram draws the focus mark 3 px around the square: that repaints with it.
    if (parentWidget() != nullptr && geometry() != vorher) {
        if (auto *flaeche = qobject_cast<Bildflaeche *>(parentWidget())) {
            flaeche->erneuere(vorher.adjusted(-3, -3, 3, 3));
            flaeche->erneuere(geometry().adjusted(-3, -3, 3, 3));
        } else {
            parentWidget()->update(vorher.adjusted(-3, -3, 3, 3));
            parentWidget()->update(geometry().adjusted(-3, -3, 3, 3));
        }
    }
}

void Griff::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The diagram draws the square, and the focus mark around the handle the keys move, which
    // may go to another handle now.
    if (parentWidget() != nullptr)
        parentWidget()->update();
}

void Griff::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (parentWidget() != nullptr)
        parentWidget()->update();
}

void Griff::paintEvent(QPaintEvent *)
{
    // Nothing of its own: the phasor diagram draws the square in its stacking order.
}

} // namespace zivor
