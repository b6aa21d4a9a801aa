#include "app/lesetextzugang.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace zivor {

Lesetextzugang::Lesetextzugang(QWidget *widget, QAccessible::Role rolle)
    : QAccessibleWidget(widget, rolle)
{
}

void *Lesetextzugang::interface_cast(QAccessible::InterfaceType art)
{
    if (art == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(art);
}

QAccessible::State Lesetextzugang::state() const
{
    QAccessible::State zustand = QAccessibleWidget::state();
    zustand.readOnly = true;
    zustand.multiLine = true;
    return zustand;
}

void Lesetextzugang::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

int Lesetextzugang::selectionCount() const
{
    return 0;
}

void Lesetextzugang::addSelection(int, int) {}

void Lesetextzugang::removeSelection(int) {}

void Lesetextzugang::setSelection(int, int, int) {}

int Lesetextzugang::cursorPosition() const
{
    return schreibmarke();
}

void Lesetextzugang::setCursorPosition(int position)
{
    setzeSchreibmarke(std::clamp(position, 0, characterCount()));
}

QString Lesetextzugang::text(int startOffset, int endOffset) const
{
    const QString t = lesetext().text;
    const int n = static_cast<int>(t.size());
    const int anfang = std::clamp(startOffset, 0, n);
    const int ende = endOffset < 0 ? n : std::clamp(endOffset, anfang, n);
    return t.mid(anfang, ende - anfang);
}

int Lesetextzugang::characterCount() const
{
    return static_cast<int>(lesetext().text.size());
}

QRect Lesetextzugang::characterRect(int offset) const
{
    const Lesetext t = lesetext();
    if (offset < 0 || offset >= t.zeichen.size())
        return {};
    // Whole pixels by rounding each edge, so that neighbours meet without overlapping and the
    // pixels of a rectangle lead back to its character.
    const QRectF r = t.zeichen[offset];
    const int links = static_cast<int>(std::lround(r.left()));
    const int oben = static_cast<int>(std::lround(r.top()));
    const int breite = static_cast<int>(std::lround(r.right())) - links;
    const int hoehe = static_cast<int>(std::lround(r.bottom())) - oben;
    return QRect(widget()->mapToGlobal(QPoint(links, oben)), QSize(breite, hoehe));
}

int Lesetextzugang::offsetAtPoint(const QPoint &point) const
{
    return lesetext().zeichenBei(QPointF(widget()->mapFromGlobal(point)) + QPointF(0.5, 0.5));
}

void Lesetextzugang::scrollToSubstring(int startIndex, int endIndex)
{
    const Lesetext t = lesetext();
    const int n = static_cast<int>(t.zeichen.size());
    if (n == 0)
        return;
    const int anfang = std::clamp(startIndex, 0, n - 1);
    const int ende = std::clamp(endIndex, anfang, n - 1);
    QRectF bereich = t.zeichen[anfang];
    for (int i = anfang + 1; i <= ende; ++i)
        bereich = bereich.united(t.zeichen[i]);
    zeige(bereich);
}

QString Lesetextzugang::attributes(int, int *startOffset, int *endOffset) const
{
    // One run without attributes over the whole text.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace zivor
