// The pictures drawn by the program: both diagram backgrounds probed pixel by pixel at screen
// scale 1 and 2, the curve drawing of the time diagram, and the window icon.

#include "assets/icodatei.h"
#include "assets/kurvenzeichnung.h"
#include "assets/strichdeckung.h"
#include "assets/zeigerdiagrammbild.h"
#include "assets/zeitdiagrammbild.h"
#include "tests/farbanteil.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

enum class Bild { Zeiger, Zeit };

// The diagrams' conversions from units to device-independent pixels (twips / 15).
QPointF zuPixel(Bild b, double x, double y)
{
    if (b == Bild::Zeiger)
        return {(x + 100.0) * 29.025 / 15.0, (100.0 - y) * 29.025 / 15.0};
    return {(x + 100.0) * 6.12 / 15.0, (100.0 - y) * 28.95 / 15.0};
}

// A background at the given pixel ratio, painted rand pixels in from the edges of an image
// filled with grund.
QImage male(Bild b, int ratio, int rand = 0, QColor grund = Qt::white)
{
    const QSize innen = b == Bild::Zeiger ? QSize(386, 386) : QSize(408, 386);
    QImage bild((innen + QSize(2 * rand, 2 * rand)) * ratio, QImage::Format_RGB32);
    bild.setDevicePixelRatio(ratio);
    bild.fill(grund);
    QPainter p(&bild);
    p.translate(rand, rand);
    if (b == Bild::Zeiger)
        zivor::zeichneZeigerdiagramm(p, QSizeF(innen));
    else
        zivor::zeichneZeitdiagramm(p, QSizeF(innen));
    return bild;
}

// The device pixel holding a point given in device-independent pixels.
QPoint geraetepixel(QPointF p, int ratio)
{
    return {static_cast<int>(std::floor(p.x() * ratio)),
            static_cast<int>(std::floor(p.y() * ratio))};
}

bool istWeiss(QRgb c) { return (c & 0xffffff) == 0xffffff; }
bool istDunkel(QRgb c) { return qGray(c) < 100; }

// A curve picture (Left, Top, Width, Height in the time diagram's units) drawn in a colour on a
// white time diagram at a pixel ratio, inside a clip rectangle in pixels (none if empty).
struct Kurvenauftrag {
    QRectF bild;
    QColor farbe;
    int ratio = 1;
    QRectF ausschnitt;
};

QRectF pixelrechteck(const QRectF &bild)
{
    return {zuPixel(Bild::Zeit, bild.left(), bild.top()),
            zuPixel(Bild::Zeit, bild.right(), bild.top() - bild.height())};
}

QImage weissesBild(int ratio)
{
    QImage b(408 * ratio, 386 * ratio, QImage::Format_RGB32);
    b.setDevicePixelRatio(ratio);
    b.fill(Qt::white);
    return b;
}

QImage maleKurve(const Kurvenauftrag &a, zivor::Strichdeckung *merker = nullptr)
{
    QImage b = weissesBild(a.ratio);
    QPainter p(&b);
    if (!a.ausschnitt.isEmpty())
        p.setClipRect(a.ausschnitt);
    zivor::zeichneKurve(p, pixelrechteck(a.bild), a.farbe, merker);
    return b;
}

// How a curve is painted besides plainly.
enum class Maler { Aufzeichnung, Gedreht, Deckkraft, Browserfenster };

// The ink of a curve whose colour has no red, column by column in device pixels.
std::vector<double> tinteJeSpalte(const QImage &b)
{
    std::vector<double> tinte(b.width(), 0.0);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            tinte[x] += (255 - qRed(b.pixel(x, y))) / 255.0;
    return tinte;
}

} // namespace

class TestBilder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(assets); }
    void fuelltFlaecheGenau_data();
    void fuelltFlaecheGenau();
    void linienScharfAmRaster_data();
    void linienScharfAmRaster();
    void pfeileUndTexte_data();
    void pfeileUndTexte();
    void kurveFolgtFormel_data();
    void kurveFolgtFormel();
    void kurvenstrichBreite_data();
    void kurvenstrichBreite();
    void kurveOhneFlaecheZeichnetNichts_data();
    void kurveOhneFlaecheZeichnetNichts();
    void gemerkterStrichFolgtAenderungen_data();
    void gemerkterStrichFolgtAenderungen();
    void kurveNachDenVorgabenDesMalers_data();
    void kurveNachDenVorgabenDesMalers();
    void symbol();
    void symbolAlsIcoDatei();
};

