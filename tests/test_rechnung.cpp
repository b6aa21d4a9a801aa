// The arithmetic of the curve state, the phasor tips, the time diagram, the key filters
// and the exercises, called without any window.

#include "exercises/aufgabe.h"
#include "exercises/bewertung.h"
#include "exercises/zufallsgenerator.h"
#include "input/tastenfilter.h"
#include "model/kurvenplatz.h"
#include "model/massstab.h"
#include "model/sprechtexte.h"
#include "model/umrechnung.h"
#include "model/zeigerrechnung.h"

#include <QLocale>
#include <QTest>

#include <cmath>

using namespace zivor;

class TestRechnung : public QObject
{
    Q_OBJECT
private slots:
    // German before every test, so that one that switches the locale and fails leaves no trace.
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void winkelumrechnung_data();
    void winkelumrechnung();
    void rundenHalbeZurGeradenZahl();
    void zahlTextNachGebietsschema();
    void zahlenwertEinesTextes_data();
    void zahlenwertEinesTextes();
    void verschiebungsregel_data();
    void verschiebungsregel();
    void amplitudenText_data();
    void amplitudenText();
    void kurvenplatzBeiFrequenzen_data();
    void kurvenplatzBeiFrequenzen();
    void massstaebe();
    void tastenfilter();
    void aufgabentext_data();
    void aufgabentext();
    void zieleAusZufallszahlen();
    void bewertungGrenzfaelle_data();
    void bewertungGrenzfaelle();
    void bewertungsmeldung();
    void sprechtexte_data();
    void sprechtexte();
};

void TestRechnung::winkelumrechnung_data()
{
    QTest::addColumn<float>("winkel");
    QTest::addColumn<float>("verschiebung");
    QTest::newRow("0") << 0.0f << -200.0f;
    QTest::newRow("45") << 45.0f << -250.0f;
    QTest::newRow("-45") << -45.0f << -150.0f;
    QTest::newRow("90") << 90.0f << -300.0f;
    QTest::newRow("-90") << -90.0f << -100.0f;
    QTest::newRow("360 not wrapped") << 360.0f << -600.0f;
    QTest::newRow("-180") << -180.0f << 0.0f;
}

void TestRechnung::winkelumrechnung()
{
    QFETCH(float, winkel);
    QFETCH(float, verschiebung);
    QCOMPARE(winkelumr(winkel), verschiebung);
    // and back again, as the angle fields show it
    QCOMPARE(rundeGerade(winkelAusVerschiebung(verschiebung)), static_cast<qint32>(winkel));
}

void TestRechnung::rundenHalbeZurGeradenZahl()
{
    QCOMPARE(rundeGerade(62.5), 62);
    QCOMPARE(rundeGerade(63.5), 64);
    QCOMPARE(rundeGerade(-2.5), -2);
    QCOMPARE(rundeGerade(47.0588), 47);
    QCOMPARE(rundeGerade(std::nan("")), 0);
    QCOMPARE(rundeInt16(1280.5), qint16(1280));
    QCOMPARE(rundeInt16(1e9), qint16(32767));
    QCOMPARE(rundeInt16(-1e9), qint16(-32768));
}

void TestRechnung::zahlTextNachGebietsschema()
{
    QCOMPARE(zahlText(251.2), QStringLiteral("251,2"));
    QCOMPARE(zahlText(25 * 6.28), QStringLiteral("157"));
    QCOMPARE(zahlText(-0.0), QStringLiteral("0"));
    QCOMPARE(zahlText(12345.5), QStringLiteral("12345,5")); // no grouping
    QLocale::setDefault(QLocale::c());
    QCOMPARE(zahlText(7.1), QStringLiteral("7.1"));
}

void TestRechnung::zahlenwertEinesTextes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("wert");
    QTest::addColumn<bool>("hatZahl");
    QTest::newRow("leer") << QString() << 0.0 << false;
    QTest::newRow("ganz") << "60" << 60.0 << true;
    QTest::newRow("führende Null") << "025" << 25.0 << true;
    QTest::newRow("Punkt") << "2.5" << 2.5 << true;
    QTest::newRow("Komma endet") << "2,5" << 2.0 << true;
    QTest::newRow("negativ") << "-45" << -45.0 << true;
    QTest::newRow("Leerzeichen") << " 1 2" << 12.0 << true;
    QTest::newRow("zwei Punkte") << "1.2.3" << 1.2 << true;
    QTest::newRow("Minus innen") << "4-5" << 4.0 << true;
    QTest::newRow("nur Minus") << "-" << 0.0 << false;
    QTest::newRow("nur Punkt") << "." << 0.0 << false;
    QTest::newRow("Buchstabe") << "a5" << 0.0 << false;
    QTest::newRow("Gradzeichen") << "45°" << 45.0 << true;
    QTest::newRow("Punkt vorn") << ".5" << 0.5 << true;
    QTest::newRow("Null") << "0" << 0.0 << true;
}

