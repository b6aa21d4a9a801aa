// Dragging the phasor tips with the mouse, as a learner does it: press on a handle, move
// over the phasor diagram, release. The fields, the phasor lines, the handles and the
// curve pictures follow at every pointer position.

#include "app/formzivor.h"
#include "app/frmzivorhilfe.h"
#include "tests/fensterzustand.h"

#include <QAction>
#include <QApplication>
#include <QBackingStore>
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTouchEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <cmath>

namespace {

constexpr double pi = 3.14159265358979323846;

// Diagram coordinates of a pixel of the phasor diagram (widget pixels, border included).
QPointF diagrammpunkt(QPoint pixel)
{
    return {-100.0 + (pixel.x() - 2) * 15.0 / 29.025, 100.0 - (pixel.y() - 2) * 15.0 / 29.025};
}

// The shown angle of a direction: whole degrees, within 1° of the true direction.
int wahrerWinkel(double x, double y)
{
    return static_cast<int>(std::lround(std::atan2(y, x) * 180.0 / pi));
}

} // namespace

class TestZiehen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    // The touch screen lives as long as the test; Qt does not own the devices tests make.
    void cleanupTestCase() { delete m_finger; }
    void init();
    void cleanup() { delete m_f; }
    void gruenenZeigerZiehen();
    void rotenZeigerMitGesamt();
    void gesamtAbgewaehltBehaeltSummenwerte();
    void zeigerVerlaesstDasDiagramm();
    void loslassenSetztNurDenGriff();
    void dritterGriffBewegtRotenZeiger();
    void tooltipZeigtKoordinaten();
    void verlorenesLoslassenBeendetDasZiehen();
    void beispieleDirektGerufen_data();
    void beispieleDirektGerufen();
    void summenspitzeBeispiele_data();
    void summenspitzeBeispiele();
    void fingerNimmtDenNaechstenGriff_data();
    void fingerNimmtDenNaechstenGriff();
    void zweiterFingerUndAbbruch();
    void dasUebrigePerFinger();

private:
    QPointingDevice *m_finger = nullptr;
    QWidget *w(const char *name) const { return m_f->findChild<QWidget *>(QLatin1String(name)); }
    QString text(const char *name) const { return m_f->findChild<QLineEdit *>(QLatin1String(name))->text(); }
    double prop(const char *name, const char *e) const
    {
        return m_f->findChild<QObject *>(QLatin1String(name))->property(e).toDouble();
    }
    // Window coordinates of a pixel of a control.
    QPoint imFenster(QWidget *control, QPoint p) const { return control->mapTo(m_f, p); }
    QPoint griffMitte(int i) const
    {
        QWidget *g = w(i == 0 ? "Label1(0)" : i == 1 ? "Label1(1)" : "Label1(2)");
        return imFenster(g, QPoint(2, 2));
    }
    void ziehe(QPoint von, const QList<QPoint> &ueber, QPoint bis);

    Formzivor *m_f = nullptr;
};

void TestZiehen::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    m_finger = QTest::createTouchDevice();
}

void TestZiehen::init()
{
    m_f = new Formzivor;
    m_f->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f));
}

void TestZiehen::ziehe(QPoint von, const QList<QPoint> &ueber, QPoint bis)
{
    QWindow *fenster = m_f->windowHandle();
    QTest::mouseMove(fenster, von);
    QTest::mousePress(fenster, Qt::LeftButton, {}, von);
    for (const QPoint &p : ueber)
        QTest::mouseMove(fenster, p);
    QTest::mouseRelease(fenster, Qt::LeftButton, {}, bis);
}

