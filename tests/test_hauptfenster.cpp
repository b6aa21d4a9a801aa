// The main window as it opens: every control by name with its place, text, colours and
// state, the curve state after loading, the time diagram's curve pictures, pixels of the
// drawn diagrams and curves, what lies in front of what; the curve selection.

#include "app/formzivor.h"
#include "tests/farbanteil.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTest>

class TestHauptfenster : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void fenster();
    void steuerelemente_data();
    void steuerelemente();
    void textfelderUndFarben();
    void tabfolge();
    void frequenzfeldDecktNurDieLuecke();
    void kurvenzustandNachDemLaden();
    void kurvenbilderNachDemLaden();
    void zeigerAmStart();
    void gezeichneteDiagramme();
    void kurvenfarbenUndReihenfolge_data();
    void kurvenfarbenUndReihenfolge();
    void stapelfolge_data();
    void stapelfolge();
    void auswahlGesamtNimmtFunktion2Mit();
    void auswahlFunktion2AbwaehlenLaesstSumme();
    void auswahlFunktion1Abwaehlen();

private:
    static QObject *element(Formzivor &f, const char *name)
    {
        QObject *o = f.findChild<QObject *>(QLatin1String(name));
        if (o == nullptr)
            qFatal("missing control %s", name);
        return o;
    }
    template <typename T>
    static T *control(Formzivor &f, const char *name)
    {
        T *w = f.findChild<T *>(QLatin1String(name));
        if (w == nullptr)
            qFatal("missing control %s", name);
        return w;
    }
    static double prop(Formzivor &f, const char *name, const char *eigenschaft)
    {
        return element(f, name)->property(eigenschaft).toDouble();
    }
    static bool sichtbar(Formzivor &f, const char *name)
    {
        QObject *o = element(f, name);
        if (auto *w = qobject_cast<QWidget *>(o))
            return !w->isHidden();
        return o->property("Visible").toBool();
    }
};

