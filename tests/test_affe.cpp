// A monkey at the main window: a long, seeded sequence of random user actions (clicks on
// the controls, drags of the phasor tips over the axes, through the origin and out of the
// diagram, hovering, typing and pasting into the number fields, the frequency slider, the
// exercise cycle with its "Bewertung" box, the help window), with the window's state
// checked after every action and at every pointer position of a drag. A failure names the
// seed, the action and the last ten actions.
//
// Environment:
//   ZIVOR_AFFE_SEED      seed of the run (default 20261208)
//   ZIVOR_AFFE_SCHRITTE  number of actions (default 4000)
//   ZIVOR_AFFE_PROTOKOLL when set, every action is printed as it is done (to find the
//                        action a crash happened in)
// e.g.  ZIVOR_AFFE_SEED=7 ZIVOR_AFFE_SCHRITTE=30000 ./test_affe
//
// The run goes in chunks of 2000 actions, each a row of its own, so that Qt Test's watchdog
// (300 s for each row) lets a run of any length through; each chunk starts the program anew,
// by turns under German settings (decimal comma) and English ones (decimal point), an even
// seed with German first. Each chunk begins with a drag through the exact origin.

#include "app/formzivor.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <array>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr quint32 standardSaat = 20261208;
constexpr int standardSchritte = 4000;
constexpr int schritteJeAbschnitt = 2000;

// The seven number fields: Textampl(0..2), Textwinkel(0..2), Textf.
constexpr int feldAnzahl = 7;
constexpr int textf = 6;
const std::array<const char *, feldAnzahl> feldnamen{"Textampl(0)",   "Textampl(1)",   "Textampl(2)", "Textwinkel(0)",
                                                     "Textwinkel(1)", "Textwinkel(2)", "Textf"};
constexpr std::array<int, feldAnzahl> hoechstlaenge{5, 5, 5, 5, 5, 5, 3};

// What a field may show at all, and what the learner can enter while it is editable.
bool passt(const QString &text, int k, bool eingabe)
{
    static const std::array<QRegularExpression, 6> muster{
        QRegularExpression(QStringLiteral("^[0-9.,]*$")), QRegularExpression(QStringLiteral("^[0-9-]*°?$")),
        QRegularExpression(QStringLiteral("^[0-9]*$")),   QRegularExpression(QStringLiteral("^[0-9.]*$")),
        QRegularExpression(QStringLiteral("^[0-9-]*$")),  QRegularExpression(QStringLiteral("^[0-9]*$"))};
    return muster[(eingabe ? 3 : 0) + k / 3].match(text).hasMatch();
}

bool nanOderInf(const QString &text)
{
    return text.contains(QLatin1String("nan"), Qt::CaseInsensitive)
           || text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

// A message from a pattern with %1, %2, ... and values (numbers, names).
QString wert(const char *s) { return QString::fromUtf8(s); }
template <typename T>
const T &wert(const T &w)
{
    return w;
}
template <typename... W>
QString txt(const char *muster, const W &...werte)
{
    QString s = QString::fromUtf8(muster);
    ((s = s.arg(wert(werte))), ...);
    return s;
}

QString punkt(QPointF p) { return txt("(%1,%2)", p.x(), p.y()); }

// Everything an action may change, to compare before and after.
struct Stand {
    float frequenz = 0;
    std::array<float, 3> verschiebung{}, amplitude{};
    std::array<QString, feldAnzahl> texte;
    std::array<bool, feldAnzahl> nurLesen{};
    std::array<bool, 3> haken{};
    std::array<double, 6> griffe{};  // Label1(i) Left, Top
    std::array<double, 6> spitzen{}; // Line1(i) X2, Y2
    std::array<double, 3> breiten{}; // Image2(i) Width
    QString knoepfe;
    bool aufgabenfeld = false;
    QWidget *fokus = nullptr;
    int ziele = 0;
    int punkte = 0;

    bool operator==(const Stand &o) const
    {
        return frequenz == o.frequenz && verschiebung == o.verschiebung && amplitude == o.amplitude && texte == o.texte
               && nurLesen == o.nurLesen && haken == o.haken && griffe == o.griffe && spitzen == o.spitzen
               && breiten == o.breiten && knoepfe == o.knoepfe && aufgabenfeld == o.aufgabenfeld && ziele == o.ziele
               && punkte == o.punkte;
    }
};

} // namespace

class TestAffe : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void zufaelligeBedienung_data();
    void zufaelligeBedienung();
    void cleanupTestCase();

