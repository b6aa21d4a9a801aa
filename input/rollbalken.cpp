#include "input/rollbalken.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QPaintEvent>

namespace zivor {

Rollbalken::Rollbalken(Qt::Orientation richtung, QWidget *parent)
    : QScrollBar(richtung, parent)
{
}

void Rollbalken::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    // A dark frame around the whole bar, one pixel inside its edge.
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 1.0));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

#ifdef Q_OS_WASM
void Rollbalken::contextMenuEvent(QContextMenuEvent *event)
{
    // The scroll bar's own menu waits for its choice in an event loop of its own, which the
    // browser's Qt cannot run: the bar has no menu there.
    event->accept();
}
#endif

} // namespace zivor
