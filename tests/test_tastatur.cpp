// The phasor tips by keyboard: while the phasor diagram has the focus, the arrow keys move the
// marked tip by a pixel (with Shift by ten) and Space marks the next shown tip. Each step
// leaves the window exactly as a mouse drag of that tip to the same pixel does. The marked
// tip carries a focus mark only while the diagram has the focus.

#include "app/formzivor.h"
#include "app/frmzivorhilfe.h"
#include "tests/fensterzustand.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <optional>

namespace {

// The pixel of a handle's corner in the phasor diagram (border included) for its place in
// the diagram's units: 29.025 twips a unit, 15 twips a pixel.
QPoint griffpixel(double left, double top)
{
    return {static_cast<int>(std::lround((left + 100) * 29.025 / 15)) + 2,
            static_cast<int>(std::lround((100 - top) * 29.025 / 15)) + 2};
}

// What the time diagram's picture of a curve shows at t ms, in amplitude units, worked out from
// the picture's description: the drawing of four periods (3090 x 2260, a period 768 wide from
// x = 4, centre line 1125.5, half-height 1120.5, going down first) stretched to Left, Width
// (80000 / f, whole), Top (10 A) and Height (20 A), with Left = -(500 - shift) / (f / 50).
std::optional<double> bildwert(float f, float verschiebung, float a, double t)
{
    const double w = std::nearbyint(80000.0 / f);
    const double l = -(500.0f - verschiebung) / static_cast<float>(f / 50.0);
    const double s = ((20.0 * t - l) * 3090.0 / w - 4.0) / 768.0;
    if (s < 0.0 || s > 4.0)
        return std::nullopt;
    return (10.0 * a - 20.0 * a * (1125.5 + 1120.5 * std::sin(2.0 * M_PI * s)) / 2260.0) / 10.0;
}

QString einStelle(std::optional<double> v)
{
    if (!v)
        return QStringLiteral("keine Kurve");
    const QString text = QLocale().toString(*v, 'f', 1);
    return text == QStringLiteral("-0,0") ? QStringLiteral("0,0") : text;
}

QString angesagt(Formzivor &f)
{
    QWidget *ansage = f.findChild<QWidget *>(QStringLiteral("Ansage"));
    return ansage != nullptr ? ansage->accessibleName() : QString();
}

// Time and green value of an announcement "[Maximum bei ]2,5 Millisekunden: grün 7,1; ...".
std::pair<double, double> zeitUndWert(const QString &ansage)
{
    const QStringList teile = ansage.split(QStringLiteral(" Millisekunden: grün "));
    return {QLocale().toDouble(teile.value(0).section(QLatin1Char(' '), -1)),
            QLocale().toDouble(teile.value(1).section(QLatin1Char(';'), 0, 0))};
}

} // namespace

class TestTastatur : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void tastenWieMaus_data();
    void tastenWieMaus();
    void fokusmarkeNurMitFokus();
    void aufgabe2NimmtKeineTasten();
    void rollbalkenZeigenDenFokus();
    void zeitcursorLiestDieKurven_data();
    void zeitcursorLiestDieKurven();
    void zeitcursorSpringtZuKennpunkten();
    void zeitcursorNurMitFokusGezeichnet();
};

void TestTastatur::tastenWieMaus_data()
{
    QTest::addColumn<QList<int>>("haken");   // check boxes clicked first
    QTest::addColumn<QStringList>("tasten"); // "+" before an arrow: with Shift
    QTest::addColumn<int>("griff");          // the tip that moves
    QTest::addColumn<QPoint>("schritt");     // its corner's move in pixels
    QTest::newRow("rechts") << QList<int>{} << QStringList{"rechts"} << 0 << QPoint(1, 0);
    QTest::newRow("Shift hoch") << QList<int>{} << QStringList{"+hoch"} << 0 << QPoint(0, -10);
    QTest::newRow("mehrere") << QList<int>{} << QStringList{"rechts", "rechts", "+runter", "links"} << 0
                             << QPoint(1, 10);
    QTest::newRow("Gesamt") << QList<int>{2} << QStringList{"+links", "+links", "+links", "runter"} << 0
                            << QPoint(-30, 1);
    QTest::newRow("Leertaste zum roten") << QList<int>{1} << QStringList{"leer", "+runter", "rechts"} << 1
                                         << QPoint(1, 10);
    QTest::newRow("Leertaste zurück zum grünen") << QList<int>{2} << QStringList{"leer", "leer", "hoch"} << 0
                                                 << QPoint(0, -1);
    QTest::newRow("Leertaste nur grün gezeigt") << QList<int>{} << QStringList{"leer", "links"} << 0
                                                << QPoint(-1, 0);
    QTest::newRow("nur rot gezeigt") << QList<int>{0, 1} << QStringList{"hoch"} << 1 << QPoint(0, -1);
    // The corner stays inside the inner area: from x 326 forty steps of ten end at pixel 2.
    QStringList weitLinks;
    for (int i = 0; i < 40; ++i)
        weitLinks << QStringLiteral("+links");
    QTest::newRow("am linken Rand") << QList<int>{} << weitLinks << 0 << QPoint(2 - 326, 0);
}