private:
    int zahl(int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(m_zufall); }
    bool wurf(int prozent) { return zahl(0, 99) < prozent; }

    template <typename T = QWidget>
    T *c(const QString &name) const
    {
        T *o = m_f->findChild<T *>(name);
        if (o == nullptr)
            qFatal("missing %s", qPrintable(name));
        return o;
    }
    template <typename T = QWidget>
    T *c(const char *name) const
    {
        return c<T>(QLatin1String(name));
    }
    static QString n(const char *name, int i) { return txt("%1(%2)", name, i); }
    QLineEdit *feld(int k) const { return c<QLineEdit>(feldnamen[k]); }
    double eig(const QString &name, const char *e) const { return c<QObject>(name)->property(e).toDouble(); }
    bool gezeigt(const QString &name) const
    {
        QObject *o = c<QObject>(name);
        if (auto *w = qobject_cast<QWidget *>(o))
            return !w->isHidden();
        return o->property("Visible").toBool();
    }
    QPoint fensterpunkt(QWidget *w, QPoint p) const { return w->mapTo(m_f, p); }
    bool erreichbar(QWidget *w, QPoint p) const { return w->isVisible() && m_f->childAt(p) == w; }
    QPoint irgendwo(QWidget *w) { return fensterpunkt(w, QPoint(zahl(0, w->width() - 1), zahl(0, w->height() - 1))); }
    QWidget *hilfe() const { return m_hilfe.data(); }
    QString knoepfe() const;

    void neuesFenster();
    Stand stand() const;
    void protokoll(const QString &was);
    void fehler(const QString &was);
    void pruefe(const Stand &vorher);
    void pruefeZeiger(const Stand &vorher);
    void pruefeFelder(const Stand &vorher);
    void bewertungSchliessen();
    QPointF zielpunkt(QPointF letzter, int zeiger, bool *ursprung);
    void bewege(QPointF p);

    // The actions; each returns false when it cannot be done now.
    bool ziehen();
    bool schweben();
    bool haken();
    bool knopf();
    bool menueAufgaben();
    bool menueHilfe();
    bool tippen(bool einfuegen);
    bool tabulator();
    bool reglerDaumen();
    bool reglerSchritte();
    bool irgendwohinKlicken();
    bool hilfeBlaettern();
    bool hilfeGesperrtesHauptfenster();
    bool hilfeSchliessen();

    Formzivor *m_f = nullptr;
    QPointer<QWidget> m_hilfe;
    std::mt19937 m_zufall;
    quint32 m_saat = standardSaat;
    int m_schritte = standardSchritte;
    int m_schritt = 0;
    int m_fenster = 0;
    bool m_mitschreiben = false;
    std::deque<QString> m_verlauf;
    QString m_fehler;
    QString m_zwischenpunkt; // pointer position of a drag being checked

    QTimer m_wache; // closes the "Bewertung" box while an action waits for it
    QPointer<QMessageBox> m_box;
    int m_boxen = 0;
    int m_punkte = 0;

    // Whether the program wrote a field's text last (then it must match the curve state),
    // and the characters entered into a field since it became editable.
    std::array<bool, feldAnzahl> m_vomProgramm{};
    std::array<QString, feldAnzahl> m_eingegeben;
    int m_tippfeld = -1;
    // Whether curve i's amplitude and shift come from its phasor's tip; whether the tips
    // have been dragged at all (the design-time blue tip is not the sum).
    std::array<bool, 3> m_zeigerFrisch{};
    bool m_gezogen = false;
    int m_ursprungVersuche = 0;
    int m_ursprungTreffer = 0;
};

void TestAffe::initTestCase()
{
    bool ok = false;
    const quint32 saat = qEnvironmentVariable("ZIVOR_AFFE_SEED").toUInt(&ok);
    if (ok)
        m_saat = saat;
    const int schritte = qEnvironmentVariableIntValue("ZIVOR_AFFE_SCHRITTE", &ok);
    if (ok && schritte > 0)
        m_schritte = schritte;
    m_mitschreiben = qEnvironmentVariableIsSet("ZIVOR_AFFE_PROTOKOLL");
    m_zufall.seed(m_saat);
    m_wache.setInterval(2);
    connect(&m_wache, &QTimer::timeout, this, &TestAffe::bewertungSchliessen);
}

void TestAffe::cleanupTestCase()
{
    delete hilfe();
    delete m_f;
}

void TestAffe::neuesFenster()
{
    delete hilfe();
    delete m_f;
    m_f = new Formzivor;
    ++m_fenster;
    m_f->setzeZufallsquelle([this] { return static_cast<float>(m_zufall() >> 8) / 16777216.0f; });
    m_f->show();
    if (!QTest::qWaitForWindowExposed(m_f))
        fehler(QStringLiteral("Hauptfenster wird nicht gezeigt"));
    m_punkte = 0;
    m_gezogen = false;
    m_zeigerFrisch = {false, false, false};
    // The start texts of function 1 match its curve state; "1" in the rows 2 and 3 do not.
    m_vomProgramm = {true, false, false, true, false, false, true};
    for (QString &e : m_eingegeben)
        e.clear();
}

QString TestAffe::knoepfe() const
{
    QString s;
    for (const char *name : {"Commandaufgabe(0)", "Commandaufgabe(1)", "Command2"})
        s += c<QPushButton>(name)->isEnabled() ? u'E' : u'd';
    return s;
}

Stand TestAffe::stand() const
{
    Stand s;
    s.frequenz = m_f->frequenz;
    s.verschiebung = m_f->verschiebung;
    s.amplitude = m_f->amplitude;
    for (int k = 0; k < feldAnzahl; ++k) {
        s.texte[k] = feld(k)->text();
        s.nurLesen[k] = feld(k)->isReadOnly();
    }
    for (int i = 0; i < 3; ++i) {
        s.haken[i] = c<QCheckBox>(n("Checklinie", i))->isChecked();
        s.griffe[2 * i] = eig(n("Label1", i), "Left");
        s.griffe[2 * i + 1] = eig(n("Label1", i), "Top");
        s.spitzen[2 * i] = eig(n("Line1", i), "X2");
        s.spitzen[2 * i + 1] = eig(n("Line1", i), "Y2");
        s.breiten[i] = eig(n("Image2", i), "Width");
    }
    s.knoepfe = knoepfe();
    s.aufgabenfeld = gezeigt(QStringLiteral("Frame1"));
    s.fokus = QApplication::focusWidget();
    s.ziele = m_f->zielfrequenz * 100000 + m_f->zeigerlaenge[0] * 1000 + m_f->zeigerwinkel[0];
    s.punkte = m_f->punktegesamt;
    return s;
}

void TestAffe::protokoll(const QString &was)
{
    const QString zeile = txt("#%1 [Fenster %2] ", m_schritt, m_fenster) + was;
    if (m_mitschreiben)
        std::fprintf(stderr, "%s\n", qPrintable(zeile));
    m_verlauf.push_back(zeile);
    if (m_verlauf.size() > 10)
        m_verlauf.pop_front();
}

void TestAffe::fehler(const QString &was)
{
    if (!m_fehler.isEmpty())
        return;
    m_fehler = txt("Saat %1, Aktion %2", m_saat, m_schritt);
    if (!m_zwischenpunkt.isEmpty())
        m_fehler += QStringLiteral(" beim Ziehen über ") + m_zwischenpunkt;
    m_fehler += QStringLiteral(": ") + QString(was).replace(QChar(13), QLatin1String(" | "))
                + QStringLiteral("\nLetzte Aktionen:");
    for (const QString &zeile : m_verlauf)
        m_fehler += QStringLiteral("\n  ") + zeile;
}

