#include "app/ansage.h"

#include "diagrams/zugangsfabrik.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#ifdef Q_OS_WASM
#include "web/seitenansage.h"
#endif

namespace zivor {
namespace {

// The carrier of one announcement: an invisible notification whose name is the text. It lies
// in an invisible status bar, so that screen readers speak the text without a role name.
class Ansagetraeger : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
};

class Ansageleiste : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
};

QAccessibleInterface *schnittstelle(const QString &klasse, QObject *objekt)
{
    if (klasse == QLatin1String(Ansagetraeger::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(objekt), QAccessible::Notification);
    if (klasse == QLatin1String(Ansageleiste::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(objekt), QAccessible::StatusBar);
    return nullptr;
}

} // namespace

Ansage::Ansage(QWidget *fenster) : QObject(fenster)
{
    // Known before the bar is asked for its interface, which its name already does.
    installiereZugang(schnittstelle);
    m_traeger = new Ansageleiste(fenster);
    m_traeger->setObjectName(QStringLiteral("Ansagen"));
    m_traeger->setAccessibleName(QStringLiteral("Ansagen"));
    m_traeger->hide();
}

void Ansage::sprich(const QString &text)
{
    delete m_letzte;
    auto *t = new Ansagetraeger(m_traeger);
    t->setObjectName(QStringLiteral("Ansage"));
    t->setAccessibleName(text);
    t->setGeometry(0, 0, 1, 1);
    m_letzte = t;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // This Qt hands the text to the screen reader as an announcement of its own.
    QAccessibleAnnouncementEvent ereignis(t, text);
#else
    // A notification that shows itself is spoken at once; as it lies in a status bar, without
    // a role name before it.
    QAccessibleEvent ereignis(t, QAccessible::ObjectShow);
#endif
    QAccessible::updateAccessibility(&ereignis);
#ifdef Q_OS_WASM
    // In the browser the page's live region speaks it.
    Seitenansage::sprich(text);
#endif
}

} // namespace zivor

#include "ansage.moc"
