#include "diagrams/diagrammzugang.h"

#include "diagrams/bildflaeche.h"
#include "diagrams/griff.h"
#include "diagrams/zugangsfabrik.h"

namespace zivor {
namespace {

QAccessibleInterface *schnittstelle(const QString &klasse, QObject *objekt)
{
    if (klasse == QLatin1String(Bildflaeche::staticMetaObject.className()))
        return new Diagrammzugang(static_cast<QWidget *>(objekt), QAccessible::Chart);
    if (klasse == QLatin1String(Griff::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(objekt), QAccessible::Graphic);
    return nullptr;
}

} // namespace

Diagrammzugang::Diagrammzugang(QWidget *widget, QAccessible::Role rolle)
    : Behaelterzugang(widget, rolle)
{
}

void Diagrammzugang::anmelden()
{
    installiereZugang(schnittstelle);
}

} // namespace zivor