void TestHauptfenster::fenster()
{
    Formzivor f;
    QCOMPARE(f.objectName(), QStringLiteral("Formzivor"));
    QCOMPARE(f.windowTitle(), QStringLiteral("KAVO- Zeitfunktion und Bildebene"));
    QCOMPARE(f.centralWidget()->size(), QSize(808, 612));
    QCOMPARE(f.minimumSize(), f.maximumSize());
    QVERIFY(!(f.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.windowFlags() & Qt::WindowCloseButtonHint);
    // The icon is the program's symbol drawing (whose pixels test_bilder counts).
    QSvgRenderer zeichnung(QStringLiteral(":/zivor/symbol.svg"));
    QVERIFY(zeichnung.isValid());
    QImage symbol(32, 32, QImage::Format_ARGB32_Premultiplied);
    symbol.fill(Qt::transparent);
    {
        QPainter p(&symbol);
        zeichnung.render(&p);
    }
    QCOMPARE(f.windowIcon().pixmap(32, 32).toImage().convertToFormat(symbol.format()), symbol);
    QCOMPARE(f.centralWidget()->palette().color(QPalette::Window), QColor(255, 255, 255));

    const QStringList namen{QStringLiteral("menubeenden"), QStringLiteral("menuhilfe"),
                            QStringLiteral("menuaufgaben")};
    const QStringList texte{QStringLiteral("&Beenden"), QStringLiteral("&Hilfe"), QStringLiteral("&Aufgaben")};
    for (int i = 0; i < 3; ++i) {
        auto *a = f.findChild<QAction *>(namen[i]);
        QVERIFY(a != nullptr);
        QCOMPARE(a->text(), texte[i]);
        QVERIFY(a->isEnabled() && a->isVisible());
    }

    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QRect schirm = f.screen()->availableGeometry();
    // (the offscreen screen is narrower than the window, which the platform may nudge)
    QVERIFY2(qAbs(f.geometry().center().x() - schirm.center().x()) <= 4, qPrintable(QStringLiteral("%1 %2").arg(f.geometry().center().x()).arg(schirm.center().x())));
}

void TestHauptfenster::steuerelemente_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixel");
    QTest::addColumn<bool>("gezeigt");
    QTest::addColumn<bool>("aktiv");
    auto zeile = [](const char *n, int x, int y, int w, int h, bool gezeigt, bool aktiv = true) {
        QTest::newRow(n) << QString::fromLatin1(n) << QRect(x, y, w, h) << gezeigt << aktiv;
    };
    zeile("Checklinie(0)", 6, 411, 97, 25, true);
    zeile("Checklinie(1)", 6, 435, 97, 25, true);
    zeile("Checklinie(2)", 6, 459, 97, 25, true);
    zeile("Text1(0)", 390, 411, 79, 20, true);
    zeile("Text1(1)", 390, 435, 79, 20, false);
    zeile("Text1(2)", 390, 459, 79, 20, false);
    zeile("Textampl(0)", 468, 411, 34, 20, true);
    zeile("Textampl(1)", 468, 435, 34, 20, false);
    zeile("Textampl(2)", 468, 459, 34, 20, false);
    zeile("Text1(3)", 501, 411, 79, 20, true);
    zeile("Text1(4)", 501, 435, 79, 20, false);
    zeile("Text1(5)", 501, 459, 79, 20, false);
    zeile("Textwinkel(0)", 579, 411, 43, 20, true);
    zeile("Textwinkel(1)", 579, 435, 43, 20, false);
    zeile("Textwinkel(2)", 579, 459, 43, 20, false);
    zeile("Label", 666, 417, 133, 22, true);
    zeile("Textf", 735, 417, 31, 17, true);
    zeile("HScroll3", 666, 441, 136, 16, true);
    zeile("Picture2", 0, 18, 390, 390, true);
    zeile("Picture1", 390, 18, 412, 390, true);
    zeile("Label1(2)", 18, 6, 4, 4, false);
    zeile("Frame1", 6, 519, 790, 88, false);
    zeile("Labelaufgabe", 6, 12, 496, 43, true);
    zeile("Commandaufgabe(0)", 6, 57, 85, 25, true);
    zeile("Commandaufgabe(1)", 96, 57, 85, 25, true, false);
    zeile("Commandaufgabe(2)", 186, 57, 85, 25, false, false);
    zeile("Commandaufgabe(3)", 276, 57, 85, 25, false, false);
    zeile("Commandaufgabe(4)", 366, 57, 85, 25, false, false);
    zeile("Command2", 699, 15, 85, 25, true, false);
    zeile("Command1", 699, 45, 85, 25, true);
}

void TestHauptfenster::steuerelemente()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixel);
    QFETCH(bool, gezeigt);
    QFETCH(bool, aktiv);
    Formzivor f;
    auto *w = f.findChild<QWidget *>(name);
    QVERIFY2(w != nullptr, qPrintable(name));
    QCOMPARE(w->geometry(), pixel);
    QCOMPARE(!w->isHidden(), gezeigt);
    QCOMPARE(w->isEnabled(), aktiv);
    const bool imFeld = name.startsWith(QLatin1String("Command")) || name == QLatin1String("Labelaufgabe");
    QCOMPARE(w->parentWidget(), imFeld ? f.findChild<QWidget *>(QStringLiteral("Frame1")) : f.centralWidget());
}