void TestBilder::fuelltFlaecheGenau_data()
{
    QTest::addColumn<Bild>("bild");
    QTest::addColumn<int>("ratio");
    // Corners that must be white: 0 top left, 1 top right, 2 bottom left, 3 bottom right. In
    // the phasor diagram the outer grid lines run along the left and bottom edges.
    QTest::addColumn<QList<int>>("weisseEcken");
    QTest::newRow("Zeiger 1") << Bild::Zeiger << 1 << QList<int>{1};
    QTest::newRow("Zeiger 2") << Bild::Zeiger << 2 << QList<int>{1};
    QTest::newRow("Zeit 1") << Bild::Zeit << 1 << QList<int>{0, 1, 2, 3};
    QTest::newRow("Zeit 2") << Bild::Zeit << 2 << QList<int>{0, 1, 2, 3};
}

// The picture covers its rectangle to the last pixel and leaves everything around it alone.
void TestBilder::fuelltFlaecheGenau()
{
    QFETCH(Bild, bild);
    QFETCH(int, ratio);
    QFETCH(QList<int>, weisseEcken);
    const QRgb grund = qRgb(255, 0, 255);
    const QImage b = male(bild, ratio, 3, grund);
    const QRect innen = b.rect().adjusted(3 * ratio, 3 * ratio, -3 * ratio, -3 * ratio);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            QCOMPARE(b.pixel(x, y) == grund, !innen.contains(x, y));
    const QPoint ecken[] = {innen.topLeft(), innen.topRight(), innen.bottomLeft(),
                            innen.bottomRight()};
    for (const int i : weisseEcken)
        QVERIFY(istWeiss(b.pixel(ecken[i])));
}

void TestBilder::linienScharfAmRaster_data()
{
    QTest::addColumn<Bild>("bild");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<bool>("senkrecht");
    QTest::addColumn<double>("lage");    // x of a vertical, y of a horizontal line
    QTest::addColumn<double>("entlang"); // where along the line it is probed
    QTest::addColumn<QRgb>("farbe");
    const QRgb gelb = qRgb(255, 255, 0);
    const QRgb schwarz = qRgb(0, 0, 0);
    for (const int r : {1, 2}) {
        const auto zeile = [r](const char *name) -> QTestData & {
            return QTest::addRow("%s, ratio %d", name, r);
        };
        zeile("Zeiger Re-Achse") << Bild::Zeiger << r << false << 0.39 << -50.0 << schwarz;
        zeile("Zeiger x=39.83") << Bild::Zeiger << r << true << 39.83 << 50.0 << gelb;
        zeile("Zeiger x=-99.61 am Rand") << Bild::Zeiger << r << true << -99.61 << -30.0 << gelb;
        zeile("Zeiger y=-99.33 am Rand") << Bild::Zeiger << r << false << -99.33 << 30.0 << gelb;
        zeile("Zeit t-Achse") << Bild::Zeit << r << false << 0.02 << 525.0 << schwarz;
        zeile("Zeit f-Achse") << Bild::Zeit << r << true << -0.12 << -55.0 << schwarz;
        zeile("Zeit x=-50.15") << Bild::Zeit << r << true << -50.15 << 45.0 << gelb;
        zeile("Zeit y=99.45 oben") << Bild::Zeit << r << false << 99.45 << 525.0 << gelb;
        zeile("Zeit y=-39.76") << Bild::Zeit << r << false << -39.76 << 125.0 << gelb;
    }
}

