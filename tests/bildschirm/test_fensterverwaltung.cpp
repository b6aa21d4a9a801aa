// The program on a real X display with a window manager, openbox or xfwm4 (run by
// mit_bildschirm.sh, on the xcb platform): the main window's frame stands in the middle of the
// screen; the help window stays in front of the disabled main window whatever the learner
// clicks, and comes back when the window manager has minimised it; and on screenshots of the
// X screen the curves have the stretched stroke while the grid lines stay one logical pixel
// and sharp. Input is real X input (xdotool), the stacking is the window manager's own list.

#include "app/formzivor.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <numbers>

namespace {

void xdotool(const QStringList &argumente)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), argumente);
    QVERIFY2(p.waitForFinished(10000) && p.exitCode() == 0,
             qPrintable(QStringLiteral("xdotool %1: %2").arg(argumente.join(u' '), QString::fromLocal8Bit(p.readAllStandardError()))));
}

// A real click of the left button at a point of the screen, in the program's logical pixels.
void klicke(QPoint global, qreal ratio)
{
    xdotool({QStringLiteral("mousemove"), QString::number(qRound(global.x() * ratio)),
             QString::number(qRound(global.y() * ratio)), QStringLiteral("click"), QStringLiteral("1")});
}

// The window ids of a property of the root window, such as the window manager's stacking list.
QList<quint64> fensterliste(const char *eigenschaft)
{
    QProcess p;
    p.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-notype"), QLatin1String(eigenschaft)});
    p.waitForFinished(10000);
    QList<quint64> ids;
    const QString text = QString::fromLatin1(p.readAllStandardOutput());
    const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    for (auto it = hex.globalMatch(text); it.hasNext();)
        ids << it.next().captured().toULongLong(nullptr, 16);
    return ids;
}

// What xprop says about a property of a window, after the "=" (or ":" for WM_STATE).
QString eigenschaft(quint64 fenster, const char *name)
{
    QProcess p;
    p.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(fenster), QLatin1String(name)});
    p.waitForFinished(10000);
    const QString text = QString::fromLatin1(p.readAllStandardOutput());
    const qsizetype trenner = text.indexOf(QRegularExpression(QStringLiteral("[=:]")));
    return trenner < 0 ? QString() : text.mid(trenner + 1).trimmed();
}

// The numbers of a property (xprop writes them in decimal or in hex).
QList<quint64> zahlen(const QString &text)
{
    QList<quint64> werte;
    const QRegularExpression zahl(QStringLiteral("\\b(0x[0-9a-fA-F]+|[0-9]+)\\b"));
    for (auto it = zahl.globalMatch(text); it.hasNext();)
        werte << it.next().captured().toULongLong(nullptr, 0);
    return werte;
}

// Where the window manager's frame of a window stands on the screen, in device pixels: the
// window's place on the root window (xwininfo) widened by the frame extents the window manager
// states, and the size of the root window.
struct Rahmenlage {
    QRect rahmen;
    QMargins rand;
    QSize schirm;
};

Rahmenlage rahmenlage(quint64 fenster)
{
    const auto xwininfo = [](const QStringList &argumente) {
        QProcess p;
        p.start(QStringLiteral("xwininfo"), argumente);
        p.waitForFinished(10000);
        return QString::fromLatin1(p.readAllStandardOutput());
    };
    const auto wert = [](const QString &text, const char *name) {
        const QRegularExpression muster(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(name)));
        return muster.match(text).captured(1).toInt();
    };
    const QString w = xwininfo({QStringLiteral("-id"), QString::number(fenster)});
    const QString r = xwininfo({QStringLiteral("-root")});
    const QList<quint64> rand = zahlen(eigenschaft(fenster, "_NET_FRAME_EXTENTS"));
    Rahmenlage lage;
    lage.schirm = QSize(wert(r, "Width"), wert(r, "Height"));
    if (rand.size() == 4)
        lage.rand = QMargins(int(rand[0]), int(rand[2]), int(rand[1]), int(rand[3]));
    lage.rahmen = QRect(wert(w, "Absolute upper-left X"), wert(w, "Absolute upper-left Y"), wert(w, "Width"),
                        wert(w, "Height")).marginsAdded(lage.rand);
    return lage;
}

