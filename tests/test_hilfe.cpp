// The help window: its frame, the scrolling of the page, closing, and the drawn page.

#include "app/frmzivorhilfe.h"
#include "app/hilfebild.h"
#include "tests/farbanteil.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

namespace {

// Scroll units of one wheel step and twips per scroll unit.
constexpr int radstufe = 628;
constexpr double twipsProEinheit = 0.4395;

zivor::Hilfebild *seite(QWidget &w)
{
    return w.findChild<zivor::Hilfebild *>(QStringLiteral("Image1"));
}

QScrollBar *leiste(QWidget &w)
{
    return w.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
}

double top(QWidget &w)
{
    return seite(w)->property("Top").toDouble();
}

void ziehen(QScrollBar *s, int wert)
{
    s->setSliderDown(true);
    s->setSliderPosition(wert);
    s->setSliderDown(false);
}

// Pixels whose colour lies within toleranz of farbe in every channel; by default the dark ones.
int pixel(const QImage &bild, const QRect &bereich, QColor farbe = Qt::black, int toleranz = 110)
{
    int anzahl = 0;
    for (int y = bereich.top(); y <= bereich.bottom(); ++y) {
        for (int x = bereich.left(); x <= bereich.right(); ++x) {
            const QColor c = bild.pixelColor(x, y);
            if (qAbs(c.red() - farbe.red()) <= toleranz
                && qAbs(c.green() - farbe.green()) <= toleranz
                && qAbs(c.blue() - farbe.blue()) <= toleranz)
                ++anzahl;
        }
    }
    return anzahl;
}

// A box of the page given in twips, as pixels of Image1 (inside its 1-px border).
QRect seitenbereich(int links, int oben, int rechts, int unten)
{
    return QRect(QPoint(links / 15 + 1, oben / 15 + 1), QPoint(rechts / 15, unten / 15));
}

QImage seitenbild()
{
    frmzivorhilfe w;
    return seite(w)->grab().toImage();
}

} // namespace

class TestHilfe : public QObject
{
    Q_OBJECT

private slots:
    // A screen reader reads the page as text: its lines in the page's order, one a line.
    void seiteAlsText()
    {
        frmzivorhilfe w;
        QAccessibleInterface *seitenzugang = QAccessible::queryAccessibleInterface(seite(w));
        QCOMPARE(seitenzugang->text(QAccessible::Name), QStringLiteral("Hilfeseite"));
        QVERIFY(seitenzugang->role() != QAccessible::Client);
        QAccessibleTextInterface *text = seitenzugang->textInterface();
        QVERIFY(text != nullptr);
        const QStringList zeilen = text->text(0, text->characterCount()).split(QLatin1Char('\n'));
        const QStringList folge{
            QStringLiteral("Harmonische Wechselgrößen als komplexe Zeiger"),
            QStringLiteral("In diesem Modul werden Sie mit dem Zusammenhang zwischen harmonischen (Sinus,"),
            QStringLiteral("Beispiel:"),
            QStringLiteral("Die mit Re und Im bezeichneten Achsen repräsentieren die reelle und die imaginäre"),
            QStringLiteral("Bedienung des Programmes:"),
            QStringLiteral("linke Maus gedrückt."),
            QStringLiteral("4) Mittels Slider an der Unterseite können Sie die Frequenz variieren."),
            QStringLiteral("Aufgaben:"),
            QStringLiteral("1) Stellen Sie die grüne Kurve auf folgende mathematische Funktion ein:")};
        QCOMPARE(zeilen.first(), folge.first());
        qsizetype zuletzt = -1;
        for (const QString &zeile : folge) {
            const qsizetype stelle = zeilen.indexOf(zeile);
            QVERIFY2(stelle > zuletzt, qPrintable(zeile));
            zuletzt = stelle;
        }
        QCOMPARE(zeilen.last(), folge.last());
        // The formula is on its line, written out; no empty lines, on which reading aloud can stall.
        QVERIFY(zeilen.contains(QStringLiteral("Mathematische Formulierung : U(t) = 10 · sin(ω · t + 45°)")));
        QVERIFY(!zeilen.contains(QString()));
        QCOMPARE(zeilen.size(), 26); // the page's lines with text
        // A document in a dialog, read first; the scroll bar has a name.
        QCOMPARE(seitenzugang->role(), QAccessible::Document);
        QCOMPARE(QAccessible::queryAccessibleInterface(&w)->role(), QAccessible::Dialog);
        QCOMPARE(QAccessible::queryAccessibleInterface(leiste(w))->text(QAccessible::Name),
                 QStringLiteral("Hilfeseite verschieben"));
    }

