#pragma once
// Keeps the open help window in front of the disabled main window: when the learner clicks the
// main window, or activates it (from the task bar, say), the help window comes back in front
// and active, and out of the task bar if a window manager has minimised it all the same. Once
// the main window is enabled again, the keyboard goes back to the control that had it before
// the help window opened; when the menu bar had taken the keys, to the control it took them
// from, never to the bar.

#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

namespace zivor {

class Hilfevorn : public QObject
{
public:
    // Belongs to the help window and ends with it; made when the help window opens.
    Hilfevorn(QWidget *hauptfenster, QWidget *hilfe);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void holeNachVorn();

    QPointer<QWidget> m_haupt;
    QPointer<QWindow> m_hauptfenster;
    QWidget *m_hilfe;
    QPointer<QWidget> m_fokus;
};

} // namespace zivor
