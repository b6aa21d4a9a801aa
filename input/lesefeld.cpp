#include "input/lesefeld.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>

namespace zivor {

Lesefeld::Lesefeld(const QString &name, QWidget *parent) : QLineEdit(parent)
{
    setObjectName(name);
}

void Lesefeld::focusInEvent(QFocusEvent *event)
{
    // A text box selects all of its text when the focus comes by Tab or a shortcut.
    const bool waehlt = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason
                        || event->reason() == Qt::ShortcutFocusReason;
    if (isReadOnly() && waehlt) {
        QFocusEvent ohneAuswahl(QEvent::FocusIn, Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&ohneAuswahl);
        return;
    }
    QLineEdit::focusInEvent(event);
}

QRect Lesefeld::zeichenRechteck(int offset) const
{
    const QString t = displayText();
    if (offset < 0 || offset >= t.size())
        return {};
    // The text box lays its line out in the style's contents area less the text margins, two
    // pixels in from the left and centred in height.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect innen = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    const QFontMetrics masse(font());
    constexpr int einzug = 2;
    const int links = innen.left() + einzug + masse.horizontalAdvance(t.left(offset));
    const int oben = innen.top() + (innen.height() - masse.height() + 1) / 2;
    return {links, oben, masse.horizontalAdvance(t.mid(offset, 1)), masse.height()};
}

} // namespace zivor