void TestHauptfenster::textfelderUndFarben()
{
    Formzivor f;
    struct Feld {
        const char *name;
        const char *text;
        QColor farbe;
        int laenge;
    };
    const QColor gruen(0, 192, 0), rot(255, 0, 0), blau(0, 0, 255);
    const Feld felder[] = {
        {"Textampl(0)", "10", gruen, 5},     {"Textampl(1)", "1", rot, 5},
        {"Textampl(2)", "1", blau, 5},       {"Textwinkel(0)", "45°", gruen, 5},
        {"Textwinkel(1)", "1", rot, 5},      {"Textwinkel(2)", "1", blau, 5},
        {"Text1(0)", "Amplitude:", gruen, -1}, {"Text1(2)", "Amplitude:", blau, -1},
        {"Text1(4)", "Winkel:", rot, -1},    {"Textf", "50", QColor(0, 0, 0), 3},
    };
    for (const Feld &feld : felder) {
        auto *e = f.findChild<QLineEdit *>(QLatin1String(feld.name));
        QVERIFY2(e != nullptr, feld.name);
        QCOMPARE(e->text(), QString::fromUtf8(feld.text));
        QCOMPARE(e->palette().color(QPalette::Text), feld.farbe);
        QVERIFY2(e->isReadOnly(), feld.name);
        if (feld.laenge > 0)
            QCOMPARE(e->maxLength(), feld.laenge);
        QVERIFY(e->font().bold());
        QCOMPARE(e->font().pointSizeF(), feld.laenge == 3 ? 8.25 : 9.75);
    }
    QCOMPARE(f.findChild<QLineEdit *>(QStringLiteral("Textf"))->palette().color(QPalette::Base),
             QColor(255, 255, 255));

    const char *auswahl[] = {"Funktion 1", "Funktion 2", "Gesamt:"};
    const QColor auswahlfarbe[] = {gruen, rot, QColor(0, 0, 192)};
    for (int i = 0; i < 3; ++i) {
        auto *c = f.findChild<QCheckBox *>(QStringLiteral("Checklinie(%1)").arg(i));
        QCOMPARE(c->text(), QLatin1String(auswahl[i]));
        QCOMPARE(c->isChecked(), i == 0);
        QCOMPARE(c->palette().color(QPalette::WindowText), auswahlfarbe[i]);
    }
    QCOMPARE(control<QLabel>(f, "Label")->text(), QStringLiteral("Frequenz:         Hz"));
    QCOMPARE(control<QLabel>(f, "Labelaufgabe")->text(), QStringLiteral("Aufgabe:"));
    QCOMPARE(control<QPushButton>(f, "Command2")->text(), QStringLiteral("Lösung"));
    QCOMPARE(control<QPushButton>(f, "Command1")->text(), QStringLiteral("Beenden"));
    QCOMPARE(control<QPushButton>(f, "Commandaufgabe(0)")->text(), QStringLiteral("Aufgabe1"));
    for (int i = 1; i < 5; ++i)
        QCOMPARE(f.findChild<QPushButton *>(QStringLiteral("Commandaufgabe(%1)").arg(i))->text(),
                 QStringLiteral("Aufgabe2"));
    auto *regler = control<QScrollBar>(f, "HScroll3");
    QCOMPARE(regler->minimum(), 800);
    QCOMPARE(regler->maximum(), 3200);
    QCOMPARE(regler->value(), 1600);
    QCOMPARE(qMin(regler->singleStep(), regler->pageStep()), 1);
    QCOMPARE(qMax(regler->singleStep(), regler->pageStep()), 50);
    QCOMPARE(element(f, "Label1(2)")->property("Tag").toString(), QStringLiteral("1"));
    QCOMPARE(prop(f, "Label1(2)", "Left"), 270.0);
    QCOMPARE(prop(f, "Label1(2)", "Top"), 90.0);
}

void TestHauptfenster::tabfolge()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const char *folge[] = {"Picture1", "HScroll3", "Picture2", "Checklinie(0)", "Checklinie(1)",
                           "Checklinie(2)", "Textf", "Textampl(0)", "Text1(0)", "Text1(3)", "Textwinkel(0)"};
    QWidget *w = control<QWidget>(f, folge[0]);
    w->setFocus();
    for (std::size_t i = 1; i < std::size(folge); ++i) {
        w = w->nextInFocusChain();
        while (!(w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)))
            w = w->nextInFocusChain();
        QCOMPARE(w->objectName(), QLatin1String(folge[i]));
    }
}

void TestHauptfenster::frequenzfeldDecktNurDieLuecke()
{
    // "Frequenz:" ends left of the frequency field, "Hz" begins right of it: the field
    // covers only the blanks between the two words.
    Formzivor f;
    auto *label = control<QLabel>(f, "Label");
    const QRect feld = control<QWidget>(f, "Textf")->geometry().translated(-label->pos());
    const QImage bild = label->grab().toImage();
    auto dunkel = [&bild](int x) {
        for (int y = 0; y < bild.height(); ++y)
            if (QColor(bild.pixel(x, y)).lightness() < 100)
                return true;
        return false;
    };
    bool links = false, rechts = false;
    for (int x = 0; x < bild.width(); ++x) {
        if (x < feld.left())
            links = links || dunkel(x);
        else if (x > feld.right())
            rechts = rechts || dunkel(x);
        else
            QVERIFY2(!dunkel(x), qPrintable(QString::number(x)));
    }
    QVERIFY(links && rechts);
}