    // Every character of the page's text has the place where it is drawn: its middle leads back
    // to it, and the letters of the lines cover ink on the drawn page.
    void zeichenStehenWoSieGezeichnetSind()
    {
        frmzivorhilfe w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget *bild = seite(w);
        const QImage gemalt = bild->grab().toImage();
        QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(bild)->textInterface();
        const QString inhalt = text->text(0, text->characterCount());
        int mitTinte = 0;
        int buchstaben = 0;
        for (int i = 0; i < inhalt.size(); ++i) {
            const QRect r = text->characterRect(i);
            const QRect lokal(bild->mapFromGlobal(r.topLeft()), r.size());
            if (inhalt[i] == QLatin1Char('\n')) {
                QVERIFY(r.width() <= 1); // no width of its own, at the end of its line
                continue;
            }
            QVERIFY2(r.width() > 0 && r.height() > 0, qPrintable(QString::number(i)));
            QVERIFY2(QRect(0, 0, bild->width(), bild->height()).contains(lokal), qPrintable(QString::number(i)));
            QCOMPARE(text->offsetAtPoint(r.center()), i);
            // The letters of the lines (not the descriptions spread over the pictures).
            if (lokal.height() < 30 && inhalt[i].isLetter()) {
                ++buchstaben;
                mitTinte += pixel(gemalt, lokal) > 0 ? 1 : 0;
            }
        }
        QVERIFY(buchstaben > 1000);
        QCOMPARE(mitTinte, buchstaben);
        QCOMPARE(text->offsetAtPoint(bild->mapToGlobal(QPoint(600, 300))), -1); // blank margin beside a line
    }