// A 1-px line lies in the pixel the conversion predicts, in its pure colour, one device pixel
// wide at ratio 1 and at most two at ratio 2, with white on both sides.
void TestBilder::linienScharfAmRaster()
{
    QFETCH(Bild, bild);
    QFETCH(int, ratio);
    QFETCH(bool, senkrecht);
    QFETCH(double, lage);
    QFETCH(double, entlang);
    QFETCH(QRgb, farbe);
    const QImage b = male(bild, ratio);
    const QPointF p = senkrecht ? zuPixel(bild, lage, entlang) : zuPixel(bild, entlang, lage);
    const int laengs = static_cast<int>((senkrecht ? p.y() : p.x()) * ratio);
    const auto an = [&](int q) {
        const QPoint d = senkrecht ? QPoint(q, laengs) : QPoint(laengs, q);
        return b.valid(d) ? b.pixel(d) & 0xffffff : 0xffffffu;
    };
    const int mitte = static_cast<int>((senkrecht ? p.x() : p.y()) * ratio);
    QCOMPARE(an(mitte), farbe & 0xffffff);
    int anfang = mitte;
    int ende = mitte;
    while (an(anfang - 1) == an(mitte))
        --anfang;
    while (an(ende + 1) == an(mitte))
        ++ende;
    QVERIFY(ende - anfang + 1 <= ratio);
    QVERIFY(istWeiss(an(anfang - 1)));
    QVERIFY(istWeiss(an(ende + 1)));
}

void TestBilder::pfeileUndTexte_data()
{
    QTest::addColumn<Bild>("bild");
    QTest::addColumn<QRectF>("kasten"); // left, bottom, width, height in units (y upwards)
    QTest::addColumn<double>("tinte");  // dark pixels at ratio 1, four times as many at ratio 2
    // An arrowhead fills half of the box between its base and its tip.
    const auto dreieck = [](Bild b, QRectF k) {
        const QPointF d = zuPixel(b, k.right(), k.top()) - zuPixel(b, k.left(), k.bottom());
        return std::abs(d.x() * d.y()) / 2;
    };
    const QRectF zeigerRechts(93.62, -0.81, 5.86, 2.4), zeigerOben(-1.21, 94.13, 2.39, 5.87);
    const QRectF zeitRechts(885.16, -1.19, 14.84, 2.4), zeitOben(-3.11, 93.49, 5.98, 5.96);
    QTest::newRow("Zeiger Pfeil rechts") << Bild::Zeiger << zeigerRechts << dreieck(Bild::Zeiger, zeigerRechts);
    QTest::newRow("Zeiger Pfeil oben") << Bild::Zeiger << zeigerOben << dreieck(Bild::Zeiger, zeigerOben);
    QTest::newRow("Zeit Pfeil rechts") << Bild::Zeit << zeitRechts << dreieck(Bild::Zeit, zeitRechts);
    QTest::newRow("Zeit Pfeil oben") << Bild::Zeit << zeitOben << dreieck(Bild::Zeit, zeitOben);
    // Character cells above the labels' base lines, with the ink of the label as drawn in
    // the substitute face.
    QTest::newRow("Zeiger Re") << Bild::Zeiger << QRectF(86.32, -11.89, 12, 7) << 64.0;
    QTest::newRow("Zeiger 8") << Bild::Zeiger << QRectF(-6.75, 75.43, 5, 7) << 35.0;
    QTest::newRow("Zeit f(t)") << Bild::Zeit << QRectF(-34.97, 91.21, 30, 7) << 31.0;
    QTest::newRow("Zeit 40 aus Strichen") << Bild::Zeit << QRectF(790.58, -9.09, 18.55, 6) << 35.0;
    QTest::newRow("Zeit t/ms") << Bild::Zeit << QRectF(850.5, -13.17, 35, 7) << 29.0;
}

// Arrowheads are filled and every label leaves its ink in its cell, at both ratios.
void TestBilder::pfeileUndTexte()
{
    QFETCH(Bild, bild);
    QFETCH(QRectF, kasten);
    QFETCH(double, tinte);
    for (const int ratio : {1, 2}) {
        const QImage b = male(bild, ratio);
        const QPoint lo = geraetepixel(zuPixel(bild, kasten.left(), kasten.bottom()), ratio);
        const QPoint ru = geraetepixel(zuPixel(bild, kasten.right(), kasten.top()), ratio);
        int dunkel = 0;
        for (int y = lo.y(); y <= ru.y(); ++y)
            for (int x = lo.x(); x <= ru.x(); ++x)
                dunkel += b.valid(x, y) && istDunkel(b.pixel(x, y)) ? 1 : 0;
        const double soll = tinte * ratio * ratio;
        QVERIFY2(dunkel >= 0.7 * soll && dunkel <= 1.6 * soll,
                 qPrintable(QStringLiteral("ratio %1: %2 dark pixels").arg(ratio).arg(dunkel)));
    }
}