void TestHauptfenster::kurvenzustandNachDemLaden()
{
    Formzivor f;
    QCOMPARE(f.frequenz, 50.0f);
    QCOMPARE(f.verschiebung[0], -250.0f);
    QCOMPARE(f.verschiebung[1], -150.0f);
    QCOMPARE(f.verschiebung[2], 0.0f);
    QCOMPARE(f.amplitude[0], 10.0f);
    QCOMPARE(f.amplitude[1], 10.0f);
    QCOMPARE(f.amplitude[2], 0.0f);
    QCOMPARE(f.zielfrequenz, quint8(0));
    QCOMPARE(f.zeigerlaenge[0], quint8(0));
    QCOMPARE(f.zeigerwinkel[0], qint16(0));
    QCOMPARE(f.aufgabennummer, quint8(0));
    QCOMPARE(f.punktegesamt, quint8(0));
    QCOMPARE(f.zeigernummer, quint8(0));
    // The shown start angles convert back to the start shifts.
    QCOMPARE(f.f_winkelumr(45), -250.0f);
    QCOMPARE(f.f_winkelumr(-45), -150.0f);
    QCOMPARE(f.f_winkelumr(360), -600.0f);
}

void TestHauptfenster::kurvenbilderNachDemLaden()
{
    Formzivor f;
    QCOMPARE(prop(f, "Image2(0)", "Left"), -750.0);
    QCOMPARE(prop(f, "Image2(0)", "Width"), 1600.0);
    QCOMPARE(prop(f, "Image2(0)", "Top"), 100.0);
    QCOMPARE(prop(f, "Image2(0)", "Height"), 200.0);
    QCOMPARE(prop(f, "Image2(1)", "Left"), -650.0);
    QCOMPARE(prop(f, "Image2(2)", "Left"), -500.0);
    QCOMPARE(prop(f, "Image2(2)", "Height"), 0.0);
    QVERIFY(sichtbar(f, "Image2(0)"));
    QVERIFY(!sichtbar(f, "Image2(1)"));
    QVERIFY(!sichtbar(f, "Image2(2)"));

    // A redraw at 62.5 Hz shows 62 and keeps the amplitude's vertical placement.
    f.frequenz = 62.5f;
    f.f_frequenzeinst();
    QCOMPARE(control<QLineEdit>(f, "Textf")->text(), QStringLiteral("62"));
    QCOMPARE(prop(f, "Image2(0)", "Width"), 1280.0);
    QCOMPARE(prop(f, "Image2(0)", "Left"), -600.0);
    QCOMPARE(prop(f, "Image2(0)", "Top"), 100.0);
}

void TestHauptfenster::zeigerAmStart()
{
    Formzivor f;
    QCOMPARE(prop(f, "Line1(0)", "X1"), 0.0);
    QCOMPARE(prop(f, "Line1(0)", "Y1"), 0.0);
    QCOMPARE(prop(f, "Line1(0)", "X2"), 67.44);
    QCOMPARE(prop(f, "Line1(0)", "Y2"), 67.44);
    QCOMPARE(prop(f, "Line1(1)", "X2"), 68.99);
    QCOMPARE(prop(f, "Line1(1)", "Y2"), -72.09);
    QCOMPARE(prop(f, "Line1(2)", "X2"), 134.0);
    QCOMPARE(prop(f, "Line1(2)", "Y2"), 0.0);
    QCOMPARE(prop(f, "Label1(0)", "Left"), 67.44);
    QCOMPARE(prop(f, "Label1(0)", "Top"), 68.99);
    QCOMPARE(prop(f, "Label1(1)", "Left"), 68.99);
    QCOMPARE(prop(f, "Label1(1)", "Top"), -72.09);
    QCOMPARE(element(f, "Label1(0)")->property("Tag").toString(), QStringLiteral("0"));
    QCOMPARE(element(f, "Label1(1)")->property("Tag").toString(), QStringLiteral("1"));
    QVERIFY(sichtbar(f, "Line1(0)"));
    QVERIFY(sichtbar(f, "Label1(0)"));
    for (const char *n : {"Line1(1)", "Line1(2)", "Label1(1)"})
        QVERIFY2(!sichtbar(f, n), n);
    // The green handle's top-left corner lies at 4860, 900 twips from the inner corner.
    auto *griff = control<QWidget>(f, "Label1(0)");
    QCOMPARE(griff->geometry(), QRect(2 + 324, 2 + 60, 4, 4));
    QCOMPARE(griff->cursor().shape(), Qt::CrossCursor);
}