void TestZiehen::gruenenZeigerZiehen()
{
    QWidget *bild = w("Picture2");
    const QPoint ziel(260, 110);
    // The lines and the handle that move are repainted as one rectangle.
    struct Malbereiche : QObject {
        QList<QRegion> bereiche;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                bereiche << static_cast<QPaintEvent *>(e)->region();
            return false;
        }
    } gemalt;
    QCoreApplication::processEvents();
    bild->installEventFilter(&gemalt);
    ziehe(griffMitte(0), {imFenster(bild, QPoint(250, 100)), imFenster(bild, ziel)}, imFenster(bild, ziel));
    QCoreApplication::processEvents();
    bild->removeEventFilter(&gemalt);
    QVERIFY(!gemalt.bereiche.isEmpty());
    for (const QRegion &bereich : std::as_const(gemalt.bereiche))
        QCOMPARE(bereich.rectCount(), 1);

    const QPointF p = diagrammpunkt(ziel);
    QVERIFY(std::fabs(prop("Label1(0)", "Left") - p.x()) < 1e-4);
    QVERIFY(std::fabs(prop("Label1(0)", "Top") - p.y()) < 1e-4);
    QVERIFY(std::fabs(prop("Line1(0)", "X2") - (p.x() + 1)) < 1e-4);
    QVERIFY(std::fabs(prop("Line1(0)", "Y2") - (p.y() - 1)) < 1e-4);
    QCOMPARE(w("Label1(0)")->pos(), ziel); // the square's corner is under the pointer

    const double r = std::hypot(p.x(), p.y());
    QVERIFY(std::fabs(m_f->amplitude[0] - r / 10) < 1e-4);
    QCOMPARE(text("Textampl(0)"), QStringLiteral("5,5")); // (33.33, 44.19) is 55.35 from the origin
    const int winkel = QLocale::c().toInt(text("Textwinkel(0)").chopped(1));
    QVERIFY2(std::abs(winkel - wahrerWinkel(p.x(), p.y())) <= 1, qPrintable(text("Textwinkel(0)")));
    QVERIFY(text("Textwinkel(0)").endsWith(QStringLiteral("°")));

    // The time diagram followed: amplitude and phase of the green curve.
    QVERIFY(std::fabs(prop("Image2(0)", "Height") - 2 * r) < 1e-3);
    QVERIFY(std::fabs(prop("Image2(0)", "Left") - (-(500 - m_f->verschiebung[0]))) < 1e-3);
    // The sum tip is the vector sum of the two tips, even while the sum is hidden.
    QVERIFY(std::fabs(prop("Line1(2)", "X2") - (p.x() + 1 + 68.99)) < 1e-3);
    QVERIFY(std::fabs(prop("Line1(2)", "Y2") - (p.y() - 1 - 72.09)) < 1e-3);
    QCOMPARE(text("Textf"), QStringLiteral("50"));
    QCOMPARE(m_f->zeigernummer, quint8(0));
}

