#include "app/frmzivorhilfe.h"

#include "app/hilfebild.h"
#include "app/hilfebildzugang.h"
#include "input/rollbalken.h"
#include "model/massstab.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>
#include <QTouchEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace zivor {
namespace {

// One unit of the window's vertical scale, in twips.
constexpr double twipsProEinheit = 0.4395;
constexpr int hoechsterWert = 19000;
// One wheel step (120 eighths of a degree) scrolls one text line of 276 twips.
constexpr double einheitenProRadstufe = 628.0;
constexpr double radstufe = 120.0;

} // namespace

namespace {

// The window's accessible interface may be asked for while the window is being made (newer Qt
// does so): the page's and the window's interfaces are made known before.
QWidget *mitZugang(QWidget *hauptfenster)
{
    Hilfebildzugang::anmelden();
    return hauptfenster;
}

} // namespace

frmzivorhilfe::frmzivorhilfe(QWidget *hauptfenster)
    : QWidget(mitZugang(hauptfenster), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmzivorhilfe"));
    setWindowTitle(QStringLiteral("Hilfe zur Aufgabe \"komplexe Ebene\""));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(631, 331);
    // A window takes the disabled state of its parent; the help window is the one that stays
    // usable while the main window is disabled.
    setEnabled(true);

    Image1 = new Hilfebild(this);
    Image1->setGeometry(0, 0, 607, 948);

    VScroll1 = new Rollbalken(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setAccessibleName(QStringLiteral("Hilfeseite verschieben"));
    VScroll1->setGeometry(609, 0, 19, 328);
    VScroll1->setRange(0, hoechsterWert);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    VScroll1->setValue(0);
    VScroll1->setFocusPolicy(Qt::StrongFocus);
    Image1->installEventFilter(this);
    Image1->setAttribute(Qt::WA_AcceptTouchEvents);
    VScroll1->installEventFilter(this);

    // Every change of the value moves the page: thumb, arrows, track and keys alike.
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmzivorhilfe::VScroll1_Scroll);
    // The page is read first: it has the focus when the window opens, and the line its caret
    // stands on is scrolled into view.
    connect(Image1, &Hilfebild::zeigeBereich, this, &frmzivorhilfe::zeigeBereich);
    setTabOrder(Image1, VScroll1);
    Image1->setFocus();
}

void frmzivorhilfe::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The page is read first, wherever the window opens: in the browser the scroll bar had the
    // focus once the window stood, so the page takes it when the window has been activated.
    QTimer::singleShot(0, Image1, [this] {
        if (isActiveWindow())
            Image1->setFocus(Qt::ActiveWindowFocusReason);
    });
}

void frmzivorhilfe::zeigeBereich(const QRectF &bereich)
{
    // The window shows the page's rows from -Top on, as many as the window is high; a value
    // of the scroll bar moves the page by 0.4395 twips.
    // The page lies at whole pixels, so the part is given a pixel to spare on either side.
    const QRectF teil = bereich.adjusted(0.0, -1.0, 0.0, 1.0);
    const double proWert = twipsProEinheit / twipsProPixel;
    const double oben = -Image1->y();
    const double unten = oben + height();
    double wert = VScroll1->value();
    if (teil.top() < oben)
        wert = std::floor(teil.top() / proWert);
    else if (teil.bottom() > unten)
        wert = std::ceil((teil.bottom() - height()) / proWert);
    VScroll1->setValue(static_cast<int>(std::clamp(wert, 0.0, static_cast<double>(hoechsterWert))));
}

void frmzivorhilfe::VScroll1_Scroll()
{
    Image1->setTop(-twipsProEinheit * VScroll1->value());
}

void frmzivorhilfe::Form_Unload()
{
    if (QWidget *hauptfenster = parentWidget())
        hauptfenster->setEnabled(true);
}

void frmzivorhilfe::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmzivorhilfe::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
}

void frmzivorhilfe::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the window, as it closes any dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmzivorhilfe::wheelEvent(QWheelEvent *event)
{
    radDrehen(event);
}

bool frmzivorhilfe::eventFilter(QObject *watched, QEvent *event)
{
    // The wheel scrolls by text lines over the page and over the scroll bar alike; the scroll
    // bar's own wheel step would be a fraction of a pixel.
    if ((watched == Image1 || watched == VScroll1) && event->type() == QEvent::Wheel) {
        radDrehen(static_cast<QWheelEvent *>(event));
        return true;
    }
    if (watched == Image1 && (event->type() == QEvent::TouchBegin || event->type() == QEvent::TouchUpdate
                              || event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel))
        return wischen(static_cast<QTouchEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

bool frmzivorhilfe::wischen(QTouchEvent *event)
{
    // A finger on a touch screen moves the page with it, up and down.
    if (event->type() == QEvent::TouchBegin) {
        if (event->device() == nullptr || event->device()->type() != QInputDevice::DeviceType::TouchScreen
            || event->points().size() != 1)
            return false;
        m_wischY = event->points().first().globalPosition().y();
        m_wischRest = 0.0;
        event->accept();
        return true;
    }
    if (event->type() == QEvent::TouchCancel || event->points().isEmpty())
        return true;
    const double y = event->points().first().globalPosition().y();
    const double einheiten = (m_wischY - y) * twipsProPixel / twipsProEinheit + m_wischRest;
    m_wischY = y;
    const int ganz = static_cast<int>(einheiten);
    m_wischRest = einheiten - ganz;
    VScroll1->setValue(std::clamp(VScroll1->value() + ganz, VScroll1->minimum(), VScroll1->maximum()));
    return true;
}

void frmzivorhilfe::radDrehen(QWheelEvent *event)
{
    const int drehung = event->angleDelta().y();
    if (drehung == 0) {
        event->ignore();
        return;
    }
    event->accept();
    const double einheiten = -drehung * einheitenProRadstufe / radstufe + m_radRest;
    const int ganz = static_cast<int>(einheiten);
    m_radRest = einheiten - ganz;
    const int wert = VScroll1->value() + ganz;
    const int neu = std::clamp(wert, VScroll1->minimum(), VScroll1->maximum());
    if (neu != wert)
        m_radRest = 0.0;
    VScroll1->setValue(neu);
}

} // namespace zivor