void TestHauptfenster::gezeichneteDiagramme()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QImage zeiger = control<QWidget>(f, "Picture2")->grab().toImage();
    const QImage zeit = control<QWidget>(f, "Picture1")->grab().toImage();
    auto farbe = [](const QImage &bild, int x, int y) { return QColor(bild.pixel(x, y)); };

    // Phasor diagram: the vertical axis runs through the middle, a yellow grid line sits
    // two amplitude units to its right, the green phasor passes the diagonal.
    const int mitte = 2 + qRound(100.0 * 29.025 / 15.0);
    QCOMPARE(farbe(zeiger, mitte - 1, 40).lightness() + farbe(zeiger, mitte, 40).lightness() < 300, true);
    const int gitter = 2 + qRound((100.0 + 19.91) * 29.025 / 15.0);
    bool gelb = false;
    for (int x = gitter - 1; x <= gitter + 1; ++x)
        gelb = gelb || farbe(zeiger, x, 40) == QColor(255, 255, 0);
    QVERIFY(gelb);
    bool gruen = false;
    const QPoint mittelpunkt(mitte + qRound(33.7 * 29.025 / 15), mitte - qRound(33.7 * 29.025 / 15));
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            gruen = gruen || farbe(zeiger, mittelpunkt.x() + dx, mittelpunkt.y() + dy) == QColor(0, 192, 0);
    QVERIFY(gruen);

    // On a picture of pixel ratio 2 in the browser's window format the same drawing lands at
    // twice the places: the border's two grey shades, the axis and the grid line.
    QImage doppelt(control<QWidget>(f, "Picture2")->size() * 2, QImage::Format_RGBA8888);
    doppelt.setDevicePixelRatio(2.0);
    control<QWidget>(f, "Picture2")->render(&doppelt);
    QCOMPARE(farbe(doppelt, 1, 1), QColor(128, 128, 128));
    QCOMPARE(farbe(doppelt, 2, 3), QColor(64, 64, 64));
    QVERIFY(farbe(doppelt, 2 * mitte - 1, 80).lightness() + farbe(doppelt, 2 * mitte, 80).lightness() < 300);
    bool gelb2 = false;
    for (int x = 2 * gitter - 2; x <= 2 * gitter + 2; ++x)
        gelb2 = gelb2 || farbe(doppelt, x, 80) == QColor(255, 255, 0);
    QVERIFY(gelb2);

    // Time diagram: the time axis near the middle row is black (the curves: below).
    const int achse = 2 + qRound(100.0 * 28.95 / 15.0);
    bool schwarz = false;
    for (int y = achse - 1; y <= achse + 1; ++y)
        schwarz = schwarz || farbe(zeit, 200, y).lightness() < 60;
    QVERIFY(schwarz);
}

void TestHauptfenster::kurvenfarbenUndReihenfolge_data()
{
    QTest::addColumn<int>("vorn");
    QTest::addColumn<int>("hinten"); // -1: the curve alone
    QTest::newRow("green 00CC99") << 0 << -1;
    QTest::newRow("red FF3300") << 1 << -1;
    QTest::newRow("sum 3333CC") << 2 << -1;
    // Back to front: green, sum, red.
    QTest::newRow("red over green") << 1 << 0;
    QTest::newRow("red over sum") << 1 << 2;
    QTest::newRow("sum over green") << 2 << 0;
}

