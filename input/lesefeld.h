#pragma once
// A text box of the main window. While it is read-only it shows a value, and taking the
// keyboard focus by Tab leaves its text unselected, as a value one reads, not one about to be
// typed over: a screen reader then reads the value once, without announcing a selection.

#include <QLineEdit>

namespace zivor {

class Lesefeld : public QLineEdit
{
    Q_OBJECT
public:
    Lesefeld(const QString &name, QWidget *parent);

    // What of a text that arrives without typing may go into the field; all of it by default.
    virtual QString eingabeAus(const QString &text) const { return text; }

    // Where the character at offset is drawn, in the field's coordinates (the fields are wide
    // enough for their texts, which never scroll).
    QRect zeichenRechteck(int offset) const;

protected:
    void focusInEvent(QFocusEvent *event) override;
};

} // namespace zivor
