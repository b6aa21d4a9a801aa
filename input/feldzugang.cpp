#include "input/feldzugang.h"

#include "diagrams/zugangsfabrik.h"
#include "input/lesefeld.h"

#include <algorithm>

namespace zivor {
namespace {

QAccessibleInterface *schnittstelle(const QString &klasse, QObject *objekt)
{
    if (klasse == QLatin1String(Lesefeld::staticMetaObject.className()))
        return new Feldzugang(static_cast<QWidget *>(objekt));
    return nullptr;
}

} // namespace

Feldzugang::Feldzugang(QWidget *feld) : QAccessibleWidget(feld, QAccessible::EditableText) {}

void Feldzugang::anmelden()
{
    installiereZugang(schnittstelle);
}

Lesefeld *Feldzugang::feld() const
{
    return static_cast<Lesefeld *>(widget());
}

void *Feldzugang::interface_cast(QAccessible::InterfaceType art)
{
    if (art == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (art == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(art);
}

QString Feldzugang::text(QAccessible::Text art) const
{
    if (art == QAccessible::Value && !feld()->text().isEmpty())
        return feld()->text();
    return QAccessibleWidget::text(art);
}

void Feldzugang::setText(QAccessible::Text art, const QString &text)
{
    if (art != QAccessible::Value) {
        QAccessibleWidget::setText(art, text);
        return;
    }
    replaceText(0, characterCount(), text);
}

QAccessible::State Feldzugang::state() const
{
    QAccessible::State zustand = QAccessibleWidget::state();
    if (feld()->isReadOnly())
        zustand.readOnly = true;
    else
        zustand.editable = true;
    zustand.selectableText = true;
    return zustand;
}

void Feldzugang::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !feld()->hasSelectedText())
        return;
    *startOffset = feld()->selectionStart();
    *endOffset = *startOffset + static_cast<int>(feld()->selectedText().size());
}

int Feldzugang::selectionCount() const
{
    return feld()->hasSelectedText() ? 1 : 0;
}

void Feldzugang::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void Feldzugang::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        feld()->deselect();
}

void Feldzugang::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    const int anfang = std::clamp(startOffset, 0, characterCount());
    feld()->setSelection(anfang, std::clamp(endOffset, anfang, characterCount()) - anfang);
}

int Feldzugang::cursorPosition() const
{
    return feld()->cursorPosition();
}

void Feldzugang::setCursorPosition(int position)
{
    feld()->setCursorPosition(position);
}

QString Feldzugang::text(int startOffset, int endOffset) const
{
    const int n = characterCount();
    const int anfang = std::clamp(startOffset, 0, n);
    const int ende = endOffset < 0 ? n : std::clamp(endOffset, anfang, n);
    return feld()->text().mid(anfang, ende - anfang);
}

int Feldzugang::characterCount() const
{
    return static_cast<int>(feld()->text().size());
}

QRect Feldzugang::characterRect(int offset) const
{
    const QRect r = feld()->zeichenRechteck(offset);
    return r.isNull() ? r : QRect(feld()->mapToGlobal(r.topLeft()), r.size());
}

int Feldzugang::offsetAtPoint(const QPoint &point) const
{
    const QPoint lokal = feld()->mapFromGlobal(point);
    return feld()->rect().contains(lokal) ? feld()->cursorPositionAt(lokal) : -1;
}

void Feldzugang::scrollToSubstring(int startIndex, int endIndex)
{
    feld()->setCursorPosition(endIndex);
    feld()->setCursorPosition(startIndex);
}

QString Feldzugang::attributes(int, int *startOffset, int *endOffset) const
{
    // One run without attributes over the whole text.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void Feldzugang::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void Feldzugang::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void Feldzugang::replaceText(int startOffset, int endOffset, const QString &text)
{
    // A tool edits only what the learner could edit, and only with what could be typed there.
    if (feld()->isReadOnly())
        return;
    const int n = characterCount();
    const int anfang = std::clamp(startOffset, 0, n);
    const int ende = endOffset < 0 ? n : std::clamp(endOffset, anfang, n);
    const QString neu = feld()->eingabeAus(text);
    feld()->setText(feld()->text().replace(anfang, ende - anfang, neu).left(feld()->maxLength()));
    feld()->setCursorPosition(anfang + static_cast<int>(neu.size()));
}

} // namespace zivor
