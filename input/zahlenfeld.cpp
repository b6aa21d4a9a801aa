#include "input/zahlenfeld.h"

#include "input/tastenfilter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace zivor {

Zahlenfeld::Zahlenfeld(const QString &name, QWidget *parent) : Lesefeld(name, parent) {}

QString Zahlenfeld::eingabeAus(const QString &text) const
{
    if (!m_filter)
        return text;
    return filtereText(text, [this](qint16 &code) { m_filter(code); });
}

void Zahlenfeld::einfuegen(const QString &text)
{
    if (isReadOnly())
        return;
    insert(eingabeAus(text));
}

void Zahlenfeld::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        einfuegen(QApplication::clipboard()->text());
        event->accept();
        return;
    }
    // Editing shortcuts and keys without a character (Delete, arrows, Home, End) are not
    // filtered.
    static const QKeySequence::StandardKey bearbeiten[] = {
        QKeySequence::Copy, QKeySequence::Cut, QKeySequence::SelectAll,
        QKeySequence::Undo, QKeySequence::Redo};
    for (const auto taste : bearbeiten) {
        if (event->matches(taste)) {
            QLineEdit::keyPressEvent(event);
            return;
        }
    }
    QString text = event->text();
    if (event->key() == Qt::Key_Backspace)
        text = QStringLiteral("\b");
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        text = QStringLiteral("\r");
    const bool ohneZeichen = text.isEmpty() || event->key() == Qt::Key_Delete
        || (text.size() == 1 && text[0].unicode() == 127);
    if (ohneZeichen || !m_filter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    // Backspace and Enter are characters too (8 and 13) and go through the filter.
    QString eingabe;
    for (const QChar c : text) {
        qint16 code = c.unicode() > 0x7fff ? qint16(0) : static_cast<qint16>(c.unicode());
        m_filter(code);
        if (code == 8) {
            backspace();
        } else if (code != 0 && code != 13 && code != 10) {
            eingabe.append(QChar(static_cast<char16_t>(code)));
        }
    }
    if (!eingabe.isEmpty() && !isReadOnly())
        insert(eingabe);
}

void Zahlenfeld::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Only a move of the focus to another control of the program counts, not a popup
    // menu or another application taking the focus.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit fokusVerloren();
}

void Zahlenfeld::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction *aktion : menu->actions()) {
        if (aktion->objectName() == QLatin1String("edit-paste")) {
            disconnect(aktion, &QAction::triggered, nullptr, nullptr);
            connect(aktion, &QAction::triggered, this,
                    [this] { einfuegen(QApplication::clipboard()->text()); });
        }
    }
    menu->popup(event->globalPos());
}

void Zahlenfeld::dropEvent(QDropEvent *event)
{
    if (event->source() == this || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    einfuegen(event->mimeData()->text());
    event->acceptProposedAction();
    setFocus(Qt::MouseFocusReason);
}

void Zahlenfeld::mouseReleaseEvent(QMouseEvent *event)
{
    QClipboard *ablage = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && ablage->supportsSelection()) {
        if (!isReadOnly()) {
            setCursorPosition(cursorPositionAt(event->position().toPoint()));
            einfuegen(ablage->text(QClipboard::Selection));
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void Zahlenfeld::inputMethodEvent(QInputMethodEvent *event)
{
    // Text composed by an input method (dead keys, compose sequences) is typed text too.
    const QString gefiltertesText = eingabeAus(event->commitString());
    if (gefiltertesText == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent ersatz(event->preeditString(), event->attributes());
    ersatz.setCommitString(gefiltertesText, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&ersatz);
    event->accept();
}

} // namespace zivor