void TestTastatur::tastenWieMaus()
{
    QFETCH(QList<int>, haken);
    QFETCH(QStringList, tasten);
    QFETCH(int, griff);
    QFETCH(QPoint, schritt);
    const QPoint start = griff == 0 ? griffpixel(67.44, 68.99) : griffpixel(68.99, -72.09);
    QCOMPARE(start, griff == 0 ? QPoint(326, 62) : QPoint(329, 335));
    const QPoint ziel = start + schritt;

    Formzivor tastatur;
    Formzivor maus;
    for (Formzivor *f : {&tastatur, &maus}) {
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        for (const int i : haken)
            f->findChild<QCheckBox *>(QStringLiteral("Checklinie(%1)").arg(i))->click();
    }

    QWidget *bild = tastatur.findChild<QWidget *>(QStringLiteral("Picture2"));
    tastatur.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&tastatur));
    bild->setFocus(Qt::TabFocusReason);
    QVERIFY(bild->hasFocus());
    for (QString t : tasten) {
        const bool shift = t.startsWith(u'+');
        if (shift)
            t.remove(0, 1);
        const Qt::Key taste = t == u"links" ? Qt::Key_Left : t == u"rechts" ? Qt::Key_Right
                              : t == u"hoch" ? Qt::Key_Up : t == u"runter" ? Qt::Key_Down : Qt::Key_Space;
        QTest::keyClick(bild, taste, shift ? Qt::ShiftModifier : Qt::NoModifier);
    }
    const QString griffname = QStringLiteral("Label1(%1)").arg(griff);
    QCOMPARE(tastatur.findChild<QWidget *>(griffname)->pos(), ziel);
    // The tip stands where the mouse's conversion puts that pixel.
    QCOMPARE(tastatur.findChild<QObject *>(griffname)->property("Left").toDouble(),
             static_cast<double>(static_cast<float>(-100.0 + (ziel.x() - 2) * 15.0 / 29.025)));

    // The mouse drags the same tip to that pixel in the other window.
    QWidget *mausbild = maus.findChild<QWidget *>(QStringLiteral("Picture2"));
    QWindow *fenster = maus.windowHandle();
    const QPoint von = maus.findChild<QWidget *>(griffname)->mapTo(&maus, QPoint(2, 2));
    QTest::mousePress(fenster, Qt::LeftButton, {}, von);
    QTest::mouseMove(fenster, mausbild->mapTo(&maus, ziel));
    QTest::mouseRelease(fenster, Qt::LeftButton, {}, mausbild->mapTo(&maus, ziel));
    QCOMPARE(zustand(tastatur), zustand(maus));
}

