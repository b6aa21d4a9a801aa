#include "app/hilfebildzugang.h"

#include "app/frmzivorhilfe.h"
#include "app/hilfebild.h"
#include "diagrams/zugangsfabrik.h"

namespace zivor {
namespace {

QAccessibleInterface *schnittstelle(const QString &klasse, QObject *objekt)
{
    if (klasse == QLatin1String(Hilfebild::staticMetaObject.className()))
        return new Hilfebildzugang(static_cast<QWidget *>(objekt));
    // The help window is a dialog, not an anonymous filler.
    if (klasse == QLatin1String(frmzivorhilfe::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(objekt), QAccessible::Dialog);
    return nullptr;
}

} // namespace

Hilfebildzugang::Hilfebildzugang(QWidget *seite)
    : Lesetextzugang(seite, QAccessible::Document)
{
}

void Hilfebildzugang::anmelden()
{
    installiereZugang(schnittstelle);
}

Hilfebild *Hilfebildzugang::seite() const
{
    return static_cast<Hilfebild *>(widget());
}

Lesetext Hilfebildzugang::lesetext() const
{
    return seite()->lesetext();
}

int Hilfebildzugang::schreibmarke() const
{
    return seite()->schreibmarke();
}

void Hilfebildzugang::setzeSchreibmarke(int offset)
{
    seite()->setzeSchreibmarke(offset);
}

void Hilfebildzugang::zeige(const QRectF &bereich)
{
    emit seite()->zeigeBereich(bereich);
}

} // namespace zivor