void TestRechnung::zahlenwertEinesTextes()
{
    QFETCH(QString, text);
    QFETCH(double, wert);
    QFETCH(bool, hatZahl);
    const Zahlenwert z = liesZahl(text);
    QCOMPARE(z.wert, wert);
    QCOMPARE(z.hatZahl, hatZahl);
    QCOMPARE(zahlenwert(text), wert);
}

void TestRechnung::verschiebungsregel_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<double>("w");
    QTest::addColumn<QString>("winkel");
    // The worked examples and the axes are dragged in test_ziehen; here the quadrant borders.
    QTest::newRow("next to +y, first quadrant") << 0.001f << 50.0f << -300.53 << "90°";
    QTest::newRow("next to -x, second quadrant") << -50.0f << 0.001f << -400.53 << "180°";
    QTest::newRow("next to -x, third quadrant") << -50.0f << -0.001f << 0.0 << "-180°";
}

void TestRechnung::verschiebungsregel()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(double, w);
    QFETCH(QString, winkel);
    const float ist = zivor::verschiebungsregel(x, y);
    QVERIFY2(std::fabs(ist - w) < 0.01, qPrintable(QString::number(ist)));
    QCOMPARE(winkelText(winkelAusVerschiebung(ist)), winkel);
}

void TestRechnung::amplitudenText_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("text");
    QTest::newRow("5") << 50.0f << "5";
    QTest::newRow("7,1") << std::sqrt(5000.0f) << "7,1";
    QTest::newRow("corner") << std::sqrt(20000.0f) << "14,1";
    QTest::newRow("10") << 100.0f << "10";
    QTest::newRow("0") << 0.0f << "0";
    QTest::newRow("half down to even") << 2.5f << "0,2";
    QTest::newRow("half up to even") << 3.5f << "0,4";
}

void TestRechnung::amplitudenText()
{
    QFETCH(float, r);
    QFETCH(QString, text);
    QCOMPARE(zivor::amplitudenText(r), text);
}

void TestRechnung::kurvenplatzBeiFrequenzen_data()
{
    QTest::addColumn<float>("frequenz");
    QTest::addColumn<double>("breite");
    QTest::addColumn<double>("left");
    // shift -250 (45°), amplitude 10
    QTest::newRow("25 Hz") << 25.0f << 3200.0 << -1500.0;
    QTest::newRow("47.06 Hz") << static_cast<float>(1600.0 / 1700 * 50.0) << 1700.0 << -796.875;
    QTest::newRow("50 Hz") << 50.0f << 1600.0 << -750.0;
    QTest::newRow("62.5 Hz") << 62.5f << 1280.0 << -600.0;
    QTest::newRow("100 Hz") << 100.0f << 800.0 << -375.0;
}

void TestRechnung::kurvenplatzBeiFrequenzen()
{
    QFETCH(float, frequenz);
    QFETCH(double, breite);
    QFETCH(double, left);
    const Kurvenplatz k = kurvenplatz(frequenz, -250.0f, 10.0f);
    QCOMPARE(k.width, breite);
    QVERIFY2(std::fabs(k.left - left) < 1e-3, qPrintable(QString::number(k.left)));
    QCOMPARE(k.top, 100.0);
    QCOMPARE(k.height, 200.0);
    // A change of -400 in the shift moves the curve by one period at every frequency.
    const Kurvenplatz frueher = kurvenplatz(frequenz, -650.0f, 10.0f);
    QVERIFY(std::fabs((k.left - frueher.left) - 20000.0 / frequenz) < 1e-2);
    // The amplitude changes only the vertical placement.
    const Kurvenplatz flach = kurvenplatz(frequenz, -250.0f, 0.0f);
    QCOMPARE(flach.left, k.left);
    QCOMPARE(flach.height, 0.0);
}