void TestTastatur::fokusmarkeNurMitFokus()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QWidget *bild = f.findChild<QWidget *>(QStringLiteral("Picture2"));
    const QImage ohne = bild->grab().toImage();
    // Two white pixels around the 4 x 4 square, then a black frame.
    const QPoint ecke = f.findChild<QWidget *>(QStringLiteral("Label1(0)"))->pos();
    for (const QPoint &p : {ecke + QPoint(-3, 1), ecke + QPoint(6, 1), ecke + QPoint(1, -3), ecke + QPoint(1, 6)})
        QVERIFY(QColor(ohne.pixel(p)) != Qt::black);
    bild->setFocus(Qt::TabFocusReason);
    const QImage mit = bild->grab().toImage();
    for (const QPoint &p : {ecke + QPoint(-3, 1), ecke + QPoint(6, 1), ecke + QPoint(1, -3), ecke + QPoint(1, 6)})
        QCOMPARE(QColor(mit.pixel(p)), QColor(Qt::black));
    QCOMPARE(QColor(mit.pixel(ecke + QPoint(-1, 1))), QColor(Qt::white));
    QCOMPARE(QColor(mit.pixel(ecke + QPoint(1, 1))), QColor(0, 192, 0));
    // Space moves the mark to the red tip once it is shown.
    f.findChild<QCheckBox *>(QStringLiteral("Checklinie(1)"))->click();
    bild->setFocus(Qt::TabFocusReason);
    QTest::keyClick(bild, Qt::Key_Space);
    const QPoint rot = f.findChild<QWidget *>(QStringLiteral("Label1(1)"))->pos();
    const QImage rotMarkiert = bild->grab().toImage();
    QCOMPARE(QColor(rotMarkiert.pixel(rot + QPoint(-3, 1))), QColor(Qt::black));
    QVERIFY(QColor(rotMarkiert.pixel(ecke + QPoint(-3, 1))) != Qt::black);
    // Without the focus the picture is as it was.
    f.findChild<QWidget *>(QStringLiteral("Checklinie(0)"))->setFocus(Qt::TabFocusReason);
    QVERIFY(!bild->hasFocus());
    const QImage danach = bild->grab().toImage();
    QCOMPARE(QColor(danach.pixel(rot + QPoint(-3, 1))), QColor(ohne.pixel(rot + QPoint(-3, 1))));
    QCOMPARE(QColor(danach.pixel(ecke + QPoint(-3, 1))), QColor(ohne.pixel(ecke + QPoint(-3, 1))));
}

void TestTastatur::aufgabe2NimmtKeineTasten()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QWidget *bild = f.findChild<QWidget *>(QStringLiteral("Picture2"));
    bild->setFocus(Qt::TabFocusReason);
    f.findChild<QAction *>(QStringLiteral("menuaufgaben"))->trigger();
    f.findChild<QPushButton *>(QStringLiteral("Commandaufgabe(0)"))->click();
    f.findChild<QPushButton *>(QStringLiteral("Commandaufgabe(1)"))->click();
    QVERIFY(bild->isHidden());
    QVERIFY(!bild->hasFocus());
    const QStringList vorher = zustand(f);
    for (const Qt::Key taste : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Space, Qt::Key_Down})
        QTest::keyClick(&f, taste);
    QTest::keyClick(bild, Qt::Key_Right); // even sent to the hidden diagram itself
    QCOMPARE(zustand(f), vorher);
}

// The style draws no focus mark on scroll bars: the frequency slider and the help page's
// scroll bar show the keyboard focus with a frame of the highlight colour.
void TestTastatur::rollbalkenZeigenDenFokus()
{
    Formzivor f;
    frmzivorhilfe hilfe;
    for (QWidget *fenster : std::initializer_list<QWidget *>{&f, &hilfe}) {
        fenster->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenster));
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster));
        auto *leiste = fenster->findChild<QScrollBar *>(fenster == &f ? QStringLiteral("HScroll3") : QStringLiteral("VScroll1"));
        const QColor markiert = leiste->palette().color(QPalette::Active, QPalette::Highlight);
        const QList<QPoint> rand{{0, leiste->height() / 2}, {leiste->width() - 1, leiste->height() / 2},
                                 {leiste->width() / 2, 0}, {leiste->width() / 2, leiste->height() - 1}};
        leiste->clearFocus();
        const QImage ohne = leiste->grab().toImage();
        for (const QPoint &p : rand)
            QVERIFY(QColor(ohne.pixel(p)) != markiert);
        leiste->setFocus(Qt::TabFocusReason);
        const QImage mit = leiste->grab().toImage();
        for (const QPoint &p : rand)
            QCOMPARE(QColor(mit.pixel(p)), markiert);
    }
}

