#pragma once
// The help window: the help page and a vertical scroll bar that moves it. It is a dialog-type
// window of its own with the main window as its parent, so that the window manager keeps it in
// front of the main window (on X11 it is the main window's transient window), and it stays
// usable while the main window is disabled.

#include <QWidget>

class QCloseEvent;
class QKeyEvent;
class QPaintEvent;
class QShowEvent;
class QScrollBar;
class QTouchEvent;
class QWheelEvent;

namespace zivor {

class Hilfebild;

class frmzivorhilfe : public QWidget
{
    Q_OBJECT

public:
    explicit frmzivorhilfe(QWidget *hauptfenster = nullptr);

    // Moves the page to the scroll bar's value: Top = -0.4395 twips per unit.
    void VScroll1_Scroll();
    // Enables the main window, its parent, again; the window then closes and is discarded.
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void radDrehen(QWheelEvent *event);
    bool wischen(QTouchEvent *event);
    // Scrolls so that this part of the page (in the page's coordinates) is in view.
    void zeigeBereich(const QRectF &bereich);

    Hilfebild *Image1;
    QScrollBar *VScroll1;
    // Scroll units of partial wheel steps not yet applied.
    double m_radRest = 0.0;
    // A finger swiping the page: where it was last, and scroll units not yet applied.
    double m_wischY = 0.0;
    double m_wischRest = 0.0;
};

} // namespace zivor

// The window is known by its plain name too, as the learner's tools and the tests name it.
using zivor::frmzivorhilfe;