void TestRechnung::massstaebe()
{
    // The phasor diagram's origin lies 2902.5 twips from the inner top-left corner.
    const QPointF ursprung = zeigerMassstab.zuPixel(0, 0);
    QCOMPARE(ursprung.x() * twipsProPixel, 2902.5);
    QCOMPARE(ursprung.y() * twipsProPixel, 2902.5);
    const QPointF zurueck = zeigerMassstab.ausPixel(QPointF(386, 386));
    QVERIFY(std::fabs(zurueck.x() - 99.48) < 0.01);
    QVERIFY(std::fabs(zurueck.y() + 99.48) < 0.01);
    // Time diagram: x -100..900 across 408 px, y 100..-100 down 386 px.
    QCOMPARE(zeitMassstab.zuPixel(900, -100), QPointF(408, 386));
    const QRectF kurve = zeitMassstab.rechteckZuPixel(-750, 100, 1600, 200);
    QCOMPARE(kurve.top(), 0.0);
    QCOMPARE(kurve.height(), 386.0);

    // A window of 808 x 650 with a 4-px border and a 26-px title bar, 4 px from the edges, in the
    // visible areas of tablets, a laptop at 150 % and a phone: whole, and as large as fits.
    const QMarginsF rahmen(4, 26, 4, 4);
    for (const QSizeF sichtbar : {QSizeF(1024, 690), QSizeF(1180, 740), QSizeF(1280, 609), QSizeF(844, 340),
                                  QSizeF(768, 946), QSizeF(1366, 657), QSizeF(2000, 1200)}) {
        const double s = seitenfaktor(sichtbar, QSizeF(808, 650), rahmen, 4.0);
        const double breite = 808 * s + 8 + 8, hoehe = 650 * s + 30 + 8;
        QVERIFY2(breite <= sichtbar.width() + 1e-9 && hoehe <= sichtbar.height() + 1e-9, qPrintable(QString::number(s)));
        QVERIFY(s == 1.0 || std::fabs(breite - sichtbar.width()) < 1e-9 || std::fabs(hoehe - sichtbar.height()) < 1e-9);
    }
    QCOMPARE(seitenfaktor(QSizeF(1366, 657), QSizeF(808, 650), rahmen, 4.0), (657.0 - 38) / 650);
    QCOMPARE(seitenfaktor(QSizeF(2000, 1200), QSizeF(808, 650), rahmen, 4.0), 1.0);
}

void TestRechnung::tastenfilter()
{
    QCOMPARE(filterAmplitude(','), qint16('.'));
    QCOMPARE(filterAmplitude('.'), qint16('.'));
    QCOMPARE(filterAmplitude('7'), qint16('7'));
    for (const qint16 weg : {qint16('-'), qint16(8), qint16(13), qint16('a'), qint16(' ')})
        QCOMPARE(filterAmplitude(weg), qint16(0));
    QCOMPARE(filterWinkel('-'), qint16('-'));
    QCOMPARE(filterWinkel('0'), qint16('0'));
    for (const qint16 weg : {qint16('.'), qint16(','), qint16(8), qint16(13), qint16(0xB0)})
        QCOMPARE(filterWinkel(weg), qint16(0));
    QCOMPARE(filterFrequenz('9'), qint16('9'));
    for (const qint16 weg : {qint16('-'), qint16('.'), qint16(8), qint16(13)})
        QCOMPARE(filterFrequenz(weg), qint16(0));
    QCOMPARE(filtereText(QStringLiteral("a1,5b"), [](qint16 &c) { c = filterAmplitude(c); }),
             QStringLiteral("1.5"));
    QCOMPARE(filtereText(QStringLiteral("-4.5°"), [](qint16 &c) { c = filterWinkel(c); }),
             QStringLiteral("-45"));
}

void TestRechnung::aufgabentext_data()
{
    QTest::addColumn<int>("frequenz");
    QTest::addColumn<int>("laenge");
    QTest::addColumn<int>("winkel");
    QTest::addColumn<QString>("zeile2");
    QTest::newRow("25") << 25 << 3 << 0 << "f(t) = 3*cos(157*(t/s)+0°)";
    QTest::newRow("40") << 40 << 7 << -30 << "f(t) = 7*cos(251,2*(t/s)-30°)";
    QTest::newRow("55") << 55 << 10 << 90 << "f(t) = 10*cos(345,4*(t/s)+90°)";
    QTest::newRow("70") << 70 << 4 << -90 << "f(t) = 4*cos(439,6*(t/s)-90°)";
    QTest::newRow("85") << 85 << 5 << 10 << "f(t) = 5*cos(533,8*(t/s)+10°)";
    QTest::newRow("100") << 100 << 6 << -10 << "f(t) = 6*cos(628*(t/s)-10°)";
}