// The cursor of the time diagram: keys move it, and each move speaks the time and the value of
// every shown curve as its picture shows it there.
void TestTastatur::zeitcursorLiestDieKurven_data()
{
    QTest::addColumn<float>("frequenz");
    QTest::addColumn<float>("winkel");
    QTest::addColumn<float>("amplitude");
    QTest::addColumn<bool>("rotGezeigt");
    QTest::addColumn<QList<int>>("tasten"); // key codes, with Shift where the modifier bit is set
    QTest::addColumn<double>("zeit");
    QTest::addColumn<QString>("zeittext");

    const int shift = Qt::ShiftModifier;
    QTest::newRow("50 Hz, 45°, zwei feine Schritte") << 50.0f << 45.0f << 10.0f << false
                                                     << QList<int>{Qt::Key_Right, Qt::Key_Right} << 0.5 << "0,5";
    QTest::newRow("100 Hz, 0°, drei grobe Schritte") << 100.0f << 0.0f << 5.0f << false
                                                     << QList<int>{shift | Qt::Key_Right, shift | Qt::Key_Right, shift | Qt::Key_Right}
                                                     << 7.5 << "7,5";
    QTest::newRow("25 Hz, -90°, Ende") << 25.0f << -90.0f << 3.0f << false << QList<int>{Qt::Key_End} << 45.0 << "45";
    QTest::newRow("100 Hz, 90°: hinter der Kurve") << 100.0f << 90.0f << 10.0f << false << QList<int>{Qt::Key_End}
                                                   << 45.0 << "45";
    QTest::newRow("70 Hz, -30°, Anfang und zurück") << 70.0f << -30.0f << 7.0f << true
                                                    << QList<int>{Qt::Key_Home, Qt::Key_Right, Qt::Key_Left, Qt::Key_Left}
                                                    << -5.0 << "-5";
    QTest::newRow("40 Hz, 60°, mit Rot") << 40.0f << 60.0f << 4.0f << true
                                         << QList<int>{Qt::Key_Left, Qt::Key_Left, Qt::Key_Left} << -0.75 << "-0,75";
}

void TestTastatur::zeitcursorLiestDieKurven()
{
    QFETCH(float, frequenz);
    QFETCH(float, winkel);
    QFETCH(float, amplitude);
    QFETCH(bool, rotGezeigt);
    QFETCH(QList<int>, tasten);
    QFETCH(double, zeit);
    QFETCH(QString, zeittext);

    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    if (rotGezeigt)
        f.findChild<QCheckBox *>(QStringLiteral("Checklinie(1)"))->click();
    f.frequenz = frequenz;
    f.verschiebung[0] = -winkel / 0.9f - 200.0f;
    f.amplitude[0] = amplitude;
    f.f_frequenzeinst();
    QWidget *zeitbild = f.findChild<QWidget *>(QStringLiteral("Picture1"));
    zeitbild->setFocus(Qt::TabFocusReason);
    for (const int taste : tasten)
        QTest::keyClick(zeitbild, static_cast<Qt::Key>(taste & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(taste & Qt::KeyboardModifierMask));
    QString erwartet = zeittext + QStringLiteral(" Millisekunden: grün ")
        + einStelle(bildwert(frequenz, f.verschiebung[0], amplitude, zeit));
    if (rotGezeigt) // the red curve at its start values: amplitude 10, shift -150
        erwartet += QStringLiteral("; rot ") + einStelle(bildwert(frequenz, -150.0f, 10.0f, zeit));
    QCOMPARE(angesagt(f), erwartet);
    // The cursor only reads: the curves are as they were.
    QCOMPARE(f.frequenz, frequenz);
    QCOMPARE(f.amplitude[0], amplitude);
}

// Ctrl+Right goes from mark to mark of the first shown curve: zero crossing, extreme, zero
// crossing, the other extreme, each said by its name; a period of the picture (994 / f ms)
// holds four of them, and a maximum of a curve of phase phi stands at (-5 - 994 phi / 360) / f ms.
void TestTastatur::zeitcursorSpringtZuKennpunkten()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.frequenz = 70.0f;
    f.verschiebung[0] = -30.0f / 0.9f - 200.0f;
    f.amplitude[0] = 7.0f;
    f.f_frequenzeinst();
    QWidget *zeitbild = f.findChild<QWidget *>(QStringLiteral("Picture1"));
    zeitbild->setFocus(Qt::TabFocusReason);
    QTest::keyClick(zeitbild, Qt::Key_Home);
    QList<std::pair<double, double>> punkte;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(zeitbild, Qt::Key_Right, Qt::ControlModifier);
        punkte << zeitUndWert(angesagt(f));
        const double wert = punkte.last().second;
        const QString marke = wert > 6.8 ? QStringLiteral("Maximum bei ")
                              : wert < -6.8 ? QStringLiteral("Minimum bei ") : QStringLiteral("Nulldurchgang bei ");
        QVERIFY2(angesagt(f).startsWith(marke), qPrintable(angesagt(f)));
    }
    // A plain step names no mark.
    QTest::keyClick(zeitbild, Qt::Key_Right);
    QVERIFY2(angesagt(f).front().isDigit(), qPrintable(angesagt(f)));
    QTest::keyClick(zeitbild, Qt::Key_Left);
    const double periode = std::nearbyint(80000.0 / 70.0) * 768.0 / 3090.0 / 20.0;
    double maximum = 100.0;
    for (int i = 0; i < punkte.size(); ++i) {
        const bool extrem = std::fabs(punkte[i].second) > 6.8;
        QVERIFY2(extrem || std::fabs(punkte[i].second) < 0.05, qPrintable(angesagt(f)));
        if (i > 0) {
            QVERIFY((std::fabs(punkte[i - 1].second) > 6.8) != extrem);
            // a quarter period apart, give or take the spoken hundredths and the drawn wave's
            // crossings lying 0.06 % of a period off its centre line
            QVERIFY(std::fabs(punkte[i].first - punkte[i - 1].first - periode / 4.0) < 0.03);
        }
        if (extrem && punkte[i].second > 0.0 && std::fabs(punkte[i].first) < std::fabs(maximum))
            maximum = punkte[i].first;
    }
    QVERIFY(std::fabs(maximum - (-5.0 - 994.0 * 30.0 / 360.0) / 70.0) < 0.02);
    // Ctrl+Left goes back to the mark before.
    QTest::keyClick(zeitbild, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(zeitUndWert(angesagt(f)).first, punkte[punkte.size() - 2].first);
}

