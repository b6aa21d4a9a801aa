#pragma once
// What screen readers get from a text that is read, not edited: the text through the
// accessible text interface, with the true place of every character on the screen, so that
// a reader can read it line by line, review it by its position and follow a caret.

#include "model/lesetext.h"

#include <QAccessibleWidget>

namespace zivor {

class Lesetextzugang : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    Lesetextzugang(QWidget *widget, QAccessible::Role rolle);

    void *interface_cast(QAccessible::InterfaceType art) override;
    QAccessible::State state() const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    using QAccessibleWidget::text;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

protected:
    // The text with its characters' places, in the widget's coordinates.
    virtual Lesetext lesetext() const = 0;
    // A caret, where the text has one: by default it stays at the start.
    virtual int schreibmarke() const { return 0; }
    virtual void setzeSchreibmarke(int) {}
    // Brings a part of the text (in the widget's coordinates) into view, where it can scroll.
    virtual void zeige(const QRectF &) {}
};

} // namespace zivor