// A curve at 50 Hz, 45°, amplitude 10 on screen: across the columns from the diagram's left
// edge to the end of its four periods, the stroke's core is its colour. A second curve at
// the same place lies exactly under or over it; only the one in front shows.
void TestHauptfenster::kurvenfarbenUndReihenfolge()
{
    QFETCH(int, vorn);
    QFETCH(int, hinten);
    const QColor farben[] = {QColor(0x00, 0xCC, 0x99), QColor(0xFF, 0x33, 0x00), QColor(0x33, 0x33, 0xCC)};
    Formzivor f;
    control<QCheckBox>(f, "Checklinie(2)")->click(); // all three shown
    for (int i = 0; i < 3; ++i) {
        f.amplitude[i] = i == vorn || i == hinten ? 10.0f : 0.0f;
        f.verschiebung[i] = -250.0f;
    }
    f.f_frequenzeinst();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QImage zeit = control<QWidget>(f, "Picture1")->grab().toImage();
    // The picture spans x = -750 to 850; its wave ends at -750 + 1600 * 3076 / 3090.
    const int ende = 2 + static_cast<int>((-750 + 1600 * 3076.0 / 3090 + 100) * 6.12 / 15);
    int spalten = 0, mitFarbe = 0, genau = 0;
    for (int x = 4; x <= ende - 2; ++x, ++spalten) {
        bool da = false;
        for (int y = 2; y < zeit.height() - 2; ++y) {
            const QColor c = zeit.pixelColor(x, y);
            da = da || ueberWeiss(c.rgb(), farben[vorn], 0.5);
            genau += qAbs(c.red() - farben[vorn].red()) <= 2 && qAbs(c.green() - farben[vorn].green()) <= 2
                     && qAbs(c.blue() - farben[vorn].blue()) <= 2;
        }
        mitFarbe += da ? 1 : 0;
    }
    // (a column where the curve crosses a grid line or an axis may lack a clear pixel)
    QVERIFY2(mitFarbe >= 0.9 * spalten, qPrintable(QStringLiteral("%1 of %2").arg(mitFarbe).arg(spalten)));
    // The core of the stroke, where it runs flat at crests and troughs: the exact colour.
    QVERIFY2(genau >= 20, qPrintable(QString::number(genau)));
}

void TestHauptfenster::stapelfolge_data()
{
    QTest::addColumn<QString>("vorn");
    QTest::addColumn<QString>("hinten");
    QTest::newRow("sum line over green handle") << "Line1(2)" << "Label1(0)";
    QTest::newRow("sum line over red handle") << "Line1(2)" << "Label1(1)";
    QTest::newRow("Textf over its label") << "Textf" << "Label";
    QTest::newRow("angle field over caption") << "Textwinkel(0)" << "Text1(3)";
    QTest::newRow("caption over amplitude field") << "Text1(0)" << "Textampl(0)";
    QTest::newRow("caption \"Winkel:\" over amplitude field") << "Text1(3)" << "Textampl(0)";
}

