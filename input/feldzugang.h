#pragma once
// What screen readers get from the program's text boxes (Lesefeld): a text box as Qt offers it,
// but with one run of text attributes over the whole text. Qt's own text box answers with a run
// of no length at every character, and a screen reader that puts the line together from the
// runs (Orca) then reads it one character short: "10" as "1", "45°" as "45".

#include <QAccessibleWidget>

namespace zivor {

class Lesefeld;

class Feldzugang : public QAccessibleWidget,
                   public QAccessibleTextInterface,
                   public QAccessibleEditableTextInterface
{
public:
    explicit Feldzugang(QWidget *feld);

    // Lets Qt's accessibility use this interface for the text boxes.
    static void anmelden();

    void *interface_cast(QAccessible::InterfaceType art) override;
    QString text(QAccessible::Text art) const override;
    void setText(QAccessible::Text art, const QString &text) override;
    QAccessible::State state() const override;

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

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    Lesefeld *feld() const;
};

} // namespace zivor