void TestZiehen::rotenZeigerMitGesamt()
{
    m_f->findChild<QCheckBox *>(QStringLiteral("Checklinie(2)"))->click();
    QWidget *bild = w("Picture2");
    const QPoint gruenZiel(300, 150);
    ziehe(griffMitte(0), {imFenster(bild, gruenZiel)}, imFenster(bild, gruenZiel));
    const QPoint rotZiel(120, 300);
    ziehe(griffMitte(1), {imFenster(bild, QPoint(150, 250)), imFenster(bild, rotZiel)}, imFenster(bild, rotZiel));

    const QPointF g = diagrammpunkt(gruenZiel);
    const QPointF r = diagrammpunkt(rotZiel);
    const double sx = g.x() + 1 + r.x() + 1;
    const double sy = g.y() - 1 + r.y() - 1;
    QVERIFY(std::fabs(prop("Line1(2)", "X2") - sx) < 1e-3);
    QVERIFY(std::fabs(prop("Line1(2)", "Y2") - sy) < 1e-3);
    QVERIFY(std::fabs(m_f->amplitude[1] - std::hypot(r.x(), r.y()) / 10) < 1e-4);
    QVERIFY(std::fabs(m_f->amplitude[2] - std::hypot(sx, sy) / 10) < 1e-3);
    QCOMPARE(m_f->zeigernummer, quint8(1));
    const int summenwinkel = QLocale::c().toInt(text("Textwinkel(2)").chopped(1));
    QVERIFY2(std::abs(summenwinkel - wahrerWinkel(sx, sy)) <= 2, qPrintable(text("Textwinkel(2)")));
    QCOMPARE(text("Textampl(2)"), QStringLiteral("3,7")); // the sum tip (16.99, -32.49) is 36.66 away
    QVERIFY(prop("Image2(2)", "Height") > 0);
    QVERIFY(std::fabs(prop("Image2(1)", "Height") - 2 * std::hypot(r.x(), r.y())) < 1e-3);

    // Each drag step repaints only where something changed: what the window shows after the
    // drags is what it paints when it paints everything anew (up to the antialiasing of a
    // line cut differently by the part repainted); so after a handle is hidden while the
    // diagram has the keys (its focus mark goes to the other handle).
    const auto wieNeuGemalt = [this] {
        QCoreApplication::processEvents();
        QVERIFY(m_f->backingStore()->paintDevice()->devType() == QInternal::Image);
        const QImage gezeigt = static_cast<QImage *>(m_f->backingStore()->paintDevice())->convertToFormat(QImage::Format_RGB32);
        const QImage ganz = m_f->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(gezeigt.size(), ganz.size());
        int abweichend = 0;
        for (int y = 0; y < ganz.height(); ++y) {
            for (int x = 0; x < ganz.width(); ++x) {
                const QRgb a = gezeigt.pixel(x, y);
                const QRgb b = ganz.pixel(x, y);
                if (std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))}) > 8)
                    ++abweichend;
            }
        }
        QCOMPARE(abweichend, 0);
    };
    wieNeuGemalt();
    QVERIFY(bild->hasFocus());
    QTest::keyClick(bild, Qt::Key_Space); // the keys move the red tip, its handle has the mark
    m_f->findChild<QCheckBox *>(QStringLiteral("Checklinie(1)"))->click();
    QVERIFY(w("Label1(1)")->isHidden());
    wieNeuGemalt();
}

void TestZiehen::gesamtAbgewaehltBehaeltSummenwerte()
{
    QWidget *bild = w("Picture2");
    const float summeVorher = m_f->amplitude[2];
    const QString winkelVorher = text("Textwinkel(2)");
    ziehe(griffMitte(0), {imFenster(bild, QPoint(100, 100))}, imFenster(bild, QPoint(100, 100)));
    QCOMPARE(m_f->amplitude[2], summeVorher);
    QCOMPARE(m_f->verschiebung[2], 0.0f);
    QCOMPARE(text("Textwinkel(2)"), winkelVorher);
    QVERIFY(!m_f->findChild<QObject *>(QStringLiteral("Line1(2)"))->property("Visible").toBool());
    const QPointF p = diagrammpunkt(QPoint(100, 100));
    QVERIFY(std::fabs(prop("Line1(2)", "X2") - (p.x() + 1 + 68.99)) < 1e-3);
    // The next drag with "Gesamt:" checked brings the sum up to date.
    m_f->findChild<QCheckBox *>(QStringLiteral("Checklinie(2)"))->click();
    ziehe(griffMitte(0), {imFenster(bild, QPoint(101, 100))}, imFenster(bild, QPoint(101, 100)));
    QVERIFY(m_f->amplitude[2] > 0.0f);
}

