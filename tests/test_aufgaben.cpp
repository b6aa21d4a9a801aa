// The exercise cycle end to end: the panel, task 1 answered by dragging and with the
// slider, task 2 answered by typing, the scoring in the "Bewertung" box with its running
// total, and the random targets.

#include "app/formzivor.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <deque>
#include <set>

namespace {

const QChar cr(13);

// Random numbers that give the wanted targets.
float rFrequenz(int hz) { return ((hz - 25) / 15 + 0.5f) / 6.0f; }
float rLaenge(int laenge) { return (laenge - 3 + 0.5f) / 8.0f; }
float rWinkel(int grad) { return (grad / 10 + 9 + 0.5f) / 19.0f; }

struct Meldung {
    QString titel;
    QString text;
    bool ohneSymbol = false;
    int knoepfe = 0;
    bool modal = false;
};

} // namespace

class TestAufgaben : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init();
    void cleanup() { delete m_f; }
    void zustaendeDesAufgabenfelds();
    void aufgabe1Richtig();
    void aufgabe1Falsch();
    void aufgabe2NachAufgabe1();
    void aufgabe2Grenzfaelle_data();
    void aufgabe2Grenzfaelle();
    void aufgabe2WaehrendAufgabe1();
    void beendenNachAufgabe2();
    void beendenOhneFrage_data();
    void beendenOhneFrage();
    void zufallsgenerator();

private:
    void ziele(int hz, int laenge, int grad)
    {
        m_zahlen.insert(m_zahlen.end(), {rFrequenz(hz), rLaenge(laenge), rWinkel(grad)});
    }
    template <typename T = QWidget>
    T *c(const QString &name) const
    {
        T *w = m_f->findChild<T *>(name);
        if (w == nullptr)
            qFatal("missing %s", qPrintable(name));
        return w;
    }
    bool gezeigt(const QString &name) const
    {
        QObject *o = m_f->findChild<QObject *>(name);
        if (auto *w = qobject_cast<QWidget *>(o))
            return !w->isHidden();
        return o->property("Visible").toBool();
    }
    QString zustand() const
    {
        auto k = [this](const char *n) {
            auto *b = c<QPushButton>(QLatin1String(n));
            return b->isHidden() ? QStringLiteral("-") : b->isEnabled() ? QStringLiteral("E") : QStringLiteral("d");
        };
        return k("Commandaufgabe(0)") + k("Commandaufgabe(1)") + k("Command2");
    }
    void klick(const char *name) { QTest::mouseClick(c<QPushButton>(QLatin1String(name)), Qt::LeftButton); }
    Meldung loesung();
    void ziehe(QPoint diagrammPixel);
    void schiebe(int position)
    {
        auto *regler = c<QScrollBar>(QStringLiteral("HScroll3"));
        regler->setSliderDown(true);
        regler->setSliderPosition(position);
        regler->setSliderDown(false);
    }
    // An empty text is not typed: the field does not even get the focus.
    void tippe(const char *feld, const QString &text)
    {
        if (text.isEmpty())
            return;
        auto *e = c<QLineEdit>(QLatin1String(feld));
        e->setFocus();
        QTest::keyClicks(e, text);
    }

    Formzivor *m_f = nullptr;
    std::deque<float> m_zahlen;
};

void TestAufgaben::init()
{
    m_zahlen.clear();
    m_f = new Formzivor;
    m_f->setzeZufallsquelle([this] {
        if (m_zahlen.empty())
            qFatal("no more random numbers");
        const float r = m_zahlen.front();
        m_zahlen.pop_front();
        return r;
    });
    m_f->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f));
    m_f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f));
}

