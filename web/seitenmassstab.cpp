#include "web/seitenmassstab.h"

#include "app/rahmenmitte.h"
#include "model/massstab.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>

namespace zivor {
namespace {

// The frame of a window in the page (a 4-px border, a 22-px title bar) until the window, once
// shown, tells its own; and the gap left around it. Page pixels.
const QMarginsF seitenrahmen(4, 26, 4, 4);
constexpr double abstand = 4.0;

} // namespace

Seitenmassstab::Seitenmassstab(QWidget *hauptfenster) : QObject(hauptfenster), m_fenster(hauptfenster) {}

void Seitenmassstab::einrichten(QWidget *hauptfenster)
{
    auto *massstab = new Seitenmassstab(hauptfenster);
    massstab->passeAn();
    // Once shown, the window's frame is known exactly.
    hauptfenster->installEventFilter(massstab);
    // The screen is the page's visible area; its geometry changes with it, and with the factor.
    connect(QGuiApplication::primaryScreen(), &QScreen::geometryChanged, massstab, &Seitenmassstab::passeAn,
            Qt::QueuedConnection);
}

bool Seitenmassstab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_fenster && event->type() == QEvent::Show) {
        m_fenster->removeEventFilter(this);
        QTimer::singleShot(0, this, &Seitenmassstab::passeAn);
    }
    return QObject::eventFilter(watched, event);
}

void Seitenmassstab::passeAn()
{
    QScreen *bildschirm = m_fenster->screen();
    if (bildschirm == nullptr || bildschirm->handle() == nullptr)
        return;
    QMarginsF rahmen = seitenrahmen;
    if (const QWindow *w = m_fenster->windowHandle(); w != nullptr && w->handle() != nullptr)
        rahmen = w->handle()->frameMargins().toMarginsF();
    // The platform's screen is in page pixels, whatever the factor.
    const QSizeF sichtbar = bildschirm->handle()->availableGeometry().size().toSizeF();
    const double faktor = seitenfaktor(sichtbar, m_fenster->size().toSizeF(), rahmen, abstand);
    if (!qFuzzyCompare(faktor, QHighDpiScaling::factor(bildschirm)))
        QHighDpiScaling::setScreenFactor(bildschirm, faktor);
    // A window keeps its size in page pixels until it is given its geometry again (the widget
    // holds it in its own units); then it is centred in the area, the main window as at start.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        const Qt::WindowType art = w->windowType();
        if (!w->isVisible() || w->windowHandle() == nullptr || (art != Qt::Window && art != Qt::Dialog))
            continue;
        w->windowHandle()->setGeometry(w->geometry());
        Rahmenmitte::zentriere(w);
    }
}

} // namespace zivor