// ---------------------------------------------------------------------------------------
// The run

void TestAffe::zufaelligeBedienung_data()
{
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("bis");
    QTest::addColumn<bool>("englisch");
    for (int von = 1, k = 0; von <= m_schritte; von += schritteJeAbschnitt, ++k) {
        const int bis = std::min(von + schritteJeAbschnitt - 1, m_schritte);
        const bool englisch = (m_saat + k) % 2 != 0;
        QTest::addRow("%d-%d %s", von, bis, englisch ? "en" : "de") << von << bis << englisch;
    }
}

void TestAffe::zufaelligeBedienung()
{
    QFETCH(int, von);
    QFETCH(int, bis);
    QFETCH(bool, englisch);
    QLocale::setDefault(englisch ? QLocale(QLocale::English, QLocale::UnitedStates)
                                 : QLocale(QLocale::German, QLocale::Germany));
    m_ursprungVersuche = 0;
    m_ursprungTreffer = 0;
    m_fehler.clear();
    m_verlauf.clear();
    neuesFenster();
    QVERIFY2(m_fehler.isEmpty(), qPrintable(m_fehler));
    struct Aktion {
        int gewicht;
        std::function<bool()> tun;
    };
    const std::vector<Aktion> imHauptfenster{{200, [this] { return ziehen(); }},
                                             {60, [this] { return schweben(); }},
                                             {80, [this] { return haken(); }},
                                             {100, [this] { return knopf(); }},
                                             {25, [this] { return menueAufgaben(); }},
                                             {10, [this] { return menueHilfe(); }},
                                             {150, [this] { return tippen(false); }},
                                             {40, [this] { return tippen(true); }},
                                             {40, [this] { return tabulator(); }},
                                             {70, [this] { return reglerDaumen(); }},
                                             {40, [this] { return reglerSchritte(); }},
                                             {40, [this] { return irgendwohinKlicken(); }},
                                             {4, [this] {
                                                  protokoll(QStringLiteral("Programm neu starten"));
                                                  neuesFenster();
                                                  return true;
                                              }}};
    const std::vector<Aktion> beiHilfe{{50, [this] { return hilfeBlaettern(); }},
                                       {15, [this] { return hilfeGesperrtesHauptfenster(); }},
                                       {20, [this] { return hilfeSchliessen(); }}};

    for (m_schritt = von; m_schritt <= bis; ++m_schritt) {
        const std::vector<Aktion> &aktionen = hilfe() ? beiHilfe : imHauptfenster;
        // The offscreen platform activates no window when another one closes; a window
        // manager gives the main window back its activation.
        if (!hilfe() && !m_f->isActiveWindow()) {
            m_f->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_f));
        }
        int summe = 0;
        for (const Aktion &a : aktionen)
            summe += a.gewicht;
        const Stand vorher = stand();
        const int fenster = m_fenster;
        m_tippfeld = -1;
        // The chunk's first action drags a tip, through the origin.
        bool getan = m_schritt == von && ziehen();
        while (!getan) {
            int wahl = zahl(0, summe - 1);
            std::size_t i = 0;
            while (wahl >= aktionen[i].gewicht)
                wahl -= aktionen[i++].gewicht;
            m_wache.start();
            getan = aktionen[i].tun();
            m_wache.stop();
        }
        QCoreApplication::processEvents();
        if (m_fehler.isEmpty())
            pruefe(fenster == m_fenster ? vorher : stand());
        QVERIFY2(m_fehler.isEmpty(), qPrintable(m_fehler));
    }

    // The coordinates of the drags are fine enough to reach the exact origin.
    QVERIFY2(m_ursprungVersuche > 0, "no drag went through the origin");
    QCOMPARE(m_ursprungTreffer, m_ursprungVersuche);

    // The last action: the menu "Beenden" closes the window.
    if (QWidget *h = hilfe())
        h->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_f->isEnabled());
    c<QAction>("menubeenden")->trigger();
    QVERIFY(!m_f->isVisible());
}

// ---------------------------------------------------------------------------------------
// Checks after every action

void TestAffe::pruefe(const Stand &vorher)
{
    if (!std::isfinite(m_f->frequenz))
        return fehler(txt("frequenz = %1", m_f->frequenz));
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(m_f->verschiebung[i]) || !std::isfinite(m_f->amplitude[i]))
            return fehler(txt("verschiebung(%1) = %2, amplitude = %3", i, m_f->verschiebung[i], m_f->amplitude[i]));
        for (const auto &[name, eigenschaften] :
             {std::pair{"Line1", std::array{"X1", "Y1", "X2", "Y2"}},
              std::pair{"Label1", std::array{"Left", "Top", "Width", "Height"}},
              std::pair{"Image2", std::array{"Left", "Top", "Width", "Height"}}})
            for (const char *e : eigenschaften)
                if (!std::isfinite(eig(n(name, i), e)))
                    return fehler(txt("%1.%2 = %3", n(name, i), e, eig(n(name, i), e)));
    }
    static const QRegularExpression tippform(QStringLiteral("^(-?\\d+, -?\\d+)?$"));
    if (!tippform.match(c("Picture2")->toolTip()).hasMatch())
        return fehler(QStringLiteral("Tooltip des Zeigerdiagramms ") + c("Picture2")->toolTip());
    const QString formel = c<QLabel>("Labelaufgabe")->text().section(QChar(13), 1);
    if (nanOderInf(formel))
        return fehler(QStringLiteral("Aufgabentext ") + formel);

    // The exercise panel: one of the states of the cycle; the spare task buttons never show.
    if (!QStringList({"Edd", "dEE", "dEd", "ddE", "ddd"}).contains(knoepfe()))
        return fehler(QStringLiteral("Knöpfe des Aufgabenfelds im Zustand ") + knoepfe());
    for (int i = 2; i < 5; ++i)
        if (gezeigt(n("Commandaufgabe", i)))
            return fehler(n("Commandaufgabe", i) + QStringLiteral(" ist zu sehen"));
    if (m_f->punktegesamt != m_punkte)
        return fehler(txt("punktegesamt %1, die Bewertungen ergaben %2", m_f->punktegesamt, m_punkte));
    const int hz = m_f->zielfrequenz, laenge = m_f->zeigerlaenge[0], winkel = m_f->zeigerwinkel[0];
    if ((hz != 0 && (hz < 25 || hz > 100 || (hz - 25) % 15 != 0)) || (laenge != 0 && (laenge < 3 || laenge > 10))
        || winkel < -90 || winkel > 90 || winkel % 10 != 0)
        return fehler(txt("Ziele %1 Hz, %2, %3°", hz, laenge, winkel));

    // The help window and the main window take turns.
    int hilfen = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        hilfen += w->objectName() == QLatin1String("frmzivorhilfe") && w->isVisible();
    if (hilfen > 1 || m_f->isEnabled() != (hilfen == 0))
        return fehler(txt("%1 Hilfefenster offen, Hauptfenster frei: %2", hilfen, m_f->isEnabled()));

    pruefeZeiger(vorher);
    if (m_fehler.isEmpty())
        pruefeFelder(vorher);
}

