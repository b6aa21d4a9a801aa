#include "app/rahmenmitte.h"

#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace zivor {

Rahmenmitte::Rahmenmitte(QWidget *fenster)
    : QObject(fenster)
    , m_fenster(fenster)
{
    m_fenster->installEventFilter(this);
}

bool Rahmenmitte::eventFilter(QObject *watched, QEvent *event)
{
    // The platform window exists once the widget is shown; it is exposed once it is mapped.
    if (watched == m_fenster && event->type() == QEvent::Show && m_plattformfenster == nullptr) {
        m_fenster->removeEventFilter(this);
        m_plattformfenster = m_fenster->windowHandle();
        if (m_plattformfenster != nullptr)
            m_plattformfenster->installEventFilter(this);
    } else if (watched == m_plattformfenster && event->type() == QEvent::Expose
               && m_plattformfenster->isExposed()) {
        m_plattformfenster->removeEventFilter(this);
        zentriere(m_fenster);
    }
    return QObject::eventFilter(watched, event);
}

void Rahmenmitte::zentriere(QWidget *fenster)
{
    const QScreen *bildschirm = fenster->screen();
    if (bildschirm == nullptr)
        return;
    const QRect rahmen = fenster->frameGeometry();
    const QRect mitte = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, rahmen.size(),
                                            bildschirm->availableGeometry());
    // A window's position is that of its frame.
    if (mitte.topLeft() != rahmen.topLeft())
        fenster->move(mitte.topLeft());
}

} // namespace zivor