void TestBilder::kurveFolgtFormel_data()
{
    QTest::addColumn<QRectF>("bild"); // Left, Top, Width, Height in the time diagram's units
    QTest::addColumn<QColor>("farbe");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<QPointF>("versatz");   // painter translation, as for a child widget
    QTest::addColumn<QRectF>("ausschnitt"); // clip rectangle in pixels; empty for none
    const QRectF hz50(-750, 100, 1600, 200);  // function 1 at start
    const QRectF hz25(-1300, 100, 3200, 200); // reaching far out to the left
    const QRectF hz100(-375, 50, 800, 100);   // amplitude 5, ends inside the diagram
    const QColor gruen(0x00, 0xcc, 0x99);
    const QColor rot(0xff, 0x33, 0x00);
    const QColor blau(0x33, 0x33, 0xcc);
    QTest::newRow("50 Hz") << hz50 << gruen << 1 << QPointF() << QRectF();
    QTest::newRow("100 Hz") << hz100 << blau << 1 << QPointF() << QRectF();
    QTest::newRow("25 Hz, ratio 2") << hz25 << rot << 2 << QPointF() << QRectF();
    QTest::newRow("verschoben") << hz25 << blau << 1 << QPointF(40, 12) << QRectF();
    QTest::newRow("beschnitten") << hz25 << gruen << 1 << QPointF() << QRectF(200, 0, 150, 386);
}

// Pixels of the curve's colour lie where x = L + W (4 + 768 s) / 3090 and
// y = T - H (1125.5 + 1120.5 sin 2 pi s) / 2260 put the wave, across the visible part of a
// picture that may reach far outside the diagram; right of the wave's end all stays white.
void TestBilder::kurveFolgtFormel()
{
    QFETCH(QRectF, bild);
    QFETCH(QColor, farbe);
    QFETCH(int, ratio);
    QFETCH(QPointF, versatz);
    QFETCH(QRectF, ausschnitt);
    const QPointF lo = zuPixel(Bild::Zeit, bild.left(), bild.top());
    const QPointF ru = zuPixel(Bild::Zeit, bild.right(), bild.top() - bild.height());
    QImage b(408 * ratio, 386 * ratio, QImage::Format_RGB32);
    b.setDevicePixelRatio(ratio);
    b.fill(Qt::white);
    {
        QPainter p(&b);
        p.translate(versatz);
        if (!ausschnitt.isEmpty())
            p.setClipRect(ausschnitt);
        zivor::zeichneKurve(p, QRectF(lo, ru), farbe);
    }

    const QRectF sichtbar =
        ausschnitt.isEmpty() ? QRectF(0, 0, 408, 386) : ausschnitt.translated(versatz);
    // A pixel of the antialiased line is the colour blended over white, with a coverage of
    // at least a third.
    int geprueft = 0;
    for (int k = 0; k <= 4 * 184; k += 7) {
        const double s = k / 184.0;
        const double x = bild.left() + bild.width() * (4 + 768 * s) / 3090;
        const double y = bild.top()
                         - bild.height() * (1125.5 + 1120.5 * std::sin(2 * std::numbers::pi * s))
                               / 2260;
        const QPointF soll = zuPixel(Bild::Zeit, x, y) + versatz;
        if (!sichtbar.adjusted(2, 2, -2, -2).contains(soll))
            continue;
        const QPoint d = geraetepixel(soll, ratio);
        bool gefunden = false;
        for (int dy = -2 * ratio; dy <= 2 * ratio; ++dy)
            for (int dx = -2 * ratio; dx <= 2 * ratio; ++dx)
                gefunden = gefunden || ueberWeiss(b.pixel(d + QPoint(dx, dy)), farbe, 0.33);
        QVERIFY2(gefunden, qPrintable(QStringLiteral("s = %1").arg(s)));
        ++geprueft;
    }
    QVERIFY(geprueft >= 10);
    // Nothing is painted outside the clip.
    if (!ausschnitt.isEmpty()) {
        const QRect erlaubt = QRectF(sichtbar.topLeft() * ratio, sichtbar.size() * ratio).toAlignedRect();
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                QVERIFY(erlaubt.contains(x, y) || istWeiss(b.pixel(x, y)));
    }
    const double ende = zuPixel(Bild::Zeit, bild.left() + bild.width() * 3076 / 3090, 0).x();
    for (int x = static_cast<int>((ende + versatz.x() + 3) * ratio); x < b.width(); ++x)
        for (int y = 0; y < b.height(); ++y)
            QVERIFY(istWeiss(b.pixel(x, y)));
}