void TestAffe::pruefeZeiger(const Stand &vorher)
{
    const Stand jetzt = stand();
    m_gezogen = m_gezogen || jetzt.spitzen != vorher.spitzen;
    // Once a tip has been dragged, the blue tip is the sum of the other two.
    for (const int j : {0, 1}) {
        const double summe = jetzt.spitzen[j] + jetzt.spitzen[2 + j];
        if (m_gezogen && std::fabs(jetzt.spitzen[4 + j] - summe) > 1e-4 * std::max(1.0, std::fabs(summe)))
            return fehler(txt("Spitze der Summe bei %1, Summe der Spitzen %2", jetzt.spitzen[4 + j], summe));
    }
    // Amplitude and phase set by dragging are length and direction of the phasor (the phase
    // within the 0.48° that the rule's 64 units a radian leave).
    for (int i = 0; i < 3; ++i) {
        const bool spitze = jetzt.spitzen[2 * i] != vorher.spitzen[2 * i]
                            || jetzt.spitzen[2 * i + 1] != vorher.spitzen[2 * i + 1];
        const bool werte = jetzt.amplitude[i] != vorher.amplitude[i] || jetzt.verschiebung[i] != vorher.verschiebung[i];
        // A drag moves the tip of the phasor dragged together with its values, and always
        // the blue tip, but the sum's values only while "Gesamt:" is checked.
        if (i < 2 ? spitze : werte)
            m_zeigerFrisch[i] = true;
        else if (i < 2 ? werte : spitze)
            m_zeigerFrisch[i] = false;
        if (!m_zeigerFrisch[i])
            continue;
        // The line of a dragged phasor ends 1 right of and 1 below the pointer.
        const double versatz = i < 2 ? 1.0 : 0.0;
        const double x = jetzt.spitzen[2 * i] - versatz, y = jetzt.spitzen[2 * i + 1] + versatz;
        const double r = std::hypot(x, y);
        const double phi = (-static_cast<double>(m_f->verschiebung[i]) - 200.0) * 0.9;
        const double abweichung = std::remainder(phi - std::atan2(y, x) * 180.0 / 3.14159265358979323846, 360.0);
        if (std::fabs(m_f->amplitude[i] * 10.0 - r) > 1e-4 * (1.0 + r) || (r > 0.01 && std::fabs(abweichung) > 0.5))
            return fehler(txt("Zeiger %1 bis (%2, %3), amplitude %4, verschiebung %5", i, x, y, m_f->amplitude[i],
                              m_f->verschiebung[i]));
    }
}

void TestAffe::pruefeFelder(const Stand &vorher)
{
    // Leaving the frequency box brings its number into 25..100.
    QLineEdit *f = feld(textf);
    if (vorher.fokus == f && QApplication::focusWidget() != f) {
        const int hz = f->text().toInt();
        if (hz < 25 || hz > 100)
            return fehler(QStringLiteral("Textf verlor den Fokus mit ") + f->text());
        if (f->text() != vorher.texte[textf])
            m_eingegeben[textf] += f->text();
    }

    for (int k = 0; k < feldAnzahl; ++k) {
        QLineEdit *e = feld(k);
        const QString text = e->text();
        const QString meldung = QLatin1String(feldnamen[k]) + QStringLiteral(" zeigt \"") + text + u'"';
        if (e->maxLength() != hoechstlaenge[k] || text.size() > hoechstlaenge[k] || nanOderInf(text)
            || !passt(text, k, false))
            return fehler(meldung);
        if (!e->isReadOnly()) {
            // The learner's text: only what was entered, the answer fields starting empty.
            m_vomProgramm[k] = false;
            if (vorher.nurLesen[k])
                m_eingegeben[k].clear();
            if (!passt(text, k, true))
                return fehler(QStringLiteral("bearbeitbares ") + meldung);
            QString rest = m_eingegeben[k];
            for (const QChar z : text) {
                if (!rest.contains(z))
                    return fehler(QStringLiteral("bearbeitbares ") + meldung + QStringLiteral(", eingegeben wurde \"")
                                  + m_eingegeben[k] + u'"');
                rest.remove(rest.indexOf(z), 1);
            }
            continue;
        }
        // A read-only text that changed without typing was written by the program.
        if (text != vorher.texte[k] && m_tippfeld != k)
            m_vomProgramm[k] = true;
        if (!m_vomProgramm[k])
            continue;
        bool ok = false;
        if (k < 3) {
            // One decimal at most, and within rounding of the amplitude.
            static const QRegularExpression einstellig(QStringLiteral("^\\d+([.,]\\d)?$"));
            const double betrag = QLocale().toDouble(text, &ok);
            if (!ok || !einstellig.match(text).hasMatch()
                || std::fabs(betrag - m_f->amplitude[k]) > 0.05 + 1e-5 * betrag)
                return fehler(meldung + txt(", amplitude = %1", m_f->amplitude[k]));
        } else if (k < 6) {
            const int i = k - 3;
            const int grad = text.endsWith(u'°') ? text.chopped(1).toInt(&ok) : 0;
            const double phi = (-static_cast<double>(m_f->verschiebung[i]) - 200.0) * 0.9;
            // The sum's angle outside the third quadrant is shown 0.9° larger.
            if (!ok || grad - phi < -0.5 - 1e-6 || grad - phi > (i == 2 ? 1.4 : 0.5) + 1e-6)
                return fehler(meldung + txt(", verschiebung = %1", m_f->verschiebung[i]));
        } else if (!e->isHidden()) {
            const int hz = text.toInt(&ok);
            if (!ok || QString::number(hz) != text || hz < 25 || hz > 100)
                return fehler(meldung);
        }
    }
}