Meldung TestAufgaben::loesung()
{
    Meldung m;
    bool gesehen = false;
    std::function<void()> schauen = [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr) {
            QTimer::singleShot(10, schauen);
            return;
        }
        gesehen = true;
        m.titel = box->windowTitle();
        m.text = box->text();
        m.ohneSymbol = box->icon() == QMessageBox::NoIcon;
        m.knoepfe = static_cast<int>(box->buttons().size());
        m.modal = box->isModal();
        // Both buttons stay as they were while the box is open.
        if (!c<QPushButton>(QStringLiteral("Command2"))->isEnabled())
            m.knoepfe = -1;
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(10, schauen);
    klick("Command2");
    if (!gesehen)
        qFatal("no message box");
    return m;
}

void TestAufgaben::ziehe(QPoint diagrammPixel)
{
    QWidget *bild = c(QStringLiteral("Picture2"));
    QWidget *griff = c(QStringLiteral("Label1(0)"));
    QWindow *fenster = m_f->windowHandle();
    const QPoint start = griff->mapTo(m_f, QPoint(2, 2));
    const QPoint ziel = bild->mapTo(m_f, diagrammPixel);
    QTest::mousePress(fenster, Qt::LeftButton, {}, start);
    QTest::mouseMove(fenster, (start + ziel) / 2);
    QTest::mouseMove(fenster, ziel);
    QTest::mouseRelease(fenster, Qt::LeftButton, {}, ziel);
}

// Pixel of the phasor diagram for a point in its units.
static QPoint pixelVon(double x, double y)
{
    return {qRound((x + 100.0) * 29.025 / 15.0) + 2, qRound((100.0 - y) * 29.025 / 15.0) + 2};
}

void TestAufgaben::zustaendeDesAufgabenfelds()
{
    QVERIFY(c(QStringLiteral("Frame1"))->isHidden());
    c<QAction>(QStringLiteral("menuaufgaben"))->trigger();
    QCOMPARE(zustand(), QStringLiteral("Edd"));             // ready
    ziele(40, 7, -30);
    klick("Commandaufgabe(0)");
    QCOMPARE(zustand(), QStringLiteral("dEE"));             // task 1 open
    QVERIFY(c<QPushButton>(QStringLiteral("Commandaufgabe(2)"))->isHidden());
    m_f->setzeZufallsquelle([] { return 0.0f; });
    loesung();
    QCOMPARE(zustand(), QStringLiteral("dEd"));             // task 1 scored
    klick("Commandaufgabe(1)");
    QCOMPARE(zustand(), QStringLiteral("ddE"));             // task 2 open
    QVERIFY(c<QPushButton>(QStringLiteral("Commandaufgabe(2)"))->isEnabled());
    QVERIFY(c<QPushButton>(QStringLiteral("Commandaufgabe(2)"))->isHidden());
    loesung();
    QCOMPARE(zustand(), QStringLiteral("ddd"));             // finished
}