// The cursor is drawn while the time diagram has the focus, and the diagram looks as before
// without it.
void TestTastatur::zeitcursorNurMitFokusGezeichnet()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QWidget *zeitbild = f.findChild<QWidget *>(QStringLiteral("Picture1"));
    // At start the diagram has the focus, but no key has asked for the cursor yet.
    QVERIFY(zeitbild->hasFocus() || QApplication::focusWidget() == nullptr);
    zeitbild->setFocus(Qt::OtherFocusReason);
    const QImage ohne = zeitbild->grab().toImage();
    f.findChild<QWidget *>(QStringLiteral("Checklinie(0)"))->setFocus(Qt::TabFocusReason);
    QCOMPARE(zeitbild->grab().toImage(), ohne);
    zeitbild->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 40; ++i) // to 10 ms: x = 200, the grid line for 10 ms lies beside it
        QTest::keyClick(zeitbild, Qt::Key_Right);
    const QImage mit = zeitbild->grab().toImage();
    // x = 200 is pixel (200 + 100) * 6.12 / 15 = 122.4 of the inner area, 2 px inside the border.
    const int spalte = 124;
    const auto dunkel = [](QRgb c) { return qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90; };
    int dunkleOhne = 0;
    int dunkleMit = 0;
    for (int y = 10; y < zeitbild->height() - 10; ++y) {
        dunkleOhne += dunkel(ohne.pixel(spalte, y)) ? 1 : 0;
        dunkleMit += dunkel(mit.pixel(spalte, y)) ? 1 : 0;
    }
    QVERIFY2(dunkleOhne < 40, qPrintable(QString::number(dunkleOhne))); // the curve and the axis cross it
    QVERIFY2(dunkleMit > zeitbild->height() - 40, qPrintable(QString::number(dunkleMit)));
    // The mark on the green curve: at 10 ms it shows A cos(360° / 2 + 45°) = -7.1, 99.5 pixels of
    // the inner area below the axis' 100 pixels from the top.
    const std::optional<double> wert = bildwert(50.0f, -250.0f, 10.0f, 10.0);
    const int zeile = static_cast<int>(std::floor((100.0 - *wert * 10.0) * 28.95 / 15.0)) + 2;
    QVERIFY(dunkel(mit.pixel(spalte - 2, zeile)) && dunkel(mit.pixel(spalte + 2, zeile)));
    f.findChild<QWidget *>(QStringLiteral("Checklinie(0)"))->setFocus(Qt::TabFocusReason);
    QCOMPARE(zeitbild->grab().toImage(), ohne);
}

QTEST_MAIN(TestTastatur)
#include "test_tastatur.moc"
