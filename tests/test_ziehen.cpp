// Dragging the phasor tips with the mouse, as a learner does it: press on a handle, move
// over the phasor diagram, release. The fields, the phasor lines, the handles and the
// curve pictures follow at every pointer position.

#include "app/formzivor.h"

#include <QCheckBox>
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
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
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

private:
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
    ziehe(griffMitte(0), {imFenster(bild, QPoint(250, 100)), imFenster(bild, ziel)}, imFenster(bild, ziel));

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