void TestZiehen::zeigerVerlaesstDasDiagramm()
{
    QWidget *bild = w("Picture2");
    QWidget *zeit = w("Picture1");
    const QPoint drinnen(380, 100);
    const QPoint draussen(20, 100);   // in the time diagram
    const QPoint weiter(60, 150);
    QWindow *fenster = m_f->windowHandle();
    QTest::mousePress(fenster, Qt::LeftButton, {}, griffMitte(0));
    QTest::mouseMove(fenster, imFenster(bild, drinnen));
    QTest::mouseMove(fenster, imFenster(zeit, draussen));
    // The position at which the pointer left is applied like any other ...
    const QPointF raus = diagrammpunkt(imFenster(zeit, draussen) - imFenster(bild, QPoint(0, 0)));
    QVERIFY(std::fabs(prop("Label1(0)", "Left") - raus.x()) < 1e-3);
    QVERIFY(prop("Label1(0)", "Left") > 99.48);
    const QString amplitude = text("Textampl(0)");
    // ... and nothing after it until the pointer comes back.
    QTest::mouseMove(fenster, imFenster(zeit, weiter));
    QVERIFY(std::fabs(prop("Label1(0)", "Left") - raus.x()) < 1e-3);
    QCOMPARE(text("Textampl(0)"), amplitude);
    QTest::mouseMove(fenster, imFenster(bild, QPoint(200, 150)));
    QVERIFY(std::fabs(prop("Label1(0)", "Left") - diagrammpunkt(QPoint(200, 150)).x()) < 1e-3);
    // Leaving once more and releasing further out: the square stays where the leaving put it.
    QTest::mouseMove(fenster, imFenster(zeit, draussen));
    QTest::mouseMove(fenster, imFenster(zeit, weiter));
    QTest::mouseRelease(fenster, Qt::LeftButton, {}, imFenster(zeit, weiter));
    QVERIFY(std::fabs(prop("Label1(0)", "Left") - raus.x()) < 1e-3);
    QVERIFY(std::fabs(prop("Label1(0)", "Top") - raus.y()) < 1e-3);
}

void TestZiehen::loslassenSetztNurDenGriff()
{
    QWidget *bild = w("Picture2");
    QWindow *fenster = m_f->windowHandle();
    QTest::mousePress(fenster, Qt::LeftButton, {}, griffMitte(0));
    QTest::mouseMove(fenster, imFenster(bild, QPoint(250, 120)));
    const double x2 = prop("Line1(0)", "X2");
    const float amplitude = m_f->amplitude[0];
    // A drop somewhere else than the last drag-over point only moves the square.
    m_f->Picture2_DragDrop(w("Label1(0)"), 10.0f, 20.0f);
    QCOMPARE(prop("Label1(0)", "Left"), 10.0);
    QCOMPARE(prop("Label1(0)", "Top"), 20.0);
    QCOMPARE(prop("Line1(0)", "X2"), x2);
    QCOMPARE(m_f->amplitude[0], amplitude);
    QTest::mouseRelease(fenster, Qt::LeftButton, {}, imFenster(bild, QPoint(250, 120)));
    QVERIFY(std::fabs(prop("Label1(0)", "Left") - diagrammpunkt(QPoint(250, 120)).x()) < 1e-4);
}

void TestZiehen::dritterGriffBewegtRotenZeiger()
{
    QWidget *dritter = w("Label1(2)");
    dritter->show();
    QWidget *bild = w("Picture2");
    const QPoint ziel(150, 260);
    ziehe(griffMitte(2), {imFenster(bild, QPoint(100, 200)), imFenster(bild, ziel)}, imFenster(bild, ziel));
    const QPointF p = diagrammpunkt(ziel);
    QVERIFY(std::fabs(prop("Line1(1)", "X2") - (p.x() + 1)) < 1e-4);
    QVERIFY(std::fabs(prop("Line1(1)", "Y2") - (p.y() - 1)) < 1e-4);
    QVERIFY(std::fabs(m_f->amplitude[1] - std::hypot(p.x(), p.y()) / 10) < 1e-4);
    // The handle itself goes to the diagram coordinates taken as window twips.
    QVERIFY(std::fabs(prop("Label1(2)", "Left") - p.x()) < 1e-4);
    QVERIFY(std::fabs(prop("Label1(2)", "Top") - p.y()) < 1e-4);
    QCOMPARE(dritter->pos(), QPoint(qRound(p.x() / 15), qRound(p.y() / 15)));
    // The red handle in the diagram stays where it was.
    QCOMPARE(prop("Label1(1)", "Left"), 68.99);
}