void TestAufgaben::aufgabe1Richtig()
{
    c<QAction>(QStringLiteral("menuaufgaben"))->trigger();
    c<QCheckBox>(QStringLiteral("Checklinie(2)"))->click(); // all three curves shown
    const int regler = c<QScrollBar>(QStringLiteral("HScroll3"))->value();
    const double gruenLeft = m_f->findChild<QObject *>(QStringLiteral("Image2(0)"))->property("Left").toDouble();
    ziele(40, 5, 30);
    klick("Commandaufgabe(0)");

    // The task text, two lines; nothing of the curves, the phasor or the slider changed.
    auto *label = c<QLabel>(QStringLiteral("Labelaufgabe"));
    QCOMPARE(label->text(), QStringLiteral("Stellen Sie für den grünen Zeitverlauf folgende Zeitfunktion ein:")
                                + cr + QStringLiteral("f(t) = 5*cos(251,2*(t/s)+30°)"));
    QVERIFY(label->heightForWidth(label->width()) >= 2 * label->fontMetrics().height());
    QCOMPARE(c<QScrollBar>(QStringLiteral("HScroll3"))->value(), regler);
    QVERIFY(c<QScrollBar>(QStringLiteral("HScroll3"))->isEnabled());
    QCOMPARE(m_f->findChild<QObject *>(QStringLiteral("Image2(0)"))->property("Left").toDouble(), gruenLeft);
    for (const char *n : {"Line1(0)", "Label1(0)", "Image2(0)"})
        QVERIFY2(gezeigt(QLatin1String(n)), n);
    QStringList versteckt{QStringLiteral("Textf"), QStringLiteral("Line1(1)"), QStringLiteral("Line1(2)"),
                          QStringLiteral("Image2(1)"), QStringLiteral("Image2(2)"), QStringLiteral("Label1(1)")};
    for (int i = 0; i < 6; ++i)
        versteckt << QStringLiteral("Text1(%1)").arg(i) << QStringLiteral("Checklinie(%1)").arg(i % 3)
                  << QStringLiteral("Textampl(%1)").arg(i % 3) << QStringLiteral("Textwinkel(%1)").arg(i % 3);
    for (const QString &n : versteckt)
        QVERIFY2(!gezeigt(n), qPrintable(n));
    QCOMPARE(m_f->zielfrequenz, quint8(40));
    QCOMPARE(m_f->zeigerlaenge[0], quint8(5));
    QCOMPARE(m_f->zeigerwinkel[0], qint16(30));

    // The learner drags the green tip to amplitude 5 at 30° and the thumb to 40 Hz.
    ziehe(pixelVon(5 * 8.66, 5 * 5.0));
    schiebe(2000);
    zivor::Bewertungsbericht bericht;
    connect(m_f, &Formzivor::bewertet, this, [&bericht](const zivor::Bewertungsbericht &b) { bericht = b; });
    const Meldung m = loesung();
    // What the page hears of it: the task, the answer as the (hidden) fields show it, the points.
    QCOMPARE(bericht.aufgabe, 1);
    QCOMPARE(QStringList({bericht.frequenz, bericht.winkel, bericht.amplitude}),
             QStringList({QStringLiteral("40"), QStringLiteral("30°"), QStringLiteral("5")}));
    QCOMPARE(bericht.bewertung.richtig, (std::array<bool, 3>{true, true, true}));
    QCOMPARE(bericht.punktegesamt, quint8(3));
    QCOMPARE(m.titel, QStringLiteral("Bewertung"));
    QVERIFY(m.ohneSymbol);
    QCOMPARE(m.knoepfe, 1);
    QVERIFY(m.modal);
    QCOMPARE(m.text, QStringLiteral("Frequenz richtig") + cr + "Phase richtig" + cr + "Amplitude richtig" + cr
                         + "3 für die Aufgabe" + cr + "3 Gesamt");
    QCOMPARE(m_f->punktegesamt, quint8(3));
    QVERIFY(!c<QPushButton>(QStringLiteral("Command2"))->isEnabled());
    QVERIFY(!c<QPushButton>(QStringLiteral("Commandaufgabe(0)"))->isEnabled());
    // Scoring leaves the task text.
    QVERIFY(label->text().endsWith(QStringLiteral("+30°)")));
}

void TestAufgaben::aufgabe1Falsch()
{
    c<QAction>(QStringLiteral("menuaufgaben"))->trigger();
    ziele(85, 3, -60);
    klick("Commandaufgabe(0)");
    QVERIFY(c<QLabel>(QStringLiteral("Labelaufgabe"))->text().endsWith(QStringLiteral("533,8*(t/s)-60°)")));
    ziehe(pixelVon(60, 60));
    schiebe(3000);
    const Meldung m = loesung();
    QCOMPARE(m.text, QString(cr) + "Frequenz falsch" + cr + "Phase falsch" + cr + "Amplitude falsch" + cr
                         + "0 für die Aufgabe" + cr + "0 Gesamt");
    QCOMPARE(m_f->punktegesamt, quint8(0));
}

