#pragma once
// What screen readers get from the help page: its name and its whole text, line by line,
// through the accessible text interface.

#include <QAccessibleWidget>

namespace zivor {

class Hilfebildzugang : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit Hilfebildzugang(QWidget *seite);

    // Lets Qt's accessibility use this interface for the help page.
    static void anmelden();

    void *interface_cast(QAccessible::InterfaceType art) override;
    QAccessible::State state() const override;

    // The text interface: a page that is read, not edited; no selection, no caret.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    QString m_text;
};

} // namespace zivor
