#include "app/hilfebildzugang.h"

#include "app/hilfebild.h"
#include "assets/hilfeseitenzeichnung.h"

#include <algorithm>

namespace zivor {
namespace {

QAccessibleInterface *schnittstelle(const QString &klasse, QObject *objekt)
{
    if (klasse == QLatin1String(Hilfebild::staticMetaObject.className()))
        return new Hilfebildzugang(static_cast<QWidget *>(objekt));
    return nullptr;
}

} // namespace

Hilfebildzugang::Hilfebildzugang(QWidget *seite)
    : QAccessibleWidget(seite, QAccessible::StaticText), m_text(hilfeseitenText())
{
}

void Hilfebildzugang::anmelden()
{
    static const bool angemeldet = [] {
        QAccessible::installFactory(schnittstelle);
        return true;
    }();
    Q_UNUSED(angemeldet);
}

void *Hilfebildzugang::interface_cast(QAccessible::InterfaceType art)
{
    if (art == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(art);
}

QAccessible::State Hilfebildzugang::state() const
{
    QAccessible::State zustand = QAccessibleWidget::state();
    zustand.readOnly = true;
    zustand.multiLine = true;
    return zustand;
}

void Hilfebildzugang::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

int Hilfebildzugang::selectionCount() const
{
    return 0;
}

void Hilfebildzugang::addSelection(int, int) {}

void Hilfebildzugang::removeSelection(int) {}

void Hilfebildzugang::setSelection(int, int, int) {}

int Hilfebildzugang::cursorPosition() const
{
    return 0;
}

void Hilfebildzugang::setCursorPosition(int) {}

QString Hilfebildzugang::text(int startOffset, int endOffset) const
{
    const int anfang = std::clamp(startOffset, 0, static_cast<int>(m_text.size()));
    const int ende = endOffset < 0 ? static_cast<int>(m_text.size())
                                   : std::clamp(endOffset, anfang, static_cast<int>(m_text.size()));
    return m_text.mid(anfang, ende - anfang);
}

int Hilfebildzugang::characterCount() const
{
    return static_cast<int>(m_text.size());
}

QRect Hilfebildzugang::characterRect(int) const
{
    return {};
}

int Hilfebildzugang::offsetAtPoint(const QPoint &) const
{
    return -1;
}

void Hilfebildzugang::scrollToSubstring(int, int) {}

QString Hilfebildzugang::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = std::max(0, offset);
    *endOffset = std::max(0, offset);
    return {};
}

} // namespace zivor