void TestZiehen::tooltipZeigtKoordinaten()
{
    QWidget *bild = w("Picture2");
    QTest::mouseMove(m_f->windowHandle(), imFenster(bild, QPoint(195, 195)));
    QCOMPARE(bild->toolTip(), QStringLiteral("-1, 0"));
    QTest::mouseMove(m_f->windowHandle(), imFenster(bild, QPoint(2, 2)));
    QCOMPARE(bild->toolTip(), QStringLiteral("-100, 100"));
    // Over a handle too, the diagram shows where the pointer is.
    QTest::mouseMove(m_f->windowHandle(), griffMitte(0));
    const QPointF p = diagrammpunkt(w("Label1(0)")->geometry().topLeft() + QPoint(2, 2));
    QCOMPARE(bild->toolTip(), QStringLiteral("%1, %2").arg(std::floor(p.x())).arg(std::floor(p.y())));
    m_f->Picture2_MouseMove(12.7f, -36.2f);
    QCOMPARE(bild->toolTip(), QStringLiteral("12, -37"));
}

void TestZiehen::verlorenesLoslassenBeendetDasZiehen()
{
    // The release of a drag gets lost when the window is disabled mid-drag (the help
    // window opened by its access key); hovering afterwards must not move the phasor.
    QWidget *bild = w("Picture2");
    QWindow *fenster = m_f->windowHandle();
    QTest::mousePress(fenster, Qt::LeftButton, {}, griffMitte(0));
    QTest::mouseMove(fenster, imFenster(bild, QPoint(250, 100)));
    const float amplitude = m_f->amplitude[0];
    m_f->setEnabled(false);
    QTest::mouseRelease(fenster, Qt::LeftButton, {}, imFenster(bild, QPoint(250, 100)));
    m_f->setEnabled(true);
    QTest::mouseMove(fenster, griffMitte(0));
    QTest::mouseMove(fenster, imFenster(bild, QPoint(120, 300)));
    QCOMPARE(m_f->amplitude[0], amplitude);
    QVERIFY(std::fabs(prop("Label1(0)", "Left") - diagrammpunkt(QPoint(250, 100)).x()) < 1e-4);
}

// A finger within reach of a shown handle (20 px from its middle) drags the nearest one, green
// before red when both are as near; the handle keeps the offset at which the finger landed, so
// the window ends as after a mouse drag that puts the handle's corner at the same pixel. Out of
// reach a finger does what a mouse does there: nothing; and the mouse beside the 4 x 4 handle
// still does nothing.
void TestZiehen::fingerNimmtDenNaechstenGriff_data()
{
    QTest::addColumn<QPoint>("neben"); // landing point, from the green handle's middle
    QTest::addColumn<bool>("rotDaneben"); // the red handle moved 20 px right of the green one
    QTest::addColumn<bool>("maus");
    QTest::addColumn<int>("griff"); // the handle that follows, -1 for none

    QTest::newRow("auf dem Griff") << QPoint(0, 0) << false << false << 0;
    QTest::newRow("8 px daneben") << QPoint(8, 0) << false << false << 0;
    QTest::newRow("18 px schräg darunter") << QPoint(-10, 15) << false << false << 0;
    QTest::newRow("21 px daneben") << QPoint(0, -21) << false << false << -1;
    QTest::newRow("mitten zwischen grün und rot") << QPoint(10, 0) << true << false << 0;
    QTest::newRow("näher bei rot") << QPoint(12, 0) << true << false << 1;
    QTest::newRow("Maus 8 px daneben") << QPoint(8, 0) << false << true << -1;
}