void TestRechnung::aufgabentext()
{
    QFETCH(int, frequenz);
    QFETCH(int, laenge);
    QFETCH(int, winkel);
    QFETCH(QString, zeile2);
    const QString text = aufgabentext1({static_cast<quint8>(frequenz), static_cast<quint8>(laenge),
                                        static_cast<qint16>(winkel)});
    QCOMPARE(text, QStringLiteral("Stellen Sie für den grünen Zeitverlauf folgende Zeitfunktion ein:")
                       + QChar(13) + zeile2);
}

void TestRechnung::zieleAusZufallszahlen()
{
    QCOMPARE(zielfrequenzAus(0.0f), quint8(25));
    QCOMPARE(zielfrequenzAus(0.5f), quint8(70));
    QCOMPARE(zielfrequenzAus(std::nextafter(1.0f, 0.0f)), quint8(100));
    QCOMPARE(zeigerlaengeAus(0.0f), quint8(3));
    QCOMPARE(zeigerlaengeAus(std::nextafter(1.0f, 0.0f)), quint8(10));
    QCOMPARE(zeigerwinkelAus(0.0f), qint16(-90));
    QCOMPARE(zeigerwinkelAus(0.5f), qint16(0));
    QCOMPARE(zeigerwinkelAus(std::nextafter(1.0f, 0.0f)), qint16(90));
    // A number that reaches 1 (some float distributions do) stays inside the ranges.
    QCOMPARE(zielfrequenzAus(1.0f), quint8(100));
    QCOMPARE(zeigerlaengeAus(1.0f), quint8(10));
    QCOMPARE(zeigerwinkelAus(1.0f), qint16(90));
    QCOMPARE(zeigerwinkelAus(std::nanf("")), qint16(-90));
}

void TestRechnung::bewertungGrenzfaelle_data()
{
    QTest::addColumn<double>("ziel");
    QTest::addColumn<double>("antwort");
    QTest::addColumn<bool>("richtig");
    QTest::newRow("55/50 exactly 0.1") << 55.0 << 50.0 << false;
    QTest::newRow("55/61") << 55.0 << 61.0 << true;
    QTest::newRow("10/9.0") << 10.0 << 9.0 << false;
    QTest::newRow("10/9.1") << 10.0 << 9.1 << true;
    QTest::newRow("10/11.1") << 10.0 << 11.1 << true;
    QTest::newRow("10/11.2") << 10.0 << 11.2 << false;
    QTest::newRow("divisor 0") << 0.0 << 0.0 << false;
}

void TestRechnung::bewertungGrenzfaelle()
{
    QFETCH(double, ziel);
    QFETCH(double, antwort);
    QFETCH(bool, richtig);
    QCOMPARE(abweichungKlein(ziel, static_cast<float>(antwort), static_cast<float>(antwort)), richtig);
}

void TestRechnung::bewertungsmeldung()
{
    const QChar cr(13);
    const Ziele ziele{55, 7, 30};
    // Task 1: everything right, no word "Punkte". (Task 2's message: test_aufgaben.)
    quint8 gesamt = 0;
    Bewertung b = bewerte(ziele, {55.0f, winkelumr(30.0f), 7.0f, true}, false, gesamt);
    QCOMPARE(b.meldung, QStringLiteral("Frequenz richtig") + cr + "Phase richtig" + cr + "Amplitude richtig"
                            + cr + "3 für die Aufgabe" + cr + "3 Gesamt");
    // An angle field without a number never scores, even where 0° would be in tolerance.
    gesamt = 0;
    b = bewerte({55, 7, 0}, {55.0f, winkelumr(0.0f), 7.0f, false}, true, gesamt);
    QVERIFY(b.meldung.contains(QStringLiteral("Phase falsch")));
    QCOMPARE(b.punkte, quint8(2));
}

