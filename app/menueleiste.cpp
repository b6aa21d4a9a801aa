#include "app/menueleiste.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcutEvent>

namespace zivor {

Menueleiste::Menueleiste(QWidget *parent)
    : QMenuBar(parent)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *neu) {
        if (neu != nullptr && neu->window() == window() && neu != this && !isAncestorOf(neu))
            m_letzterFokus = neu;
    });
}

bool Menueleiste::event(QEvent *ereignis)
{
    // Alt with an entry's access key runs that entry at once.
    if (ereignis->type() == QEvent::Shortcut) {
        const QKeySequence taste = static_cast<QShortcutEvent *>(ereignis)->key();
        for (QAction *eintrag : actions()) {
            if (eintrag->menu() == nullptr && QKeySequence::mnemonic(eintrag->text()) == taste) {
                if (eintrag->isEnabled() && eintrag->isVisible())
                    eintrag->trigger();
                return true;
            }
        }
    }
    return QMenuBar::event(ereignis);
}

bool Menueleiste::eventFilter(QObject *objekt, QEvent *ereignis)
{
    // While a screen reader listens to the keys, Qt hands each key to it first and delivers a
    // copy once the reader has answered; the copy has no time stamp from the keyboard, and it
    // may come after later keys (a slow answer lets Qt deliver what is waiting at once). Qt
    // offers a copy of Alt to the shortcuts once more, and that would arm the bar's Alt
    // navigation anew after Alt+letter had already run its entry: releasing Alt then left the
    // focus on the bar's first entry ("Beenden"). Only Alt from the keyboard itself arms it.
    if (ereignis->type() == QEvent::ShortcutOverride) {
        const auto *taste = static_cast<const QKeyEvent *>(ereignis);
        if ((taste->key() == Qt::Key_Alt || taste->key() == Qt::Key_Meta) && taste->timestamp() == 0)
            return false;
    }
    // The copy of a release may also come while Alt is held down once more: it belongs to an
    // earlier press, and taking it for the release of this one would move the keyboard into the
    // bar just before the letter comes. Such a release is no release of the key now held.
    if (ereignis->type() == QEvent::KeyRelease && !ereignis->spontaneous()) {
        const auto *taste = static_cast<const QKeyEvent *>(ereignis);
        if ((taste->key() == Qt::Key_Alt || taste->key() == Qt::Key_Meta) && taste->timestamp() == 0
            && (QGuiApplication::queryKeyboardModifiers() & (Qt::AltModifier | Qt::MetaModifier)))
            return false;
    }
    return QMenuBar::eventFilter(objekt, ereignis);
}

} // namespace zivor