void TestAffe::bewertungSchliessen()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible())
        return;
    if (box == m_box) { // the way chosen last time did not close it
        fehler(QStringLiteral("die Bewertung bleibt offen"));
        box->button(QMessageBox::Ok)->click();
        return;
    }
    m_box = box;
    ++m_boxen;
    const QString text = box->text();
    const QRegularExpression form(txt("^(\r?)Frequenz (richtig|falsch)\rPhase (richtig|falsch)\rAmplitude "
                                      "(richtig|falsch)\r(\\d)%1 für die Aufgabe\r(\\d+)%1 Gesamt$",
                                      m_f->aufgabennummer == 1 ? " Punkte" : ""));
    const QRegularExpressionMatch m = form.match(text);
    const int punkte = m.captured(5).toInt();
    if (box->windowTitle() != QLatin1String("Bewertung") || !m.hasMatch()
        || punkte != static_cast<int>(text.count(QLatin1String(" richtig")))
        || m.captured(6).toInt() != m_punkte + punkte || m.captured(1).isEmpty() != (m.captured(2) == "richtig"))
        fehler(txt("Bewertung nach %1 Punkten: ", m_punkte) + box->windowTitle() + QStringLiteral(", ") + text);
    m_punkte = m.captured(6).toInt();
    switch (zahl(0, 3)) {
    case 0:
        box->button(QMessageBox::Ok)->click();
        break;
    case 1:
        QTest::keyClick(box, Qt::Key_Return);
        break;
    case 2:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
    default:
        box->close();
    }
}

// ---------------------------------------------------------------------------------------
// Dragging and hovering

void TestAffe::bewege(QPointF p)
{
    const QPoint ganz = p.toPoint();
    if (QPointF(ganz) == p && m_f->rect().contains(ganz)) {
        QTest::mouseMove(m_f->windowHandle(), ganz);
        return;
    }
    // Between pixels or beyond the window's edges.
    QMouseEvent e(QEvent::MouseMove, p, p, m_f->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_f->windowHandle(), &e);
    QCoreApplication::processEvents();
}

QPointF TestAffe::zielpunkt(QPointF letzter, int zeiger, bool *ursprung)
{
    QWidget *bild = c("Picture2");
    const QPointF o = fensterpunkt(bild, QPoint(0, 0));
    const int g = bild->width() - 1;
    *ursprung = false;
    const int art = m_ursprungVersuche == 0 && bild->isVisible() ? 65 : zahl(0, 99);
    if (art < 35)
        return o + QPointF(zahl(0, g), zahl(0, g));
    if (art < 50)
        return QPointF(std::round(letzter.x()) + zahl(-6, 6), std::round(letzter.y()) + zahl(-6, 6));
    if (art < 58) // exactly on an axis: the origin lies between the pixels 195 and 196
        return o + (wurf(50) ? QPointF(195.5, zahl(0, g)) : QPointF(zahl(0, g), 195.5));
    if (art < 62)
        return o + QPointF(zahl(195, 196), zahl(195, 196));
    if (art < 67) {
        *ursprung = true;
        return o + QPointF(195.5, 195.5);
    }
    if (art < 71) { // the sum's tip on an axis
        const int anderer = zeiger == 0 ? 1 : 0;
        double x = zahl(-100, 100), y = zahl(-100, 100);
        if (wurf(50))
            x = -1.0 - eig(n("Line1", anderer), "X2");
        else
            y = 1.0 - eig(n("Line1", anderer), "Y2");
        return o + QPointF(2 + (x + 100) * 29.025 / 15, 2 + (100 - y) * 29.025 / 15);
    }
    if (art < 76) { // along the border
        const int rand = wurf(50) ? zahl(0, 3) : zahl(g - 3, g);
        return o + (wurf(50) ? QPointF(rand, zahl(0, g)) : QPointF(zahl(0, g), rand));
    }
    if (art < 95)
        return irgendwo(m_f);
    return QPointF(zahl(-4000, 4800), zahl(-4000, 4600));
}

