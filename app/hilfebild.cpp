#include "app/hilfebild.h"

#include "app/hilfebildzugang.h"

#include "assets/hilfeseitenzeichnung.h"
#include "model/massstab.h"

#include <QPainter>
#include <QPaintEvent>

namespace zivor {
namespace {

constexpr int rahmen = 1;

} // namespace

Hilfebild::Hilfebild(QWidget *parent)
    : QWidget(parent)
{
    Hilfebildzugang::anmelden(); // before anything asks for the page's accessible interface
    setObjectName(QStringLiteral("Image1"));
    setAccessibleName(QStringLiteral("Hilfeseite"));
    resize(hilfeseiteBreite + 2 * rahmen, hilfeseiteHoehe + 2 * rahmen);
    // Every pixel is painted, so a move only repaints the part that comes into view.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double Hilfebild::top() const
{
    return m_top;
}

void Hilfebild::setTop(double twips)
{
    m_top = twips;
    move(x(), qRound(twips / twipsProPixel));
}

void Hilfebild::paintEvent(QPaintEvent *event)
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
    p.setClipRect(QRect(0, 0, hilfeseiteBreite, hilfeseiteHoehe),
                  Qt::IntersectClip);
    zeichneHilfeseite(p);
}

} // namespace zivor