void TestZiehen::fingerNimmtDenNaechstenGriff()
{
    QFETCH(QPoint, neben);
    QFETCH(bool, rotDaneben);
    QFETCH(bool, maus);
    QFETCH(int, griff);

    // The same start in a window dragged by the mouse, for comparing.
    Formzivor vergleich;
    vergleich.show();
    QVERIFY(QTest::qWaitForWindowExposed(&vergleich));
    QWidget *bild = w("Picture2");
    for (Formzivor *f : {m_f, &vergleich}) {
        if (!rotDaneben)
            continue;
        f->findChild<QCheckBox *>(QStringLiteral("Checklinie(1)"))->click();
        const QPointF rechts = diagrammpunkt(w("Label1(0)")->pos() + QPoint(20, 0));
        f->Picture2_DragDrop(f->findChild<QWidget *>(QStringLiteral("Label1(1)")), static_cast<float>(rechts.x()),
                             static_cast<float>(rechts.y()));
    }
    const QStringList vorher = zustand(*m_f);
    const QPoint weg(-30, 25);
    const QPoint landung = griffMitte(0) + neben;
    if (maus) {
        ziehe(landung, {landung + weg}, landung + weg);
    } else {
        QPointingDevice *finger = m_finger;
        QTest::touchEvent(m_f, finger).press(0, landung);
        QTest::touchEvent(m_f, finger).move(0, landung + weg / 2);
        QTest::touchEvent(m_f, finger).move(0, landung + weg);
        QTest::touchEvent(m_f, finger).release(0, landung + weg);
    }
    if (griff < 0) {
        QCOMPARE(zustand(*m_f), vorher);
        return;
    }
    QWidget *genommen = vergleich.findChild<QWidget *>(griff == 0 ? QStringLiteral("Label1(0)") : QStringLiteral("Label1(1)"));
    const QPoint ecke = genommen->mapTo(&vergleich, QPoint(0, 0)) + weg;
    QTest::mousePress(vergleich.windowHandle(), Qt::LeftButton, {}, genommen->mapTo(&vergleich, QPoint(2, 2)));
    QTest::mouseMove(vergleich.windowHandle(), ecke);
    QTest::mouseRelease(vergleich.windowHandle(), Qt::LeftButton, {}, ecke);
    QVERIFY(zustand(*m_f) != vorher);
    QCOMPARE(zustand(*m_f), zustand(vergleich));
    Q_UNUSED(bild);
}

// A second finger during a drag changes nothing; a cancelled touch ends the drag as a lost
// release does: the tip stays where it was last dragged.
void TestZiehen::zweiterFingerUndAbbruch()
{
    QWidget *bild = w("Picture2");
    QPointingDevice *finger = m_finger;
    const QPoint start = griffMitte(0);
    QTest::touchEvent(m_f, finger).press(0, start);
    QTest::touchEvent(m_f, finger).stationary(0).press(1, imFenster(bild, QPoint(100, 300)));
    const QStringList gedrueckt = zustand(*m_f);
    QTest::touchEvent(m_f, finger).stationary(0).move(1, imFenster(bild, QPoint(50, 350)));
    QCOMPARE(zustand(*m_f), gedrueckt);
    QTest::touchEvent(m_f, finger).move(0, start + QPoint(-40, 20)).stationary(1);
    QCOMPARE(imFenster(w("Label1(0)"), QPoint(2, 2)), start + QPoint(-40, 20));
    QTest::touchEvent(m_f, finger).stationary(0).release(1, imFenster(bild, QPoint(50, 350)));
    QTest::touchEvent(m_f, finger).move(0, start + QPoint(-60, 30));
    QCOMPARE(imFenster(w("Label1(0)"), QPoint(2, 2)), start + QPoint(-60, 30));
    QTouchEvent abbruch(QEvent::TouchCancel, finger);
    QCoreApplication::sendEvent(bild, &abbruch);
    const QStringList abgebrochen = zustand(*m_f);
    QTest::mouseMove(m_f->windowHandle(), imFenster(bild, QPoint(120, 300)));
    QCOMPARE(zustand(*m_f), abgebrochen);
    QCOMPARE(m_f->findChild<QWidget *>(QStringLiteral("Ansage"))->accessibleName().left(10),
             QStringLiteral("Amplitude "));
}