bool TestAffe::ziehen()
{
    // A handle can be grabbed where it is visible and on top.
    std::vector<std::pair<int, QPoint>> griffe;
    for (int i = 0; i < 3; ++i) {
        QWidget *griff = c(n("Label1", i));
        const QPoint p = fensterpunkt(griff, QPoint(zahl(0, 3), zahl(0, 3)));
        if (erreichbar(griff, p))
            griffe.emplace_back(i, p);
    }
    if (griffe.empty()) {
        // The shown tips were dropped outside the diagram: now and then the learner starts anew.
        const bool verloren = c("Picture2")->isVisible() && (gezeigt("Label1(0)") || gezeigt("Label1(1)"));
        if (!verloren || !wurf(5))
            return false;
        protokoll(QStringLiteral("kein Griff erreichbar: Programm neu starten"));
        neuesFenster();
        return true;
    }
    const auto [i, start] = griffe[zahl(0, static_cast<int>(griffe.size()) - 1)];

    std::vector<std::pair<QPointF, bool>> weg;
    QPointF letzter = start;
    QString text = txt("Ziehen Label1(%1) ab ", i) + punkt(start) + QStringLiteral(" über");
    for (int k = zahl(1, 8); k > 0; --k) {
        bool ursprung = false;
        letzter = zielpunkt(letzter, i == 0 ? 0 : 1, &ursprung);
        weg.emplace_back(letzter, ursprung);
        text += u' ' + punkt(letzter) + (ursprung ? QStringLiteral("=Ursprung") : QString());
    }
    QWidget *bild = c("Picture2");
    const QRect bildRechteck(fensterpunkt(bild, QPoint(0, 0)), bild->size());
    QPoint los = letzter.toPoint();
    if (wurf(80)) {
        if (QPointF(los) != letzter || !bildRechteck.contains(los) || wurf(50))
            los = irgendwo(bild);
    } else {
        do
            los = irgendwo(m_f);
        while (bildRechteck.contains(los));
    }
    protokoll(text + QStringLiteral(", los bei ") + punkt(los)
              + (bildRechteck.contains(los) ? QStringLiteral(" im Diagramm") : QStringLiteral(" außerhalb")));

    const Stand vorher = stand();
    QWindow *fenster = m_f->windowHandle();
    QTest::mouseMove(fenster, start);
    QTest::mousePress(fenster, Qt::LeftButton, {}, start);
    // Every pointer position is checked, not only where the drag ends.
    Stand zwischen = vorher;
    for (const auto &[p, ursprung] : weg) {
        bewege(p);
        if (ursprung && bild->isVisible()) {
            ++m_ursprungVersuche;
            m_ursprungTreffer += eig(n("Label1", i), "Left") == 0.0 && eig(n("Label1", i), "Top") == 0.0;
        }
        m_zwischenpunkt = punkt(p);
        pruefe(zwischen);
        m_zwischenpunkt.clear();
        zwischen = stand();
    }
    QTest::mouseRelease(fenster, Qt::LeftButton, {}, los);

    const Stand nachher = stand();
    if (nachher.frequenz != vorher.frequenz || nachher.ziele != vorher.ziele)
        return fehler(QStringLiteral("Ziehen änderte Frequenz oder Ziele")), true;
    // When the tips moved, the time diagram was redrawn at the current frequency.
    const double breite = std::nearbyint(80000.0 / m_f->frequenz);
    const QString hz = QString::number(static_cast<int>(std::nearbyint(m_f->frequenz)));
    if (nachher.spitzen != vorher.spitzen
        && (nachher.breiten != std::array{breite, breite, breite} || nachher.texte[textf] != hz))
        fehler(txt("nach dem Ziehen Breite %1, Textf ", nachher.breiten[0]) + nachher.texte[textf]
               + txt(" bei frequenz %1", m_f->frequenz));
    return true;
}

bool TestAffe::schweben()
{
    const QPoint p = irgendwo(wurf(70) ? c("Picture2") : m_f);
    protokoll(QStringLiteral("Maus über ") + punkt(p));
    QTest::mouseMove(m_f->windowHandle(), p);
    return true;
}

// ---------------------------------------------------------------------------------------
// Clicks on the controls and the menus

bool TestAffe::haken()
{
    const int k = zahl(0, 2);
    auto *box = c<QCheckBox>(n("Checklinie", k));
    const QPoint p = fensterpunkt(box, QPoint(8, box->height() / 2));
    if (!erreichbar(box, p))
        return false;
    protokoll(txt("Klick Checklinie(%1)", k));
    std::array<bool, 3> erwartet = stand().haken;
    erwartet[k] = !erwartet[k];
    if (k == 2 && erwartet[2])
        erwartet[1] = true;
    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, p);
    if (stand().haken != erwartet)
        return fehler(QStringLiteral("Haken stehen nicht wie erwartet")), true;
    // Every click applies the whole selection.
    for (int i = 0; i < 3; ++i)
        for (const QString &name : {n("Line1", i), n("Label1", i), n("Image2", i), n("Textampl", i), n("Textwinkel", i),
                                    n("Text1", i), n("Text1", i + 3)})
            if (gezeigt(name) != erwartet[i])
                return fehler(name + QStringLiteral(" folgt dem Haken nicht")), true;
    return true;
}

bool TestAffe::knopf()
{
    std::vector<QPushButton *> kandidaten;
    for (const char *name : {"Commandaufgabe(0)", "Commandaufgabe(1)", "Command2", "Command1"}) {
        auto *k = c<QPushButton>(name);
        if (erreichbar(k, fensterpunkt(k, k->rect().center())))
            kandidaten.push_back(k);
    }
    if (kandidaten.empty())
        return false;
    QPushButton *k = kandidaten[zahl(0, static_cast<int>(kandidaten.size()) - 1)];
    const QString name = k->objectName();
    const bool frei = k->isEnabled();
    protokoll(QStringLiteral("Klick ") + name + QStringLiteral(" \"") + k->text() + u'"'
              + (frei ? QString() : QStringLiteral(" (gesperrt)")));
    const QString alt = knoepfe();
    const int boxen = m_boxen;
    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, fensterpunkt(k, k->rect().center()));

    QString erwartet = alt;
    if (frei && name == QLatin1String("Commandaufgabe(0)"))
        erwartet = QStringLiteral("dEE");
    else if (frei && name == QLatin1String("Commandaufgabe(1)"))
        erwartet = QStringLiteral("ddE");
    else if (frei && name == QLatin1String("Command2"))
        erwartet = alt == QLatin1String("dEE") ? QStringLiteral("dEd") : QStringLiteral("ddd");
    if (knoepfe() != erwartet)
        return fehler(txt("Knöpfe %1 nach %2, erwartet %3", knoepfe(), alt, erwartet)), true;
    if ((m_boxen != boxen) != (frei && name == QLatin1String("Command2")))
        return fehler(txt("Bewertung erschien %1-mal", m_boxen - boxen)), true;
    if (frei && name == QLatin1String("Command1")) {
        // Back to free experimenting.
        bool freierBetrieb = !gezeigt("Frame1") && gezeigt("Picture2") && gezeigt("Textf") && c("HScroll3")->isEnabled()
                    && m_f->frequenz == 50.0f;
        for (int i = 0; i < 3; ++i)
            freierBetrieb = freierBetrieb && gezeigt(n("Checklinie", i));
        for (const int f : {0, 3, textf})
            freierBetrieb = freierBetrieb && feld(f)->isReadOnly();
        if (!freierBetrieb)
            fehler(QStringLiteral("\"Beenden\" stellt den freien Betrieb nicht her"));
    }
    return true;
}