QWidget *hilfefenster()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmzivorhilfe") && w->isVisible())
            return w;
    return nullptr;
}

// The help window lies above the main window in the window manager's stacking list and is
// the active window (xfwm4 adds a second, empty window to _NET_ACTIVE_WINDOW).
bool hilfeVorn(const QWidget &haupt, const QWidget &hilfe)
{
    const QList<quint64> stapel = fensterliste("_NET_CLIENT_LIST_STACKING");
    const qsizetype unten = stapel.indexOf(haupt.winId());
    const qsizetype oben = stapel.indexOf(hilfe.winId());
    const QList<quint64> aktiv = fensterliste("_NET_ACTIVE_WINDOW");
    return unten >= 0 && oben > unten && !aktiv.isEmpty() && aktiv.first() == hilfe.winId();
}

// The help window is shown (not minimised) and in front of the main window, and is active.
bool hilfeZurueck(const QWidget &haupt, const QWidget &hilfe)
{
    return eigenschaft(hilfe.winId(), "WM_STATE").contains(QLatin1String("Normal"))
        && !eigenschaft(hilfe.winId(), "_NET_WM_STATE").contains(QLatin1String("_NET_WM_STATE_HIDDEN"))
        && hilfeVorn(haupt, hilfe);
}

// Shows the main window and opens the help window with a real click on the menu entry; the
// help window is then in front and active, the main window disabled.
void oeffneHilfe(Formzivor &f, QPointer<QWidget> &hilfe)
{
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    auto *menuhilfe = f.findChild<QAction *>(QStringLiteral("menuhilfe"));
    klicke(f.menuBar()->mapToGlobal(f.menuBar()->actionGeometry(menuhilfe).center()), f.devicePixelRatioF());
    QTRY_VERIFY(hilfefenster() != nullptr);
    hilfe = hilfefenster();
    QVERIFY(QTest::qWaitForWindowExposed(hilfe));
    QVERIFY(!f.isEnabled());
    QTRY_VERIFY(hilfeVorn(f, *hilfe));
}

// What the window manager says about both windows, for a failure's message.
QString fensterlage(const QWidget &haupt, const QWidget &hilfe)
{
    const auto ids = [](const QList<quint64> &liste) {
        QStringList text;
        for (const quint64 id : liste)
            text << QString::number(id, 16);
        return text.join(u' ');
    };
    const auto zustand = [](const QWidget &w) {
        return QStringLiteral("%1 (%2; %3)").arg(w.winId(), 0, 16)
            .arg(eigenschaft(w.winId(), "WM_STATE").simplified(), eigenschaft(w.winId(), "_NET_WM_STATE"));
    };
    return QStringLiteral("main window %1, help window %2, stacking %3, active %4")
        .arg(zustand(haupt), zustand(hilfe), ids(fensterliste("_NET_CLIENT_LIST_STACKING")),
             ids(fensterliste("_NET_ACTIVE_WINDOW")));
}

// A point of the main window, on the screen, that the help window leaves free.
QPoint freieStelle(const QWidget &haupt, const QWidget &hilfe)
{
    const QRect frei = haupt.frameGeometry();
    for (const QPoint &stelle : {frei.topLeft() + QPoint(40, 60), frei.bottomLeft() + QPoint(40, -40),
                                 frei.bottomRight() + QPoint(-40, -40), frei.topRight() + QPoint(-40, 60)})
        if (!hilfe.frameGeometry().adjusted(-5, -5, 5, 5).contains(stelle))
            return stelle;
    return {};
}

} // namespace

