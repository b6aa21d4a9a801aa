#include "app/hilfevorn.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace zivor {

Hilfevorn::Hilfevorn(QWidget *hauptfenster, QWidget *hilfe)
    : QObject(hilfe)
    , m_haupt(hauptfenster)
    , m_hauptfenster(hauptfenster->windowHandle())
    , m_hilfe(hilfe)
{
    // The disabled main window's widgets take no clicks; its platform window still sees them.
    m_haupt->installEventFilter(this);
    if (m_hauptfenster != nullptr)
        m_hauptfenster->installEventFilter(this);
}

bool Hilfevorn::eventFilter(QObject *watched, QEvent *event)
{
    const bool aktiviert = watched == m_haupt && event->type() == QEvent::ActivationChange
        && m_haupt->isActiveWindow();
    const bool geklickt = watched == m_hauptfenster && event->type() == QEvent::MouseButtonPress;
    if ((aktiviert || geklickt) && m_hilfe->isVisible())
        holeNachVorn();
    return QObject::eventFilter(watched, event);
}

void Hilfevorn::holeNachVorn()
{
    if (m_hilfe->isMinimized())
        m_hilfe->setWindowState(m_hilfe->windowState() & ~Qt::WindowMinimized);
    m_hilfe->raise();
    m_hilfe->activateWindow();
}

} // namespace zivor