bool TestAffe::menueAufgaben()
{
    auto *aktion = c<QAction>("menuaufgaben");
    const bool frei = aktion->isEnabled();
    protokoll(QStringLiteral("Menü Aufgaben") + (frei ? QString() : QStringLiteral(" (gesperrt)")));
    const bool vorher = gezeigt("Frame1");
    aktion->trigger();
    if (gezeigt("Frame1") != (frei || vorher) || aktion->isEnabled())
        fehler(txt("Menü Aufgaben: Aufgabenfeld %1, Menü %2", gezeigt("Frame1"), aktion->isEnabled()));
    return true;
}

bool TestAffe::menueHilfe()
{
    protokoll(QStringLiteral("Menü Hilfe"));
    c<QAction>("menuhilfe")->trigger();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmzivorhilfe") && w->isVisible())
            m_hilfe = w;
    if (!hilfe())
        fehler(QStringLiteral("kein Hilfefenster"));
    return true;
}

bool TestAffe::irgendwohinKlicken()
{
    const QPoint p = irgendwo(m_f->centralWidget());
    QWidget *unter = m_f->childAt(p);
    protokoll(QStringLiteral("Klick bei ") + punkt(p) + QStringLiteral(" auf ") + (unter ? unter->objectName() : ""));
    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, p);
    return true;
}

// ---------------------------------------------------------------------------------------
// Keyboard

bool TestAffe::tippen(bool einfuegen)
{
    const int k = zahl(0, feldAnzahl - 1);
    QLineEdit *e = feld(k);
    const QPoint p = fensterpunkt(e, e->rect().center());
    if (!erreichbar(e, p))
        return false;
    struct Taste {
        Qt::Key taste;
        Qt::KeyboardModifiers mit;
        const char *name;
    };
    static const Taste tasten[] = {
        {Qt::Key_Backspace, {}, "Rück"}, {Qt::Key_Return, {}, "Eingabe"}, {Qt::Key_Enter, {}, "Enter"},
        {Qt::Key_Delete, {}, "Entf"},    {Qt::Key_Left, {}, "Links"},     {Qt::Key_Right, {}, "Rechts"},
        {Qt::Key_Home, {}, "Pos1"},      {Qt::Key_End, {}, "Ende"},       {Qt::Key_A, Qt::ControlModifier, "Strg+A"},
        {Qt::Key_Z, Qt::ControlModifier, "Strg+Z"}};
    static const QString haeufig = QStringLiteral("0123456789,.-");
    static const QString ablagezeichen = QStringLiteral("0123456789,.-+ °aZ\täß€e");

    // What is typed: characters as text, other keys as an index into tasten.
    std::vector<std::pair<QString, int>> folge;
    QString text = QStringLiteral("Klick in ") + QLatin1String(feldnamen[k]);
    if (einfuegen) {
        QString ablage;
        for (int j = zahl(0, 12); j > 0; --j)
            ablage += ablagezeichen[zahl(0, static_cast<int>(ablagezeichen.size()) - 1)];
        folge.emplace_back(ablage, -1);
        text += QStringLiteral(" und Strg+V \"") + ablage + u'"';
    } else {
        text += QStringLiteral(" und tippen");
        for (int j = zahl(1, 8); j > 0; --j) {
            const int art = zahl(0, 9);
            if (art < 6) {
                const QChar z = art < 4 ? haeufig[zahl(0, static_cast<int>(haeufig.size()) - 1)] : QChar(zahl(32, 126));
                folge.emplace_back(QString(z), -1);
                text += QStringLiteral(" '") + z + u'\'';
            } else {
                const int t = zahl(0, static_cast<int>(std::size(tasten)) - 1);
                folge.emplace_back(QString(), t);
                text += u' ' + QString::fromUtf8(tasten[t].name);
            }
        }
    }
    protokoll(text);

    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, p);
    if (QApplication::focusWidget() != e)
        return fehler(QStringLiteral("Klick gibt dem Feld nicht den Fokus")), true;
    m_tippfeld = k;
    const QString vorher = e->text();
    for (const auto &[zeichen, t] : folge) {
        if (einfuegen) {
            QApplication::clipboard()->setText(zeichen);
            QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        } else if (t < 0) {
            QTest::keyClicks(e, zeichen);
        } else {
            QTest::keyClick(e, tasten[t].taste, tasten[t].mit);
        }
        if (!e->isReadOnly()) // a comma is entered as a point
            m_eingegeben[k] += QString(zeichen).replace(u',', u'.');
    }
    if (e->isReadOnly() && e->text() != vorher)
        fehler(QStringLiteral("schreibgeschütztes Feld: \"") + vorher + QStringLiteral("\" wurde \"") + e->text()
               + u'"');
    return true;
}

bool TestAffe::tabulator()
{
    QWidget *w = QApplication::focusWidget();
    if (w == nullptr)
        return false;
    const bool zurueck = wurf(30);
    protokoll(QLatin1String(zurueck ? "Umschalt+Tab aus " : "Tab aus ") + w->objectName());
    QTest::keyClick(w, zurueck ? Qt::Key_Backtab : Qt::Key_Tab, zurueck ? Qt::ShiftModifier : Qt::NoModifier);
    return true;
}