void TestBilder::kurvenstrichBreite_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("frequenz");
    QTest::addColumn<QImage::Format>("format");
    for (const double ratio : {1.0, 1.25, 1.5, 2.0})
        for (const double frequenz : {25.0, 50.0, 100.0})
            QTest::addRow("ratio %g, %g Hz", ratio, frequenz) << ratio << frequenz << QImage::Format_RGB32;
    // Pictures of another pixel format take the same stroke.
    QTest::newRow("24 Bit, ratio 1, 25 Hz") << 1.0 << 25.0 << QImage::Format_RGB888;
    QTest::newRow("24 Bit, ratio 2, 50 Hz") << 2.0 << 50.0 << QImage::Format_RGB888;
}

// The drawing's 6-unit line is stretched with the picture: the pen is an ellipse 6 W / 3090 by
// 6 H / 2260 pixels (W, H the picture's size in pixels), but at least one device pixel across.
// Where the wave crosses its centre line, a row of device pixels cuts the stroke over
// 2 sqrt(a^2 + b^2 cot^2 t) pixels, a and b the ellipse's half axes and t the slope angle; the
// antialiased coverage summed along that row is that length.
void TestBilder::kurvenstrichBreite()
{
    QFETCH(double, ratio);
    QFETCH(double, frequenz);
    QFETCH(QImage::Format, format);
    const double w = std::nearbyint(80000.0 / frequenz);
    const QRectF bild(-(500.0 + 250.0) / (frequenz / 50.0), 100, w, 200); // function 1 at start
    const QPointF lo = zuPixel(Bild::Zeit, bild.left(), bild.top());
    const QPointF ru = zuPixel(Bild::Zeit, bild.right(), bild.top() - bild.height());
    const QSize groesse(static_cast<int>(std::ceil(408 * ratio)), static_cast<int>(std::ceil(386 * ratio)));
    QImage b(groesse, format);
    b.setDevicePixelRatio(ratio);
    b.fill(Qt::white);
    {
        QPainter p(&b);
        zivor::zeichneKurve(p, QRectF(lo, ru), QColor(0x00, 0xcc, 0x99));
    }

    const double breitePx = ru.x() - lo.x();
    const double hoehePx = ru.y() - lo.y();
    const double duennste = 0.5 / ratio;
    const double a = std::max(3.0 * breitePx / 3090, duennste);
    const double halbB = std::max(3.0 * hoehePx / 2260, duennste);
    // At a crossing of the centre line: dx/ds = W 768 / 3090, dy/ds = H 1120.5 2 pi / 2260.
    const double cot = (breitePx * 768 / 3090) / (hoehePx * 1120.5 * 2 * std::numbers::pi / 2260);
    const double soll = 2 * std::sqrt(a * a + halbB * halbB * cot * cot) * ratio;

    // The crossing at s = 2.5, near the middle of the diagram at every frequency here.
    const double x = bild.left() + bild.width() * (4 + 768 * 2.5) / 3090;
    const double y = bild.top() - bild.height() * 1125.5 / 2260;
    const QPointF kreuzung = zuPixel(Bild::Zeit, x, y) * ratio;
    QVERIFY(kreuzung.x() > 20 && kreuzung.x() < b.width() - 20);
    const int zeile = static_cast<int>(std::floor(kreuzung.y()));
    double deckung = 0.0;
    for (int i = static_cast<int>(kreuzung.x()) - 12; i <= static_cast<int>(kreuzung.x()) + 12; ++i)
        deckung += (255 - qRed(b.pixel(i, zeile))) / 255.0; // the curve's red is 0
    QVERIFY2(std::abs(deckung - soll) <= 0.05 * soll + 0.03,
             qPrintable(QStringLiteral("%1 device pixels, expected %2").arg(deckung).arg(soll)));
}

