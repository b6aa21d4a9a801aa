#pragma once
// The main window's menu bar. Alt pressed and released alone still moves the keyboard into the
// bar; Alt with a letter runs the entry and leaves the focus where it was, also while a screen
// reader looks at every key first, and without lighting up the entry in the bar, which a
// screen reader would take for a move of the focus into the bar.

#include <QMenuBar>
#include <QPointer>

namespace zivor {

class Menueleiste : public QMenuBar
{
    Q_OBJECT
public:
    explicit Menueleiste(QWidget *parent = nullptr);

    // The control of the window, outside the bar, that last had the keyboard focus: the one the
    // bar took the keys from while it has them.
    QWidget *letzterFokus() const { return m_letzterFokus; }

protected:
    bool event(QEvent *ereignis) override;
    bool eventFilter(QObject *objekt, QEvent *ereignis) override;

private:
    QPointer<QWidget> m_letzterFokus;
};

} // namespace zivor