class TestFensterverwaltung : public QObject
{
    Q_OBJECT
private slots:
    void rahmenInDerMitte();
    void hilfeBleibtVorDemHauptfenster();
    void minimierteHilfeKommtZurueck_data();
    void minimierteHilfeKommtZurueck();
    void kurvenstrichUndGitterAufDemBildschirm_data();
    void kurvenstrichUndGitterAufDemBildschirm();
};

// At start the main window's frame, title bar included, stands in the middle of the screen,
// to within 2 pixels.
void TestFensterverwaltung::rahmenInDerMitte()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    Rahmenlage lage;
    const auto mittig = [&] {
        lage = rahmenlage(f.winId());
        const QPoint abstand = QRect(QPoint(0, 0), lage.schirm).center() - lage.rahmen.center();
        return lage.rand.top() > 0 && std::abs(abstand.x()) <= 2 && std::abs(abstand.y()) <= 2;
    };
    QTRY_VERIFY2_WITH_TIMEOUT(mittig(), qPrintable(QStringLiteral("frame %1, %2 %3 x %4 (title bar %5 px) on a screen of %6 x %7")
                                                 .arg(lage.rahmen.x()).arg(lage.rahmen.y()).arg(lage.rahmen.width())
                                                 .arg(lage.rahmen.height()).arg(lage.rand.top())
                                                 .arg(lage.schirm.width()).arg(lage.schirm.height())), 5000);
}

void TestFensterverwaltung::hilfeBleibtVorDemHauptfenster()
{
    Formzivor f;
    QPointer<QWidget> hilfe;
    oeffneHilfe(f, hilfe);
    if (QTest::currentTestFailed())
        return;
    const qreal ratio = f.devicePixelRatioF();

    // Clicks on every part of the main window that the help window leaves free: the menu
    // bar, the diagrams, the check boxes, the slider.
    const QRect frei = f.frameGeometry();
    const QList<QPoint> stellen{f.menuBar()->mapToGlobal(QPoint(10, 5)), frei.topLeft() + QPoint(40, 60),
                                frei.bottomLeft() + QPoint(40, -40), frei.bottomRight() + QPoint(-40, -40),
                                frei.topRight() + QPoint(-40, 60)};
    int geklickt = 0;
    for (const QPoint &stelle : stellen) {
        if (hilfe->frameGeometry().adjusted(-5, -5, 5, 5).contains(stelle))
            continue;
        klicke(stelle, ratio);
        QTest::qWait(300);
        QTRY_VERIFY2(hilfeVorn(f, *hilfe), qPrintable(QStringLiteral("after a click at %1, %2").arg(stelle.x()).arg(stelle.y())));
        ++geklickt;
    }
    QVERIFY(geklickt >= 3);

    // Activating the main window the way a task bar does.
    xdotool({QStringLiteral("windowactivate"), QString::number(f.winId())});
    QTest::qWait(300);
    QTRY_VERIFY(hilfeVorn(f, *hilfe));

    // Closed through the window manager (Alt+F4), the main window takes clicks again.
    xdotool({QStringLiteral("key"), QStringLiteral("alt+F4")});
    QTRY_VERIFY(hilfe.isNull());
    QTRY_VERIFY(f.isEnabled());
    auto *funktion2 = f.findChild<QCheckBox *>(QStringLiteral("Checklinie(1)"));
    QVERIFY(!funktion2->isChecked());
    klicke(funktion2->mapToGlobal(QPoint(8, funktion2->height() / 2)), ratio);
    QTRY_VERIFY(funktion2->isChecked());
}

void TestFensterverwaltung::minimierteHilfeKommtZurueck_data()
{
    QTest::addColumn<bool>("perKlick");
    QTest::newRow("Klick auf das Hauptfenster") << true;
    QTest::newRow("Hauptfenster aus der Taskleiste") << false;
}