void TestAufgaben::aufgabe2NachAufgabe1()
{
    c<QAction>(QStringLiteral("menuaufgaben"))->trigger();
    ziele(70, 6, 0);
    klick("Commandaufgabe(0)");
    ziehe(pixelVon(60, 0.3));
    schiebe(qRound(80000.0 / 70));
    QCOMPARE(loesung().text.right(9), QStringLiteral("3 Gesamt").prepend(cr));

    ziele(55, 7, 30);
    klick("Commandaufgabe(1)");
    // The target curve is drawn, its numbers are not shown.
    QCOMPARE(c<QLabel>(QStringLiteral("Labelaufgabe"))->text(),
             QStringLiteral("Geben Sie für den grünen Zeitverlauf Amplitude, Phase und Frequenz ein!"));
    QVERIFY(c(QStringLiteral("Picture2"))->isHidden());
    QVERIFY(!c(QStringLiteral("HScroll3"))->isEnabled());
    for (const char *n : {"Textf", "Textampl(0)", "Textwinkel(0)"}) {
        auto *e = c<QLineEdit>(QLatin1String(n));
        QVERIFY2(!e->isHidden() && !e->isReadOnly() && e->text().isEmpty(), n);
    }
    QVERIFY(gezeigt(QStringLiteral("Text1(0)")));
    QVERIFY(gezeigt(QStringLiteral("Text1(3)")));
    QVERIFY(!gezeigt(QStringLiteral("Text1(1)")));
    auto *bild = m_f->findChild<QObject *>(QStringLiteral("Image2(0)"));
    QCOMPARE(bild->property("Width").toDouble(), static_cast<double>(qRound(80000.0 / 55)));
    QCOMPARE(bild->property("Height").toDouble(), 140.0);
    QCOMPARE(m_f->verschiebung[0], static_cast<float>(-30 / 0.9 - 200)); // 30° is -233.33
    // Undo in the emptied fields brings neither the target nor older values back.
    for (const char *n : {"Textf", "Textampl(0)", "Textwinkel(0)"}) {
        auto *e = c<QLineEdit>(QLatin1String(n));
        e->setFocus();
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(e->text().isEmpty(), n);
    }

    // Frequency wrong, phase and amplitude right: the six lines of the example.
    tippe("Textampl(0)", QStringLiteral("7"));
    tippe("Textwinkel(0)", QStringLiteral("30"));
    tippe("Textf", QStringLiteral("50"));
    const Meldung m = loesung();
    QCOMPARE(m.text, QString(cr) + "Frequenz falsch" + cr + "Phase richtig" + cr + "Amplitude richtig" + cr
                         + "2 Punkte für die Aufgabe" + cr + "5 Punkte Gesamt");
    QVERIFY(c(QStringLiteral("Textf"))->isHidden());
    QCOMPARE(c<QLineEdit>(QStringLiteral("Textampl(0)"))->text(), QStringLiteral("7"));
    QCOMPARE(c<QLineEdit>(QStringLiteral("Textwinkel(0)"))->text(), QStringLiteral("30"));
    // The time diagram still shows the target curve.
    QCOMPARE(bild->property("Width").toDouble(), static_cast<double>(qRound(80000.0 / 55)));
    QCOMPARE(zustand(), QStringLiteral("ddd"));
}

