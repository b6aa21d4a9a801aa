#include "app/hilfevorn.h"

#include "app/menueleiste.h"

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
    // The disabled main window has given up its focus already; the menu bar knows the last
    // control outside it that had the keys.
    if (const auto *leiste = hauptfenster->findChild<Menueleiste *>())
        m_fokus = leiste->letzterFokus();
    // The disabled main window's widgets take no clicks; its platform window still sees them.
    m_haupt->installEventFilter(this);
    if (m_hauptfenster != nullptr)
        m_hauptfenster->installEventFilter(this);
}

bool Hilfevorn::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_haupt && event->type() == QEvent::EnabledChange && m_haupt->isEnabled()) {
        if (m_fokus != nullptr && m_fokus->isVisible() && m_fokus->isEnabled())
            m_fokus->setFocus(Qt::OtherFocusReason);
        m_fokus = nullptr;
    }
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