// The help window asks for no minimise button (Motif hints: no minimise function or
// decoration), and a window manager that honours the hints (xfwm4) offers none. Minimised all
// the same, it comes back in front and active when the learner clicks the disabled main
// window or activates it from the task bar.
void TestFensterverwaltung::minimierteHilfeKommtZurueck()
{
    QFETCH(bool, perKlick);
    Formzivor f;
    QPointer<QWidget> hilfe;
    oeffneHilfe(f, hilfe);
    if (QTest::currentTestFailed())
        return;
    const qreal ratio = f.devicePixelRatioF();
    QVERIFY(hilfeZurueck(f, *hilfe));

    // _MOTIF_WM_HINTS: flags, functions, decorations; functions 1 = all, 8 = minimise;
    // decorations 1 = all, 32 = minimise button.
    const QList<quint64> motif = zahlen(eigenschaft(hilfe->winId(), "_MOTIF_WM_HINTS"));
    QVERIFY2(motif.size() >= 3, qPrintable(eigenschaft(hilfe->winId(), "_MOTIF_WM_HINTS")));
    QCOMPARE(motif[0] & (1 | 2), 1u | 2u);
    QCOMPARE(motif[1] & (1 | 8), 0u);
    QCOMPARE(motif[2] & (1 | 32), 0u);
    if (qgetenv("ZIVOR_FM") == "xfwm4") {
        const QString aktionen = eigenschaft(hilfe->winId(), "_NET_WM_ALLOWED_ACTIONS");
        QVERIFY2(aktionen.contains(QLatin1String("_NET_WM_ACTION_CLOSE"))
                     && !aktionen.contains(QLatin1String("_NET_WM_ACTION_MINIMIZE")),
                 qPrintable(aktionen));
    }

    xdotool({QStringLiteral("windowminimize"), QString::number(hilfe->winId())});
    QTest::qWait(500);
    qInfo("help window after the request to minimise it: WM_STATE %s",
          qPrintable(eigenschaft(hilfe->winId(), "WM_STATE").simplified()));
    if (perKlick) {
        // openbox minimises the main window together with its help window; a window manager
        // that minimises the help window alone leaves the main window on the screen.
        if (eigenschaft(f.winId(), "WM_STATE").contains(QLatin1String("Iconic")))
            xdotool({QStringLiteral("windowmap"), QString::number(f.winId())});
        QTRY_VERIFY(eigenschaft(f.winId(), "WM_STATE").contains(QLatin1String("Normal")));
        const QPoint stelle = freieStelle(f, *hilfe);
        QVERIFY(!stelle.isNull());
        klicke(stelle, ratio);
    } else {
        xdotool({QStringLiteral("windowactivate"), QString::number(f.winId())});
    }
    QTRY_VERIFY2(hilfeZurueck(f, *hilfe), qPrintable(fensterlage(f, *hilfe)));
    QVERIFY(!f.isEnabled());

    xdotool({QStringLiteral("key"), QStringLiteral("alt+F4")});
    QTRY_VERIFY(hilfe.isNull());
    QTRY_VERIFY(f.isEnabled());
}

void TestFensterverwaltung::kurvenstrichUndGitterAufDemBildschirm_data()
{
    QTest::addColumn<int>("regler"); // slider position = picture width in diagram units
    QTest::newRow("25 Hz") << 3200;
    QTest::newRow("50 Hz") << 1600;
}