void TestAufgaben::aufgabe2Grenzfaelle_data()
{
    QTest::addColumn<int>("zielHz");
    QTest::addColumn<int>("zielWinkel");
    QTest::addColumn<QString>("frequenz");
    QTest::addColumn<QString>("winkel");
    QTest::addColumn<QString>("amplitude");
    QTest::addColumn<QString>("urteile");
    // The answer as read: frequenz, verschiebung(0), amplitude(0); an empty field is never
    // typed into (an empty frequency field that never had the focus reads as 0, becomes 1 Hz).
    QTest::addColumn<float>("hz");
    QTest::addColumn<float>("w");
    QTest::addColumn<float>("a");
    const float w19 = static_cast<float>(-19 / 0.9 - 200), w20 = static_cast<float>(-20 / 0.9 - 200);
    QTest::newRow("55/50") << 55 << 0 << "50" << "0" << "5" << "FRR" << 50.0f << -200.0f << 5.0f;
    QTest::newRow("55/61") << 55 << 0 << "61" << "0" << "5" << "RRR" << 61.0f << -200.0f << 5.0f;
    QTest::newRow("all empty") << 55 << 0 << "" << "" << "" << "FFF" << 1.0f << -200.0f << 999.0f;
    QTest::newRow("empty angle, target 0") << 55 << 0 << "55" << "" << "5" << "RFR" << 55.0f << -200.0f << 5.0f;
    QTest::newRow("empty angle, target 10") << 55 << 10 << "55" << "" << "5" << "RFR" << 55.0f << -200.0f << 5.0f;
    QTest::newRow("empty angle, target -10") << 55 << -10 << "55" << "" << "5" << "RFR" << 55.0f << -200.0f << 5.0f;
    QTest::newRow("typed 0, target 10") << 55 << 10 << "55" << "0" << "5" << "RRR" << 55.0f << -200.0f << 5.0f;
    QTest::newRow("-180 gives 0, read as 999") << 55 << -90 << "55" << "-180" << "5" << "RFR" << 55.0f << 999.0f << 5.0f;
    QTest::newRow("amplitude 5.5") << 55 << 0 << "55" << "0" << "5.5" << "RRR" << 55.0f << -200.0f << 5.5f;
    QTest::newRow("amplitude 5,6 typed") << 55 << 0 << "55" << "0" << "5,6" << "RRF" << 55.0f << -200.0f << 5.6f;
    QTest::newRow("angle 20 for 0") << 55 << 0 << "55" << "19" << "5" << "RRR" << 55.0f << w19 << 5.0f;
    QTest::newRow("angle 20 for 0 is out") << 55 << 0 << "55" << "20" << "5" << "RFR" << 55.0f << w20 << 5.0f;
    // Leaving the field for "Lösung" brings 120 down to 100 before it is read.
    QTest::newRow("120 for 100") << 100 << 0 << "120" << "0" << "5" << "RRR" << 100.0f << -200.0f << 5.0f;
}

void TestAufgaben::aufgabe2Grenzfaelle()
{
    QFETCH(int, zielHz);
    QFETCH(int, zielWinkel);
    QFETCH(QString, frequenz);
    QFETCH(QString, winkel);
    QFETCH(QString, amplitude);
    QFETCH(QString, urteile);
    QFETCH(float, hz);
    QFETCH(float, w);
    QFETCH(float, a);
    c<QAction>(QStringLiteral("menuaufgaben"))->trigger();
    ziele(25, 3, 0);
    klick("Commandaufgabe(0)");
    ziele(zielHz, 5, zielWinkel);
    klick("Commandaufgabe(1)");
    tippe("Textampl(0)", amplitude);
    tippe("Textwinkel(0)", winkel);
    tippe("Textf", frequenz);
    QList<zivor::Bewertungsbericht> berichte;
    bool vorDerBox = false;
    connect(m_f, &Formzivor::bewertet, this, [&](const zivor::Bewertungsbericht &b) {
        berichte << b;
        vorDerBox = QApplication::activeModalWidget() == nullptr;
    });
    const QStringList zeilen = loesung().text.split(cr);
    // Told once, before the box: task 2 with its verdicts and points, the answer as read.
    QCOMPARE(berichte.size(), 1);
    QVERIFY(vorDerBox);
    QCOMPARE(berichte[0].aufgabe, 2);
    QCOMPARE(berichte[0].frequenz, frequenz.isEmpty() ? QString() : QString::number(hz));
    QCOMPARE(berichte[0].winkel, winkel);
    QCOMPARE(berichte[0].amplitude, c<QLineEdit>(QStringLiteral("Textampl(0)"))->text());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(berichte[0].bewertung.richtig[i], urteile[i] == u'R');
    QCOMPARE(int(berichte[0].punktegesamt), int(urteile.count(u'R')));
    QCOMPARE(zeilen.size(), urteile[0] == u'F' ? 6 : 5);
    const QStringList kriterien = zeilen.mid(urteile[0] == u'F' ? 1 : 0, 3);
    const char *namen[] = {"Frequenz", "Phase", "Amplitude"};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(kriterien[i], QLatin1String(namen[i]) + (urteile[i] == u'R' ? QStringLiteral(" richtig")
                                                                            : QStringLiteral(" falsch")));
    const int punkte = static_cast<int>(urteile.count(u'R'));
    QCOMPARE(zeilen.at(zeilen.size() - 2), QStringLiteral("%1 Punkte für die Aufgabe").arg(punkte));
    QCOMPARE(m_f->frequenz, hz);
    QCOMPARE(m_f->verschiebung[0], w);
    QCOMPARE(m_f->amplitude[0], a);
}

