#include "app/hilfeseite.h"

#include "assets/hilfeseite.h"
#include "model/massstab.h"

#include <QPainter>
#include <QPaintEvent>

namespace {

constexpr int rahmen = 1;

} // namespace

Hilfeseite::Hilfeseite(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    resize(zivor::hilfeseiteBreite + 2 * rahmen, zivor::hilfeseiteHoehe + 2 * rahmen);
    // Every pixel is painted, so a move only repaints the part that comes into view.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double Hilfeseite::top() const
{
    return m_top;
}

void Hilfeseite::setTop(double twips)
{
    m_top = twips;
    move(x(), qRound(twips / zivor::twipsProPixel));
}

void Hilfeseite::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.setClipRect(event->rect());
    const int b = width();
    const int h = height();
    p.fillRect(0, 0, b, rahmen, Qt::black);
    p.fillRect(0, h - rahmen, b, rahmen, Qt::black);
    p.fillRect(0, 0, rahmen, h, Qt::black);
    p.fillRect(b - rahmen, 0, rahmen, h, Qt::black);

    p.translate(rahmen, rahmen);
    p.setClipRect(QRect(0, 0, zivor::hilfeseiteBreite, zivor::hilfeseiteHoehe),
                  Qt::IntersectClip);
    zivor::zeichneHilfeseite(p);
}