// Along a row of device pixels where the green wave crosses the time axis, its antialiased
// coverage adds up to the stroke's width there: the 6-unit line of the drawing stretched with
// the picture, 6 W / 3090 by 6 H / 2260 pixels, cut at the wave's slope. In a row between two
// horizontal grid lines a vertical grid line is exactly one logical pixel of pure yellow
// between white pixels.
void TestFensterverwaltung::kurvenstrichUndGitterAufDemBildschirm()
{
    QFETCH(int, regler);
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto *schieber = f.findChild<QScrollBar *>(QStringLiteral("HScroll3"));
    schieber->setSliderDown(true);
    schieber->setSliderPosition(regler);
    schieber->setSliderDown(false);
    QTest::qWait(400);

    QWidget *zeit = f.findChild<QWidget *>(QStringLiteral("Picture1"));
    const qreal ratio = zeit->devicePixelRatioF();
    const QImage schirm = zeit->screen()->grabWindow(0).toImage();
    // Device pixel of a point of the time diagram (x -100..900 over 6120 twips, y 100..-100
    // over 5790 twips, inside a 2-pixel border).
    const QPointF ecke = QPointF(zeit->mapToGlobal(QPoint(2, 2))) * ratio;
    const auto geraet = [&](double x, double y) {
        return ecke + QPointF((x + 100) * 6.12 / 15, (100 - y) * 28.95 / 15) * ratio;
    };

    // Function 1 at its start values: amplitude 10, shift -250, frequency 1600 / regler * 50.
    const double frequenz = 1600.0 / regler * 50;
    const double links = -(500.0 + 250.0) / (frequenz / 50);
    const double breitePx = regler * 6.12 / 15 * ratio;
    const double hoehePx = 200 * 28.95 / 15 * ratio;
    const double a = std::max(3 * breitePx / 3090, 0.5);
    const double b = std::max(3 * hoehePx / 2260, 0.5);
    const double cot = (breitePx * 768 / 3090) / (hoehePx * 1120.5 * 2 * std::numbers::pi / 2260);
    const double soll = 2 * std::sqrt(a * a + b * b * cot * cot);
    // Crossings of the centre line at s = 2.5 (50 Hz) or 2 (25 Hz), away from the axes.
    const double s = regler == 3200 ? 2.0 : 2.5;
    const QPointF kreuzung = geraet(links + regler * (4 + 768 * s) / 3090, 100 - 200 * 1125.5 / 2260);
    // A row a little above the time axis, which is black.
    const int zeile = static_cast<int>(std::floor(kreuzung.y() - 3 * ratio));
    double deckung = 0;
    for (int x = qRound(kreuzung.x()) - qRound(10 * ratio); x <= qRound(kreuzung.x()) + qRound(10 * ratio); ++x)
        deckung += (255 - qRed(schirm.pixel(x, zeile))) / 255.0; // green's red is 0, yellow's and white's 255
    QVERIFY2(std::abs(deckung - soll) <= 0.08 * soll + 0.05,
             qPrintable(QStringLiteral("stroke %1 device pixels, expected %2").arg(deckung).arg(soll)));

    // The wave stays inside the diagram: its border columns keep their grey and white.
    const QPoint rand = QPointF(QPointF(zeit->mapToGlobal(QPoint(0, 0))) * ratio).toPoint();
    for (int y = qRound(rand.y() + 4 * ratio); y < qRound(rand.y() + (zeit->height() - 4) * ratio); ++y)
        QCOMPARE(QColor(schirm.pixel(rand.x(), y)), QColor(128, 128, 128));

    // Vertical grid lines in a row between the horizontal ones at 49.74 and 59.68.
    const int gitterzeile = static_cast<int>(std::floor(geraet(0, 54.7).y()));
    int gepruefte = 0;
    for (const double gx : {-50.15, 99.91, 199.95, 299.98, 400.02, 500.02, 600.05, 700.09, 800.12}) {
        const int mitte = static_cast<int>(geraet(gx, 0).x());
        const int von = mitte - qRound(4 * ratio);
        const int bis = mitte + qRound(4 * ratio);
        bool kurveNahe = false;
        for (int x = von; x <= bis; ++x)
            kurveNahe = kurveNahe || qRed(schirm.pixel(x, gitterzeile)) != 255;
        if (kurveNahe)
            continue;
        int gelb = 0;
        for (int x = von; x <= bis; ++x) {
            const QColor c(schirm.pixel(x, gitterzeile));
            if (c == QColor(255, 255, 0))
                ++gelb;
            else
                QVERIFY2(c == Qt::white, qPrintable(QStringLiteral("%1 at column %2").arg(c.name()).arg(x)));
        }
        QCOMPARE(gelb, qRound(ratio));
        ++gepruefte;
    }
    QVERIFY(gepruefte >= 3);
}

QTEST_MAIN(TestFensterverwaltung)
#include "test_fensterverwaltung.moc"
