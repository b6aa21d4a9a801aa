#include "web/browsertasten.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace zivor {

bool Browsertasten::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *taste = static_cast<QKeyEvent *>(event);
        QWidget *fenster = QApplication::activeWindow();
        if (taste->key() == Qt::Key_Escape && taste->modifiers() == Qt::NoModifier && fenster != nullptr
            && fenster->objectName() == QLatin1String("frmzivorhilfe")) {
            fenster->close();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zivor