void TestBilder::kurveOhneFlaecheZeichnetNichts_data()
{
    QTest::addColumn<QRectF>("ziel");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double unendlich = std::numeric_limits<double>::infinity();
    QTest::newRow("Hoehe 0") << QRectF(0, 100, 400, 0);
    QTest::newRow("Hoehe negativ") << QRectF(0, 300, 400, -200);
    QTest::newRow("Breite negativ") << QRectF(400, 0, -400, 300);
    QTest::newRow("Left NaN") << QRectF(nan, 0, 400, 300);
    QTest::newRow("Breite unendlich") << QRectF(0, 0, unendlich, 300);
}

void TestBilder::kurveOhneFlaecheZeichnetNichts()
{
    QFETCH(QRectF, ziel);
    QImage b(408, 386, QImage::Format_RGB32);
    b.fill(Qt::white);
    const QImage leer = b;
    {
        QPainter p(&b);
        zivor::zeichneKurve(p, ziel, Qt::black);
    }
    QVERIFY(b == leer);
}

void TestBilder::gemerkterStrichFolgtAenderungen_data()
{
    QTest::addColumn<Kurvenauftrag>("erst");
    QTest::addColumn<Kurvenauftrag>("dann");
    const QRectF hz50(-750, 100, 1600, 200);
    const QRectF hz100(-375, 50, 800, 100);
    const QColor gruen(0x00, 0xcc, 0x99);
    const QColor blau(0x33, 0x33, 0xcc);
    const QRectF streifen(200, 0, 150, 386);
    const Kurvenauftrag start{hz50, gruen, 1, {}};
    QTest::newRow("unverändert") << start << start;
    QTest::newRow("Ausschnitt wächst") << Kurvenauftrag{hz50, gruen, 1, streifen} << start;
    QTest::newRow("Ausschnitt schrumpft") << start << Kurvenauftrag{hz50, gruen, 1, streifen};
    QTest::newRow("andere Farbe") << start << Kurvenauftrag{hz50, blau, 1, {}};
    QTest::newRow("anderes Rechteck") << start << Kurvenauftrag{hz100, gruen, 1, {}};
    QTest::newRow("anderes Pixelverhältnis") << Kurvenauftrag{hz50, gruen, 2, {}} << start;
}

// A curve picture keeps its stroke from one painting to the next; whatever changed in between,
// the next painting looks exactly as if nothing had been kept.
void TestBilder::gemerkterStrichFolgtAenderungen()
{
    QFETCH(Kurvenauftrag, erst);
    QFETCH(Kurvenauftrag, dann);
    zivor::Strichdeckung merker;
    maleKurve(erst, &merker);
    QVERIFY(maleKurve(dann, &merker) == maleKurve(dann));
}

void TestBilder::kurveNachDenVorgabenDesMalers_data()
{
    QTest::addColumn<Maler>("maler");
    QTest::addColumn<double>("anteil"); // of the ink of the plain painting
    QTest::newRow("aufgezeichnet und abgespielt") << Maler::Aufzeichnung << 1.0;
    QTest::newRow("um 180 Grad gedreht") << Maler::Gedreht << 1.0;
    QTest::newRow("Deckkraft 0,5") << Maler::Deckkraft << 0.5;
    QTest::newRow("ins Format der Browserfenster (RGBX8888)") << Maler::Browserfenster << 1.0;
}

