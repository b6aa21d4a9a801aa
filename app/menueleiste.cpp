#include "app/menueleiste.h"

#include <QKeyEvent>

namespace zivor {

Menueleiste::Menueleiste(QWidget *parent)
    : QMenuBar(parent)
{
}

bool Menueleiste::eventFilter(QObject *objekt, QEvent *ereignis)
{
    // While a screen reader listens to the keys, Qt hands each key to it first and delivers the
    // key again once the reader has answered, as a posted event; Qt then offers that copy to the
    // shortcuts once more. A copy of Alt that arrives after Alt+letter has already run its entry
    // would arm the bar's Alt navigation afresh, and the release of Alt would then leave the
    // focus on the bar's first entry ("Beenden"). Only Alt from the keyboard itself arms it.
    if (ereignis->type() == QEvent::ShortcutOverride && !ereignis->spontaneous()) {
        const int taste = static_cast<QKeyEvent *>(ereignis)->key();
        if (taste == Qt::Key_Alt || taste == Qt::Key_Meta)
            return false;
    }
    return QMenuBar::eventFilter(objekt, ereignis);
}

} // namespace zivor
