#pragma once
// A number field: a text box whose typed characters pass a key filter. Text that arrives
// without typing (paste by keyboard, context menu or middle click, dropped text) passes
// the same filter. Reports the loss of the focus to another control.

#include "input/lesefeld.h"

#include <functional>

namespace zivor {

class Zahlenfeld : public Lesefeld
{
    Q_OBJECT
public:
    // The filter gets the character code and may replace it; 0 swallows the key.
    using Tastenfilter = std::function<void(qint16 &)>;

    Zahlenfeld(const QString &name, QWidget *parent);
    void setTastenfilter(Tastenfilter filter) { m_filter = std::move(filter); }
    // The characters of a text that the filter lets through.
    QString eingabeAus(const QString &text) const override;

signals:
    void fokusVerloren();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void einfuegen(const QString &text);

    Tastenfilter m_filter;
};

} // namespace zivor
