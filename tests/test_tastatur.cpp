// The phasor tips by keyboard: while the phasor diagram has the focus, the arrow keys move the
// marked tip by a pixel (with Shift by ten) and Space marks the next shown tip. Each step
// leaves the window exactly as a mouse drag of that tip to the same pixel does. The marked
// tip carries a focus mark only while the diagram has the focus.

#include "app/formzivor.h"
#include "app/frmzivorhilfe.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cmath>

namespace {

// The pixel of a handle's corner in the phasor diagram (border included) for its place in
// the diagram's units: 29.025 twips a unit, 15 twips a pixel.
QPoint griffpixel(double left, double top)
{
    return {static_cast<int>(std::lround((left + 100) * 29.025 / 15)) + 2,
            static_cast<int>(std::lround((100 - top) * 29.025 / 15)) + 2};
}

// Everything a step changes, for comparing two windows.
QStringList zustand(Formzivor &f)
{
    QStringList z;
    for (const char *name : {"Textampl(0)", "Textampl(1)", "Textampl(2)", "Textwinkel(0)", "Textwinkel(1)",
                             "Textwinkel(2)", "Textf"})
        z << f.findChild<QLineEdit *>(QLatin1String(name))->text();
    const auto eigenschaften = [&](const char *name, std::initializer_list<const char *> welche) {
        QObject *o = f.findChild<QObject *>(QLatin1String(name));
        for (const char *e : welche)
            z << QStringLiteral("%1.%2=%3").arg(QLatin1String(name), QLatin1String(e)).arg(o->property(e).toDouble(), 0, 'g', 17);
    };
    for (const char *name : {"Line1(0)", "Line1(1)", "Line1(2)"})
        eigenschaften(name, {"X2", "Y2"});
    for (const char *name : {"Label1(0)", "Label1(1)"})
        eigenschaften(name, {"Left", "Top"});
    for (const char *name : {"Image2(0)", "Image2(1)", "Image2(2)"})
        eigenschaften(name, {"Left", "Top", "Width", "Height"});
    for (int i = 0; i < 3; ++i)
        z << QStringLiteral("%1 %2").arg(f.amplitude[i], 0, 'g', 9).arg(f.verschiebung[i], 0, 'g', 9);
    z << QString::number(f.zeigernummer);
    return z;
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

QTEST_MAIN(TestTastatur)
#include "test_tastatur.moc"
