#pragma once
// Centres a window's frame, title bar included, on its screen once the window manager has
// framed it. Before the window is mapped its frame is not known (an X window manager states
// it in _NET_FRAME_EXTENTS only then); until then the window is centred by its client area.

#include <QObject>

class QWidget;
class QWindow;

namespace zivor {

class Rahmenmitte : public QObject
{
public:
    // Watches the window's first showing; the object belongs to the window.
    explicit Rahmenmitte(QWidget *fenster);

    bool eventFilter(QObject *watched, QEvent *event) override;

    // Centres the window's frame in its screen's available area.
    static void zentriere(QWidget *fenster);

private:
    QWidget *m_fenster;
    QWindow *m_plattformfenster = nullptr;
};

} // namespace zivor