// ---------------------------------------------------------------------------------------
// The frequency slider

bool TestAffe::reglerDaumen()
{
    auto *regler = c<QScrollBar>("HScroll3");
    if (!regler->isVisible() || !regler->isEnabled())
        return false;
    std::vector<int> positionen;
    QString text = txt("Reglerdaumen von %1 über", regler->sliderPosition());
    for (int j = zahl(1, 4); j > 0; --j) {
        positionen.push_back(wurf(10) ? (wurf(50) ? 800 : 3200) : zahl(800, 3200));
        text += txt(" %1", positionen.back());
    }
    protokoll(text);
    bool bewegt = false;
    regler->setSliderDown(true);
    for (const int p : positionen) {
        bewegt = bewegt || p != regler->sliderPosition();
        regler->setSliderPosition(p);
    }
    regler->setSliderDown(false);
    // The thumb sets the frequency and the curves as wide as its position.
    const int p = regler->value();
    const QString hz = QString::number(static_cast<int>(std::nearbyint(m_f->frequenz)));
    if (bewegt
        && (m_f->frequenz != static_cast<float>(1600.0 / p * 50.0) || feld(textf)->text() != hz
            || stand().breiten != std::array<double, 3>{double(p), double(p), double(p)}))
        fehler(txt("Regler %1: frequenz %2, Breite %3, Textf ", p, m_f->frequenz, stand().breiten[0])
               + feld(textf)->text());
    return true;
}

bool TestAffe::reglerSchritte()
{
    auto *regler = c<QScrollBar>("HScroll3");
    if (!regler->isVisible() || !regler->isEnabled())
        return false;
    static const QAbstractSlider::SliderAction schritte[] = {
        QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub, QAbstractSlider::SliderPageStepAdd,
        QAbstractSlider::SliderPageStepSub,   QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
    static const Qt::Key tasten[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp,
                                     Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    const int s = zahl(0, 5), mal = zahl(1, 5);
    const bool taste = wurf(30);
    protokoll(txt("Regler %1 %2 mal %3", taste ? "Taste" : "Schritt", s, mal));
    const int vorherPosition = regler->value();
    for (int j = 0; j < mal; ++j) {
        if (taste)
            QTest::keyClick(regler, tasten[s]);
        else
            regler->triggerAction(schritte[s]);
    }
    // Arrows, track and keys apply the position like the thumb drag.
    const Stand nachher = stand();
    const int p = regler->value();
    const QString hz = QString::number(static_cast<int>(std::nearbyint(m_f->frequenz)));
    if (p != vorherPosition
        && (nachher.frequenz != static_cast<float>(1600.0 / p * 50.0) || nachher.texte[textf] != hz
            || nachher.breiten != std::array<double, 3>{double(p), double(p), double(p)}))
        fehler(txt("Reglerschritte auf %1: frequenz %2, Breite %3", p, nachher.frequenz, nachher.breiten[0]));
    return true;
}

// ---------------------------------------------------------------------------------------
// The help window

bool TestAffe::hilfeBlaettern()
{
    auto *leiste = hilfe()->findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    const int art = zahl(0, 3);
    if (art == 0) {
        const int p = zahl(0, leiste->maximum());
        protokoll(txt("Hilfe: Daumen auf %1", p));
        leiste->setSliderDown(true);
        leiste->setSliderPosition(p);
        leiste->setSliderDown(false);
    } else if (art == 1) {
        const int s = zahl(1, 6);
        protokoll(txt("Hilfe: Schritt %1", s));
        leiste->triggerAction(static_cast<QAbstractSlider::SliderAction>(s));
    } else if (art == 2) {
        static const int drehungen[] = {-360, -120, -60, 60, 120, 240};
        const int d = drehungen[zahl(0, 5)];
        const QPointF lokal(zahl(0, hilfe()->width() - 1), zahl(0, hilfe()->height() - 1));
        protokoll(txt("Hilfe: Mausrad %1 bei ", d) + punkt(lokal));
        QWheelEvent e(lokal, hilfe()->mapToGlobal(lokal), QPoint(), QPoint(0, d), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(hilfe()->windowHandle(), &e);
    } else {
        static const Qt::Key tasten[] = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                         Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const int t = zahl(0, 5);
        protokoll(txt("Hilfe: Taste %1", t));
        QTest::keyClick(leiste, tasten[t]);
    }
    // The page follows the scroll bar, from its top down to its bottom.
    const double top = hilfe()->findChild<QWidget *>(QStringLiteral("Image1"))->property("Top").toDouble();
    if (!std::isfinite(top) || top > 0 || top < -8351 || (top == 0) != (leiste->value() == 0))
        fehler(txt("Hilfeseite bei Top %1 für Wert %2", top, leiste->value()));
    return true;
}

bool TestAffe::hilfeGesperrtesHauptfenster()
{
    const QPoint p = irgendwo(m_f->centralWidget());
    protokoll(QStringLiteral("Hilfe offen: Klick ins Hauptfenster bei ") + punkt(p));
    const Stand vorher = stand();
    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, p);
    if (!(stand() == vorher))
        fehler(QStringLiteral("das gesperrte Hauptfenster nahm einen Klick an"));
    return true;
}

bool TestAffe::hilfeSchliessen()
{
    const bool knopf = wurf(50);
    protokoll(QStringLiteral("Hilfe schließen") + (knopf ? QStringLiteral(" mit dem Fensterknopf") : QString()));
    if (knopf)
        hilfe()->windowHandle()->close();
    else
        hilfe()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (hilfe() || !m_f->isEnabled())
        fehler(QStringLiteral("Hilfefenster nicht entladen oder Hauptfenster gesperrt"));
    return true;
}

QTEST_MAIN(TestAffe)
#include "test_affe.moc"