void TestAufgaben::aufgabe2WaehrendAufgabe1()
{
    c<QAction>(QStringLiteral("menuaufgaben"))->trigger();
    ziele(25, 3, 0);
    klick("Commandaufgabe(0)");
    ziele(100, 10, -90);
    klick("Commandaufgabe(1)");
    QCOMPARE(m_f->zielfrequenz, quint8(100));
    QCOMPARE(m_f->aufgabennummer, quint8(1));
    QCOMPARE(zustand(), QStringLiteral("ddE"));
    tippe("Textampl(0)", QStringLiteral("10"));
    tippe("Textwinkel(0)", QStringLiteral("-90"));
    tippe("Textf", QStringLiteral("100"));
    QVERIFY(loesung().text.endsWith(QStringLiteral("3 Punkte für die Aufgabe") + cr + "3 Punkte Gesamt"));
}

void TestAufgaben::beendenNachAufgabe2()
{
    c<QAction>(QStringLiteral("menuaufgaben"))->trigger();
    ziele(25, 3, 0);
    klick("Commandaufgabe(0)");
    const auto zeiger = [this] {
        QObject *linie = c<QObject>(QStringLiteral("Line1(0)"));
        QObject *griff = c<QObject>(QStringLiteral("Label1(0)"));
        return QList<QVariant>{linie->property("X2"), linie->property("Y2"), griff->property("Left"),
                               griff->property("Top")};
    };
    ziehe(pixelVon(-40, 30));
    const QList<QVariant> gezogen = zeiger();
    ziele(85, 4, 20);
    klick("Commandaufgabe(1)");
    tippe("Textf", QStringLiteral("85"));
    loesung();
    klick("Command1");
    // Back to free experimenting, without a redraw: the curves and Textf still show 85 Hz.
    QVERIFY(c(QStringLiteral("Frame1"))->isHidden());
    for (const char *n : {"Picture2", "Textf", "Checklinie(0)", "Checklinie(1)", "Checklinie(2)"})
        QVERIFY2(!c(QLatin1String(n))->isHidden(), n);
    QVERIFY(c(QStringLiteral("HScroll3"))->isEnabled());
    for (const char *n : {"Textf", "Textampl(0)", "Textwinkel(0)"})
        QVERIFY2(c<QLineEdit>(QLatin1String(n))->isReadOnly(), n);
    auto *bild = m_f->findChild<QObject *>(QStringLiteral("Image2(0)"));
    QCOMPARE(bild->property("Width").toDouble(), static_cast<double>(qRound(80000.0 / 85)));
    QCOMPARE(c<QLineEdit>(QStringLiteral("Textf"))->text(), QStringLiteral("85"));
    QCOMPARE(m_f->frequenz, 50.0f);
    // The green phasor stands where it was dragged, whatever exercise 2 did to function 1.
    QCOMPARE(zeiger(), gezogen);
    // The next drag redraws the curves at 50 Hz.
    ziehe(pixelVon(30, 40));
    QCOMPARE(bild->property("Width").toDouble(), 1600.0);
    QCOMPARE(c<QLineEdit>(QStringLiteral("Textf"))->text(), QStringLiteral("50"));
}

