#pragma once
// Keeps Zivor's windows whole in the part of the page that the browser shows. Where that area is
// smaller than the main window with its frame (a tablet held landscape, a laptop at 150 %, a
// phone), every window is drawn smaller by Qt's scale factor for the screen, never cut; pointer,
// finger and the page elements for screen readers follow the same factor. Whenever the area
// changes (a turned tablet, a resized browser window) the factor is worked out anew and the
// windows are centred again.

#include <QObject>

class QWidget;

namespace zivor {

class Seitenmassstab : public QObject
{
public:
    // Before the main window is shown: it is then shown at its scale.
    static void einrichten(QWidget *hauptfenster);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit Seitenmassstab(QWidget *hauptfenster);
    void passeAn();

    QWidget *m_fenster;
};

} // namespace zivor