    // The page takes the focus; the arrow, page and Ctrl+Home/End keys move its caret from line
    // to line, and the page scrolls so that the caret's line is in view as far as it can.
    void tastenLesenZeilenweise()
    {
        frmzivorhilfe w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QWidget *bild = seite(w);
        QCOMPARE(QApplication::focusWidget(), bild);
        QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(bild)->textInterface();
        const QStringList zeilen = text->text(0, text->characterCount()).split(QLatin1Char('\n'));
        const auto zeileImBlick = [&] {
            const QRect r = text->characterRect(text->cursorPosition());
            const int oben = bild->mapFromGlobal(r.topLeft()).y() + bild->y();
            return oben >= 0 && oben + r.height() <= w.height();
        };
        int offset = 0;
        for (int zeile = 1; zeile < zeilen.size(); ++zeile) {
            offset += static_cast<int>(zeilen[zeile - 1].size()) + 1;
            QTest::keyClick(bild, Qt::Key_Down);
            QCOMPARE(text->cursorPosition(), offset);
            // The last two lines lie below the farthest the page scrolls.
            if (leiste(w)->value() < leiste(w)->maximum())
                QVERIFY2(zeileImBlick(), qPrintable(zeilen[zeile]));
        }
        QCOMPARE(leiste(w)->value(), leiste(w)->maximum());
        QTest::keyClick(bild, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(text->cursorPosition(), 0);
        QCOMPARE(leiste(w)->value(), 0);
        QTest::keyClick(bild, Qt::Key_PageDown);
        int anfang = 0;
        int ende = 0;
        QCOMPARE(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &anfang, &ende),
                 zeilen[10] + QLatin1Char('\n'));
        QVERIFY(zeileImBlick());
        // A reader that reads on puts the caret where it reads, and the page follows.
        text->setCursorPosition(text->characterCount() * 2 / 3);
        QVERIFY(zeileImBlick());
        QTest::keyClick(bild, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(text->cursorPosition(), text->characterCount() - static_cast<int>(zeilen.last().size()));
    }

    void fensterUndSteuerelemente()
    {
        frmzivorhilfe w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Hilfe zur Aufgabe \"komplexe Ebene\""));
        QCOMPARE(w.parentWidget(), nullptr);
        QCOMPARE(w.minimumSize(), QSize(631, 331));
        QCOMPARE(w.maximumSize(), QSize(631, 331));
        const Qt::WindowFlags f = w.windowFlags();
        QVERIFY(f.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));

        QCOMPARE(seite(w)->geometry(), QRect(0, 0, 607, 948));
        QCOMPARE(top(w), 0.0);

        QScrollBar *s = leiste(w);
        QVERIFY(s);
        QCOMPARE(s->geometry(), QRect(609, 0, 19, 328));
        const QList<int> werte{s->minimum(), s->maximum(), s->value(), s->singleStep(),
                               s->pageStep()};
        QCOMPARE(werte, QList<int>({0, 19000, 0, 1, 1}));
    }

    void schiebenMitDaumen_data()
    {
        QTest::addColumn<int>("wert");
        QTest::addColumn<double>("erwartetTop");
        QTest::addColumn<int>("erwartetY");

        QTest::newRow("ganz unten") << 19000 << -8350.5 << -557;
        QTest::newRow("Mitte") << 10000 << -4395.0 << -293;
    }

    void schiebenMitDaumen()
    {
        QFETCH(int, wert);
        QFETCH(double, erwartetTop);
        QFETCH(int, erwartetY);

        frmzivorhilfe w;
        QScrollBar *s = leiste(w);
        ziehen(s, wert);
        QCOMPARE(s->value(), wert);
        QCOMPARE(top(w), erwartetTop);
        QCOMPARE(seite(w)->pos(), QPoint(0, erwartetY));

        ziehen(s, 0);
        QCOMPARE(seite(w)->pos(), QPoint(0, 0));
    }

    // The page follows the value however it changes, not only while the thumb is dragged.
    void pfeileSpurUndTasten()
    {
        frmzivorhilfe w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QScrollBar *s = leiste(w);

        for (int i = 0; i < 100; ++i)
            s->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s->value(), 100);
        QCOMPARE(top(w), -43.95);
        QCOMPARE(seite(w)->y(), -3);

        s->setFocus();
        QTest::keyClick(s, Qt::Key_Up);
        QCOMPARE(s->value(), 99);
        QCOMPARE(top(w), -99 * twipsProEinheit);
        QTest::keyClick(s, Qt::Key_Home);
        QCOMPARE(top(w), 0.0);

        // A click into the track below the thumb moves by one page step.
        const QPoint spur = s->mapTo(&w, QPoint(s->width() / 2, s->height() - 40));
        QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, spur);
        QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, spur);
        QCOMPARE(s->value(), 1);
        QCOMPARE(top(w), -twipsProEinheit);
    }

    void mausrad_data()
    {
        QTest::addColumn<QString>("ueber");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("drehungen");
        QTest::addColumn<int>("erwartet");

        QTest::newRow("eine Stufe hinunter") << "Image1" << 0 << QList<int>{-120} << radstufe;
        QTest::newRow("zwei Stufen hinauf") << "Image1" << 5000 << QList<int>{240}
                                            << 5000 - 2 * radstufe;
        QTest::newRow("oben begrenzt") << "Image1" << 0 << QList<int>{120} << 0;
        QTest::newRow("unten begrenzt") << "Image1" << 18800 << QList<int>{-120} << 19000;
        QTest::newRow("halbe Stufen summieren sich") << "Image1" << 0 << QList<int>{-60, -60}
                                                     << radstufe;
        QTest::newRow("ueber der Leiste") << "VScroll1" << 0 << QList<int>{-120} << radstufe;
    }

    void mausrad()
    {
        QFETCH(QString, ueber);
        QFETCH(int, start);
        QFETCH(QList<int>, drehungen);
        QFETCH(int, erwartet);

        frmzivorhilfe w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QScrollBar *s = leiste(w);
        s->setValue(start);

        QWidget *ziel = w.findChild<QWidget *>(ueber);
        QVERIFY(ziel);
        const QPoint lokal = ziel->mapTo(&w, QPoint(ziel->width() / 2, 100 - ziel->y()));
        const QPointF global = w.mapToGlobal(QPointF(lokal));
        for (int drehung : drehungen) {
            QWheelEvent e(QPointF(lokal), global, QPoint(), QPoint(0, drehung), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w.windowHandle(), &e);
        }
        QCOMPARE(s->value(), erwartet);
        QCOMPARE(top(w), -erwartet * twipsProEinheit);
    }

    void schliessenGibtHauptfensterFrei()
    {
        QWidget haupt;
        haupt.setObjectName(QStringLiteral("Formzivor"));
        haupt.setEnabled(false);
        QWidget anderes;
        anderes.setObjectName(QStringLiteral("anderes"));
        anderes.setEnabled(false);

        QPointer<frmzivorhilfe> hilfe = new frmzivorhilfe(&haupt);
        hilfe->show();
        QVERIFY(QTest::qWaitForWindowExposed(hilfe));
        QVERIFY(hilfe->isEnabled());

        hilfe->windowHandle()->close();
        QVERIFY(haupt.isEnabled());
        QVERIFY(!anderes.isEnabled());
        QTRY_VERIFY(hilfe.isNull());
    }

    void seiteZeigtTextUndFormel()
    {
        const QImage bild = seitenbild();

        // The title, its underline bar and the black border.
        QVERIFY(pixel(bild, seitenbereich(0, 0, 5900, 280)) > 300);
        QVERIFY(pixel(bild, seitenbereich(300, 295, 5600, 310)) > 300);
        QCOMPARE(pixel(bild, QRect(606, 0, 1, 948), Qt::black, 0), 948);

        // The longest lines end at about 595 px; the right margin stays white.
        QCOMPARE(pixel(bild, QRect(598, 1, 7, 946)), 0);
        // Empty lines stay empty, and so does the page below its last line.
        QCOMPARE(pixel(bild, seitenbereich(0, 1430, 9072, 1690)), 0);
        QCOMPARE(pixel(bild, seitenbereich(0, 13910, 9072, 14185)), 0);
        // Text at the heading "Aufgaben:" but none right of its short line.
        QVERIFY(pixel(bild, seitenbereich(0, 13358, 1080, 13620)) > 100);
        QCOMPARE(pixel(bild, seitenbereich(1200, 13358, 9072, 13600)), 0);

        // The formula fills its box beside "Mathematische Formulierung :".
        QVERIFY(pixel(bild, seitenbereich(3259, 4181, 4600, 4531)) > 100);
        QVERIFY(pixel(bild, seitenbereich(4600, 4181, 5947, 4531)) > 100);
        QCOMPARE(pixel(bild, seitenbereich(6100, 4181, 9072, 4531)), 0);
    }

    void farbenDerBilder_data()
    {
        QTest::addColumn<QColor>("farbe");
        QTest::addColumn<QRect>("bereich");
        QTest::addColumn<int>("laenge"); // px of line the drawing has in that colour; 0 for none

        const QColor zeiger(0, 192, 0);
        const QColor kurve(0, 204, 153);
        const QColor gelb(255, 255, 0);
        const QRect zeitbild = seitenbereich(3782, 4584, 7200, 6797);
        const QRect zeigerbild = seitenbereich(3782, 7104, 6187, 9418);

        // The phasor is 10 units of 19.25 raster px shown at 160/227: 136 px. The wave, 10
        // units high and 20 ms long, covers the 228 x 148 px box with 792 px of line. The grid
        // is four lines each way across the 160 x 154 px picture.
        QTest::newRow("Zeiger im Zeigerbild") << zeiger << zeigerbild << 136;
        QTest::newRow("Kurve im Zeitbild") << kurve << zeitbild << 792;
        QTest::newRow("Gitter im Zeigerbild") << gelb << zeigerbild << 4 * 154 + 4 * 160;
        QTest::newRow("kein Zeiger im Zeitbild") << zeiger << zeitbild << 0;
        QTest::newRow("keine Kurve im Zeigerbild") << kurve << zeigerbild << 0;
        QTest::newRow("kein Gitter neben den Bildern") << gelb << seitenbereich(7300, 4584, 9072, 9418) << 0;
    }

    void farbenDerBilder()
    {
        QFETCH(QColor, farbe);
        QFETCH(QRect, bereich);
        QFETCH(int, laenge);

        // Pixels that are at least 80 % the colour: nine tenths of the line's length at least.
        const QImage bild = seitenbild();
        int anzahl = 0;
        for (int y = bereich.top(); y <= bereich.bottom(); ++y)
            for (int x = bereich.left(); x <= bereich.right(); ++x)
                anzahl += ueberWeiss(bild.pixel(x, y), farbe, 0.8) ? 1 : 0;
        if (laenge > 0)
            QVERIFY2(anzahl >= 0.9 * laenge, qPrintable(QString::number(anzahl)));
        else
            QCOMPARE(anzahl, 0);
    }
};

QTEST_MAIN(TestHilfe)
#include "test_hilfe.moc"