// "&Beenden" and the close box end the program at once, with an exercise open: no question,
// no evaluation.
void TestAufgaben::beendenOhneFrage_data()
{
    QTest::addColumn<int>("aufgabe"); // 0: only the panel open
    QTest::addColumn<bool>("schliessfeld");
    QTest::newRow("menu, panel open") << 0 << false;
    QTest::newRow("menu, task 1 open") << 1 << false;
    QTest::newRow("menu, task 2 open") << 2 << false;
    QTest::newRow("close box, task 1 open") << 1 << true;
    QTest::newRow("close box, task 2 open") << 2 << true;
}

void TestAufgaben::beendenOhneFrage()
{
    QFETCH(int, aufgabe);
    QFETCH(bool, schliessfeld);
    c<QAction>(QStringLiteral("menuaufgaben"))->trigger();
    for (int i = 0; i < aufgabe; ++i) {
        ziele(55, 5, 0);
        klick(i == 0 ? "Commandaufgabe(0)" : "Commandaufgabe(1)");
    }
    tippe("Textf", QStringLiteral("55"));
    QStringList gefragt;
    QTimer wache;
    connect(&wache, &QTimer::timeout, this, [&gefragt] {
        if (QWidget *frage = QApplication::activeModalWidget()) {
            gefragt << frage->windowTitle();
            frage->close();
        }
    });
    wache.start(5);
    if (schliessfeld)
        QVERIFY(m_f->windowHandle()->close());
    else
        c<QAction>(QStringLiteral("menubeenden"))->trigger();
    QVERIFY2(gefragt.isEmpty(), qPrintable(gefragt.join(u',')));
    // No window is left open, so the program ends.
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QCOMPARE(m_f->punktegesamt, quint8(0));
}

void TestAufgaben::zufallsgenerator()
{
    Formzivor f; // with the program's own generator
    std::set<int> frequenzen, laengen, winkel;
    int wieEineZahl = 0;
    constexpr int aufgaben = 3000;
    for (int i = 0; i < aufgaben; ++i) {
        f.f_zufall1();
        const int hz = f.zielfrequenz, l = f.zeigerlaenge[0], w = f.zeigerwinkel[0];
        QVERIFY(hz >= 25 && hz <= 100 && (hz - 25) % 15 == 0);
        QVERIFY(l >= 3 && l <= 10);
        QVERIFY(w >= -90 && w <= 90 && w % 10 == 0);
        frequenzen.insert(hz);
        laengen.insert(l);
        winkel.insert(w);
        // Could all three have come from one and the same number r?
        const double unten = std::max({(hz - 25) / 15 / 6.0, (l - 3) / 8.0, (w / 10 + 9) / 19.0});
        const double oben = std::min({((hz - 25) / 15 + 1) / 6.0, (l - 3 + 1) / 8.0, (w / 10 + 10) / 19.0});
        if (unten < oben)
            ++wieEineZahl;
    }
    QCOMPARE(frequenzen.size(), std::size_t(6));
    QCOMPARE(laengen.size(), std::size_t(8));
    QCOMPARE(winkel.size(), std::size_t(19));
    // Independent draws agree with one common number in about 3 % of the tasks.
    QVERIFY2(wieEineZahl < aufgaben / 10, qPrintable(QString::number(wieEineZahl)));
}

QTEST_MAIN(TestAufgaben)
#include "test_aufgaben.moc"