// Where two items overlap, the one in front shows.
void TestHauptfenster::stapelfolge()
{
    QFETCH(QString, vorn);
    QFETCH(QString, hinten);
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto *hinter = f.findChild<QWidget *>(hinten);
    if (hinten.startsWith(QLatin1String("Label1"))) {
        // Both tips on the positive real axis, green at 30 and red at 20: the blue sum line
        // to 50 runs along y = 0, through both handles (their tops 1 unit above it).
        control<QCheckBox>(f, "Checklinie(2)")->click();
        f.Picture2_DragOver(element(f, "Label1(0)"), 29.0f, 1.0f);
        f.Picture2_DragOver(element(f, "Label1(1)"), 19.0f, 1.0f);
        const QImage bild = control<QWidget>(f, "Picture2")->grab().toImage();
        const int x = hinter->geometry().center().x();
        const int achse = 2 + static_cast<int>(100.0 * 29.025 / 15); // y = 0 at 195.5 px
        const QColor unter = hinten == QLatin1String("Label1(0)") ? QColor(0, 192, 0) : QColor(255, 0, 0);
        QCOMPARE(QColor(bild.pixel(x, hinter->geometry().bottom())), unter); // the handle, away from the line
        QCOMPARE(QColor(bild.pixel(x, achse)), QColor(0, 0, 192));
        return;
    }
    // The control behind is made opaque magenta: none of it may show through the front one
    // (away from the front one's rounded corners).
    QPalette farbe = hinter->palette();
    for (const QPalette::ColorRole rolle : {QPalette::Window, QPalette::Base, QPalette::Button})
        farbe.setColor(rolle, QColor(255, 0, 255));
    hinter->setPalette(farbe);
    hinter->setAutoFillBackground(true);
    const QRect ueber = control<QWidget>(f, qPrintable(vorn))->geometry() & hinter->geometry();
    QVERIFY(!ueber.isEmpty());
    const QImage bild = f.centralWidget()->grab().toImage();
    for (int y = ueber.top() + 2; y <= ueber.bottom() - 2; ++y)
        for (int x = ueber.left(); x <= ueber.right(); ++x) {
            const QColor c = bild.pixelColor(x, y);
            QVERIFY2(!(c.red() > 150 && c.green() < 80 && c.blue() > 150), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        }
}

void TestHauptfenster::auswahlGesamtNimmtFunktion2Mit()
{
    Formzivor f;
    auto *gesamt = control<QCheckBox>(f, "Checklinie(2)");
    gesamt->click();
    QVERIFY(control<QCheckBox>(f, "Checklinie(1)")->isChecked());
    for (const char *n : {"Line1(1)", "Label1(1)", "Image2(1)", "Textampl(1)", "Textwinkel(1)", "Text1(1)",
                          "Text1(4)", "Line1(2)", "Image2(2)", "Textampl(2)", "Textwinkel(2)", "Text1(2)",
                          "Text1(5)"})
        QVERIFY2(sichtbar(f, n), n);
    // Right after start the sum curve has zero height and the blue phasor lies on the axis.
    QCOMPARE(prop(f, "Image2(2)", "Height"), 0.0);
    QCOMPARE(prop(f, "Line1(2)", "Y2"), 0.0);
    QCOMPARE(f.amplitude[2], 0.0f);
    // Nothing is recomputed by a selection.
    QCOMPARE(prop(f, "Image2(1)", "Left"), -650.0);
}

void TestHauptfenster::auswahlFunktion2AbwaehlenLaesstSumme()
{
    Formzivor f;
    control<QCheckBox>(f, "Checklinie(2)")->click();
    control<QCheckBox>(f, "Checklinie(1)")->click();
    QVERIFY(!sichtbar(f, "Line1(1)"));
    QVERIFY(!sichtbar(f, "Textampl(1)"));
    QVERIFY(sichtbar(f, "Line1(2)"));
    QVERIFY(sichtbar(f, "Image2(2)"));
    // Unchecking "Gesamt:" leaves "Funktion 2" as it is.
    control<QCheckBox>(f, "Checklinie(1)")->click();
    control<QCheckBox>(f, "Checklinie(2)")->click();
    QVERIFY(control<QCheckBox>(f, "Checklinie(1)")->isChecked());
    QVERIFY(!sichtbar(f, "Line1(2)"));
    QVERIFY(sichtbar(f, "Line1(1)"));
}

void TestHauptfenster::auswahlFunktion1Abwaehlen()
{
    Formzivor f;
    control<QCheckBox>(f, "Checklinie(0)")->click();
    for (const char *n : {"Line1(0)", "Label1(0)", "Image2(0)", "Textampl(0)", "Textwinkel(0)", "Text1(0)",
                          "Text1(3)"})
        QVERIFY2(!sichtbar(f, n), n);
    QVERIFY(sichtbar(f, "Picture2"));
    QVERIFY(sichtbar(f, "Textf"));
    QCOMPARE(f.amplitude[0], 10.0f);
}

QTEST_MAIN(TestHauptfenster)
#include "test_hauptfenster.moc"