// What a screen reader says, from the texts the window shows: one row a situation.
void TestRechnung::sprechtexte_data()
{
    QTest::addColumn<QString>("gesagt");
    QTest::addColumn<QString>("erwartet");
    const Kurvenansicht gruen{QStringLiteral("7,1"), QStringLiteral("45°"), true, true};
    const Kurvenansicht rot{QStringLiteral("10"), QStringLiteral("-45°"), true, false};
    const Kurvenansicht summe{QStringLiteral("14,1"), QStringLiteral("0°"), true, true};
    const Kurvenansicht ohneSumme{QStringLiteral("0"), QStringLiteral("1"), false, false};
    // Each diagram names its keys once, after the values.
    const QString zeigertasten = QStringLiteral(". Tasten: Pfeile ziehen die markierte Spitze, mit Umschalt in "
                                                "Zehnerschritten, Leertaste wechselt die Spitze.");
    const QString zeittasten = QStringLiteral(". Tasten: Pfeile führen den Zeitcursor, mit Umschalt in großen Schritten, "
                                              "Pos1 und Ende an die Enden, Strg springt zu Maximum, Minimum oder "
                                              "Nulldurchgang.");
    QTest::newRow("Schritt") << schrittansage(gruen, ohneSumme) << QStringLiteral("Amplitude 7,1, Winkel 45 Grad");
    QTest::newRow("Schritt mit Summe")
        << schrittansage(rot, summe) << QStringLiteral("Amplitude 10, Winkel -45 Grad; Gesamt: Amplitude 14,1, Winkel 0 Grad");
    QTest::newRow("grün markiert") << markierungsansage(0, gruen) << QStringLiteral("grüner Zeiger: Amplitude 7,1, Winkel 45 Grad");
    QTest::newRow("rot markiert") << markierungsansage(1, rot) << QStringLiteral("roter Zeiger: Amplitude 10, Winkel -45 Grad");
    QTest::newRow("Frequenz") << frequenzansage(QStringLiteral("49")) << QStringLiteral("49 Hertz");
    QTest::newRow("Aufgabe zweizeilig")
        << aufgabenansage(QStringLiteral("Stellen Sie ein:") + QChar(13) + QStringLiteral("f(t) = 7*cos(157*(t/s)-30°)"))
        << QStringLiteral("Stellen Sie ein: f von t gleich 7 mal Kosinus von 157 mal t durch s minus 30 Grad");
    QTest::newRow("Formel mit Plus und Komma")
        << aufgabenansage(QStringLiteral("f(t) = 4*cos(533,8*(t/s)+90°)"))
        << QStringLiteral("f von t gleich 4 mal Kosinus von 533,8 mal t durch s plus 90 Grad");
    QTest::newRow("Zeiger: grün und rot")
        << zeigerbeschreibung({gruen, rot, ohneSumme})
        << QStringLiteral("Funktion 1: Amplitude 7,1, Winkel 45 Grad; Funktion 2: Amplitude 10, Winkel -45 Grad") + zeigertasten;
    QTest::newRow("Zeiger: nur die Summe, keine Tasten")
        << zeigerbeschreibung({ohneSumme, ohneSumme, summe}) << QStringLiteral("Gesamt: Amplitude 14,1, Winkel 0 Grad");
    QTest::newRow("Zeiger: keiner") << zeigerbeschreibung({ohneSumme, ohneSumme, ohneSumme})
                                    << QStringLiteral("keine Kurve ausgewählt");
    // The red curve is hidden here: only its phasor is shown.
    QTest::newRow("Zeit: grün und Summe")
        << zeitbeschreibung({gruen, rot, summe}, QStringLiteral("50"), false)
        << QStringLiteral("Funktion 1: Amplitude 7,1, Winkel 45 Grad; Gesamt: Amplitude 14,1, Winkel 0 Grad; Frequenz 50 Hertz")
               + zeittasten;
    QTest::newRow("Zeit: Aufgabe 2 verrät nichts")
        << zeitbeschreibung({gruen, rot, ohneSumme}, QStringLiteral("85"), true)
        << QStringLiteral("Funktion 1: gesuchte Kurve, Amplitude, Phase und Frequenz sind einzugeben") + zeittasten;
    QTest::newRow("Zeit: keine Kurve") << zeitbeschreibung({ohneSumme, ohneSumme, ohneSumme}, QStringLiteral("50"), false)
                                       << QStringLiteral("Frequenz 50 Hertz") + zeittasten;
}

void TestRechnung::sprechtexte()
{
    QFETCH(QString, gesagt);
    QFETCH(QString, erwartet);
    QCOMPARE(gesagt, erwartet);
}

QTEST_GUILESS_MAIN(TestRechnung)
#include "test_rechnung.moc"