// The stroke is painted as the painter says: recorded for a vector device and played back, or
// through a painter turned upside down, or onto a picture in the browser's window format, it is
// the same stroke; the painter's opacity thins it.
void TestBilder::kurveNachDenVorgabenDesMalers()
{
    QFETCH(Maler, maler);
    QFETCH(double, anteil);
    const Kurvenauftrag auftrag{QRectF(-750, 100, 1600, 200), QColor(0x00, 0xcc, 0x99), 1, {}};
    const std::vector<double> bezug = tinteJeSpalte(maleKurve(auftrag));
    QImage b = weissesBild(1);
    if (maler == Maler::Browserfenster)
        b.convertTo(QImage::Format_RGBX8888);
    {
        QPainter p(&b);
        if (maler == Maler::Aufzeichnung) {
            QPicture aufzeichnung; // a vector device of the diagram's size, like a page
            aufzeichnung.setBoundingRect(QRect(0, 0, 408, 386));
            QPainter q(&aufzeichnung);
            zivor::zeichneKurve(q, pixelrechteck(auftrag.bild), auftrag.farbe);
            q.end();
            p.drawPicture(0, 0, aufzeichnung);
        } else {
            if (maler == Maler::Gedreht) {
                p.translate(408, 386);
                p.rotate(180);
            } else if (maler == Maler::Deckkraft) {
                p.setOpacity(0.5);
            }
            zivor::zeichneKurve(p, pixelrechteck(auftrag.bild), auftrag.farbe);
        }
    }
    // Column by column, mirrored where the painter is turned.
    const std::vector<double> tinte = tinteJeSpalte(b);
    for (std::size_t x = 0; x < tinte.size(); ++x) {
        const double soll = anteil * bezug[maler == Maler::Gedreht ? tinte.size() - 1 - x : x];
        QVERIFY2(std::abs(tinte[x] - soll) <= 0.05 * soll + 0.1,
                 qPrintable(QStringLiteral("column %1: %2 device pixels of ink, expected %3").arg(x).arg(tinte[x]).arg(soll)));
    }
}

// The icon: black drawing and yellow zig-zag on a white ground that reaches the corners.
// About 220 px of 1-px black line (roof, pillars, body, base, less where they meet or the
// zig-zag crosses) and 33 px of 2-px yellow stroke; the rest is white.
void TestBilder::symbol()
{
    QSvgRenderer svg(QStringLiteral(":/zivor/symbol.svg"));
    QVERIFY(svg.isValid());
    QCOMPARE(svg.defaultSize(), QSize(32, 32));
    QImage b(32, 32, QImage::Format_RGB32);
    b.fill(Qt::gray);
    {
        QPainter p(&b);
        svg.render(&p);
    }
    int weiss = 0;
    int dunkel = 0;
    int gelb = 0;
    for (int i = 0; i < 32 * 32; ++i) {
        const QRgb c = b.pixel(i % 32, i / 32);
        weiss += istWeiss(c) ? 1 : 0;
        dunkel += istDunkel(c) ? 1 : 0;
        gelb += (qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 100) ? 1 : 0;
    }
    QVERIFY(istWeiss(b.pixel(0, 0)) && istWeiss(b.pixel(31, 31)));
    QVERIFY2(weiss >= 650 && weiss <= 800, qPrintable(QString::number(weiss)));
    QVERIFY2(dunkel >= 150 && dunkel <= 220, qPrintable(QString::number(dunkel)));
    QVERIFY2(gelb >= 50 && gelb <= 70, qPrintable(QString::number(gelb)));
}

// The Windows icon file carries every picture as it was: Qt's own reader of .ico files gives
// them back pixel for pixel, in their order, transparency included, the 256-pixel one too.
void TestBilder::symbolAlsIcoDatei()
{
    QSvgRenderer svg(QStringLiteral(":/zivor/symbol.svg"));
    QList<QImage> bilder;
    for (const int seite : {16, 32, 48, 256}) {
        QImage b(seite, seite, QImage::Format_ARGB32);
        b.fill(Qt::transparent);
        QPainter p(&b);
        svg.render(&p, QRectF(0, seite / 4.0, seite, seite / 2.0)); // a band, clear above and below
        p.end();
        b.setPixel(seite - 1, 0, qRgba(10, 20, 30, 128)); // half transparent, straight alpha
        bilder << b;
    }
    const QByteArray ico = zivor::icoDatei(bilder);
    QBuffer puffer;
    puffer.setData(ico);
    QImageReader leser(&puffer, "ico");
    QCOMPARE(leser.imageCount(), bilder.size());
    for (qsizetype i = 0; i < bilder.size(); ++i) {
        QVERIFY(leser.jumpToImage(static_cast<int>(i)));
        const QImage gelesen = leser.read().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!gelesen.isNull(), qPrintable(leser.errorString()));
        QCOMPARE(gelesen.size(), bilder[i].size());
        QCOMPARE(gelesen, bilder[i]);
    }
    QVERIFY(zivor::icoDatei({QImage(16, 8, QImage::Format_ARGB32)}).isEmpty());
    QVERIFY(zivor::icoDatei({QImage(512, 512, QImage::Format_ARGB32)}).isEmpty());
}

QTEST_MAIN(TestBilder)
#include "test_bilder.moc"
