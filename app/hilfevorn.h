#pragma once
// Keeps the open help window in front of the disabled main window: when the learner clicks the
// main window, or activates it (from the task bar, say), the help window comes back in front
// and active, and out of the task bar if a window manager has minimised it all the same.

#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

namespace zivor {

class Hilfevorn : public QObject
{
public:
    // Belongs to the help window and ends with it.
    Hilfevorn(QWidget *hauptfenster, QWidget *hilfe);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void holeNachVorn();

    QPointer<QWidget> m_haupt;
    QPointer<QWindow> m_hauptfenster;
    QWidget *m_hilfe;
};

} // namespace zivor