// Check boxes, menu entries, buttons and the slider work by finger as by mouse; a swipe moves
// the help page with the finger.
void TestZiehen::dasUebrigePerFinger()
{
    QPointingDevice *finger = m_finger;
    const auto tippe = [&](QWidget *fenster, QPoint p) {
        QTest::touchEvent(fenster, finger).press(0, p);
        QTest::touchEvent(fenster, finger).release(0, p);
    };
    QWidget *rot = w("Checklinie(1)");
    tippe(m_f, imFenster(rot, QPoint(8, rot->height() / 2)));
    QVERIFY(static_cast<QCheckBox *>(rot)->isChecked());
    QMenuBar *leiste = m_f->menuBar();
    tippe(m_f, leiste->mapTo(m_f, leiste->actionGeometry(m_f->findChild<QAction *>(QStringLiteral("menuaufgaben"))).center()));
    QVERIFY(w("Frame1")->isVisible());
    QWidget *aufgabe1 = w("Commandaufgabe(0)");
    tippe(m_f, imFenster(aufgabe1, aufgabe1->rect().center()));
    QVERIFY(!aufgabe1->isEnabled());

    // The thumb dragged to the right end: 25 Hz.
    auto *regler = m_f->findChild<QScrollBar *>(QStringLiteral("HScroll3"));
    QVERIFY(regler->isEnabled());
    QStyleOptionSlider art;
    art.initFrom(regler);
    art.orientation = Qt::Horizontal;
    art.state |= QStyle::State_Horizontal;
    art.minimum = regler->minimum();
    art.maximum = regler->maximum();
    art.sliderPosition = art.sliderValue = regler->value();
    art.singleStep = regler->singleStep();
    art.pageStep = regler->pageStep();
    const QRect daumenfeld = regler->style()->subControlRect(QStyle::CC_ScrollBar, &art, QStyle::SC_ScrollBarSlider, regler);
    const QPoint daumen = imFenster(regler, daumenfeld.center());
    QTest::touchEvent(m_f, finger).press(0, daumen);
    QTest::touchEvent(m_f, finger).move(0, daumen + QPoint(20, 0));
    QTest::touchEvent(m_f, finger).move(0, daumen + QPoint(80, 0));
    QTest::touchEvent(m_f, finger).release(0, daumen + QPoint(80, 0));
    QCOMPARE(regler->value(), regler->maximum());
    QCOMPARE(text("Textf"), QStringLiteral("25"));
    QCOMPARE(m_f->frequenz, 25.0f);

    frmzivorhilfe hilfe;
    hilfe.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hilfe));
    auto *seitenleiste = hilfe.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    QTest::touchEvent(&hilfe, finger).press(0, QPoint(300, 250));
    QTest::touchEvent(&hilfe, finger).move(0, QPoint(300, 200));
    QTest::touchEvent(&hilfe, finger).move(0, QPoint(300, 150));
    QTest::touchEvent(&hilfe, finger).release(0, QPoint(300, 150));
    // 100 px up: 1500 twips, 3412 units of 0.4395 twips; the page follows the finger.
    QVERIFY2(std::abs(seitenleiste->value() - 3412) <= 1, qPrintable(QString::number(seitenleiste->value())));
    QCOMPARE(hilfe.findChild<QWidget *>(QStringLiteral("Image1"))->y(), -100);
}

void TestZiehen::beispieleDirektGerufen_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QString>("amplitude");
    QTest::addColumn<double>("verschiebung");
    QTest::addColumn<QString>("winkel");
    QTest::newRow("(30,40)") << 30.0f << 40.0f << "5" << -259.347 << "53°";
    QTest::newRow("(-30,40)") << -30.0f << 40.0f << "5" << -341.184 << "127°";
    QTest::newRow("(-30,-40)") << -30.0f << -40.0f << "5" << -59.347 << "-127°";
    QTest::newRow("(30,-40)") << 30.0f << -40.0f << "5" << -140.653 << "-53°";
    QTest::newRow("(50,50)") << 50.0f << 50.0f << "7,1" << -250.266 << "45°";
    QTest::newRow("corner (100,100)") << 100.0f << 100.0f << "14,1" << -250.266 << "45°";
    // On a half-axis the shift is its quadrants' limit; the origin counts as 0°.
    QTest::newRow("+x") << 30.0f << 0.0f << "3" << -200.0 << "0°";
    QTest::newRow("+y") << 0.0f << 30.0f << "3" << -300.0 << "90°";
    QTest::newRow("-x") << -30.0f << 0.0f << "3" << -400.0 << "180°";
    QTest::newRow("-y") << 0.0f << -30.0f << "3" << -100.0 << "-90°";
    QTest::newRow("origin") << 0.0f << 0.0f << "0" << -200.0 << "0°";
}

