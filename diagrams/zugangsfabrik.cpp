#include "diagrams/zugangsfabrik.h"

#include <QList>

namespace zivor {

void installiereZugang(QAccessible::InterfaceFactory fabrik)
{
    static QList<QAccessible::InterfaceFactory> installiert;
    if (installiert.contains(fabrik))
        return;
    installiert << fabrik;
    QAccessible::installFactory(fabrik);
}

} // namespace zivor