void TestZiehen::beispieleDirektGerufen()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(QString, amplitude);
    QFETCH(double, verschiebung);
    QFETCH(QString, winkel);
    m_f->Picture2_DragOver(w("Label1(0)"), x, y);
    QCOMPARE(text("Textampl(0)"), amplitude);
    QCOMPARE(text("Textwinkel(0)"), winkel);
    QVERIFY(std::fabs(m_f->verschiebung[0] - verschiebung) < 0.001);
    QCOMPARE(m_f->amplitude[0], static_cast<float>(std::hypot(double(x), double(y))) / 10.0f);
    QCOMPARE(prop("Line1(0)", "X2"), static_cast<double>(x + 1));
    QCOMPARE(prop("Line1(0)", "Y2"), static_cast<double>(y - 1));
    QCOMPARE(m_f->zeigerwinkel[0], qint16(0));
    QCOMPARE(m_f->zeigerlaenge[0], quint8(0));
}

void TestZiehen::summenspitzeBeispiele_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<double>("verschiebung");
    QTest::addColumn<QString>("winkel");
    QTest::addColumn<QString>("amplitude");
    QTest::newRow("(50,50)") << 50.0f << 50.0f << -250.266 << "46°" << "7,1";
    QTest::newRow("(-50,50)") << -50.0f << 50.0f << -350.266 << "136°" << "7,1";
    QTest::newRow("(-50,-50)") << -50.0f << -50.0f << -50.266 << "-135°" << "7,1";
    QTest::newRow("(50,-50)") << 50.0f << -50.0f << -149.734 << "-44°" << "7,1";
    // The sum's tip on a half-axis or at the origin: the single phasor's shift, shown 0.9° larger.
    QTest::newRow("+x") << 50.0f << 0.0f << -200.0 << "1°" << "5";
    QTest::newRow("+y") << 0.0f << 50.0f << -300.0 << "91°" << "5";
    QTest::newRow("-x") << -50.0f << 0.0f << -400.0 << "181°" << "5";
    QTest::newRow("-y") << 0.0f << -50.0f << -100.0 << "-89°" << "5";
    QTest::newRow("origin") << 0.0f << 0.0f << -200.0 << "1°" << "0";
}

void TestZiehen::summenspitzeBeispiele()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(double, verschiebung);
    QFETCH(QString, winkel);
    QFETCH(QString, amplitude);
    m_f->findChild<QCheckBox *>(QStringLiteral("Checklinie(2)"))->click();
    // Red's tip stands at (68.99, -72.09); put green's tip so that the sum lands on (x, y).
    m_f->Picture2_DragOver(w("Label1(0)"), x - 68.99f - 1.0f, y + 72.09f + 1.0f);
    QCOMPARE(prop("Line1(2)", "X2"), static_cast<double>(x));
    QCOMPARE(prop("Line1(2)", "Y2"), static_cast<double>(y));
    QVERIFY(std::fabs(m_f->verschiebung[2] - verschiebung) < 0.001);
    QCOMPARE(text("Textwinkel(2)"), winkel);
    QCOMPARE(text("Textampl(2)"), amplitude);
    QVERIFY(std::fabs(prop("Image2(2)", "Height") - 2 * std::hypot(x, y)) < 1e-3);
}

QTEST_MAIN(TestZiehen)
#include "test_ziehen.moc"
