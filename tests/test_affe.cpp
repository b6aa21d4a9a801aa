// A monkey at the main window: a long, seeded sequence of random user actions (clicks on
// the controls, drags of the phasor tips over the axes, through the origin and out of the
// diagram, hovering, typing and pasting into the number fields, the frequency slider, the
// exercise cycle with its "Bewertung" box, the help window), with the window's state
// checked after every action. A failure names the seed, the action and the last actions.
//
// Environment:
//   ZIVOR_AFFE_SEED      seed of the run (default 20261208)
//   ZIVOR_AFFE_SCHRITTE  number of actions (default 2500)
//   ZIVOR_AFFE_PROTOKOLL when set, every action is printed as it is done (to find the
//                        action a crash happened in)
// e.g.  ZIVOR_AFFE_SEED=7 ZIVOR_AFFE_SCHRITTE=30000 ./test_affe

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
#include <deque>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr quint32 standardSaat = 20261208;
constexpr int standardSchritte = 2500;

// The seven number fields: Textampl(0..2), Textwinkel(0..2), Textf.
constexpr int feldAnzahl = 7;
constexpr int textf = 6;
const std::array<const char *, feldAnzahl> feldnamen{"Textampl(0)", "Textampl(1)", "Textampl(2)", "Textwinkel(0)",
                                                      "Textwinkel(1)", "Textwinkel(2)", "Textf"};
constexpr std::array<int, feldAnzahl> hoechstlaenge{5, 5, 5, 5, 5, 5, 3};

// What a field may hold at all, and what the learner can enter while it is editable.
const QRegularExpression &zeichenAlle(int k)
{
    static const QRegularExpression ampl(QStringLiteral("^[0-9.,]*$")), winkel(QStringLiteral("^[0-9-]*°?$")),
        f(QStringLiteral("^[0-9]*$"));
    return k < 3 ? ampl : k < 6 ? winkel : f;
}
const QRegularExpression &zeichenEingabe(int k)
{
    static const QRegularExpression ampl(QStringLiteral("^[0-9.]*$")), winkel(QStringLiteral("^[0-9-]*$")),
        f(QStringLiteral("^[0-9]*$"));
    return k < 3 ? ampl : k < 6 ? winkel : f;
}

bool nanOderInf(const QString &text)
{
    return text.contains(QLatin1String("nan"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

QString punkt(QPointF p)
{
    return QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y());
}

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
    quint8 zielfrequenz = 0, zeigerlaenge = 0, punkte = 0;
    qint16 zeigerwinkel = 0;

    bool operator==(const Stand &o) const
    {
        return frequenz == o.frequenz && verschiebung == o.verschiebung && amplitude == o.amplitude
            && texte == o.texte && nurLesen == o.nurLesen && haken == o.haken && griffe == o.griffe
            && spitzen == o.spitzen && breiten == o.breiten && knoepfe == o.knoepfe
            && aufgabenfeld == o.aufgabenfeld && zielfrequenz == o.zielfrequenz
            && zeigerlaenge == o.zeigerlaenge && zeigerwinkel == o.zeigerwinkel && punkte == o.punkte;
    }
};

} // namespace

class TestAffe : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void zufaelligeBedienung();
    void cleanupTestCase();

private:
    // Random numbers of the run.
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
    T *c(const char *name) const { return c<T>(QLatin1String(name)); }
    QString n(const char *name, int i) const { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i); }
    QLineEdit *feld(int k) const { return c<QLineEdit>(feldnamen[k]); }
    double eig(const QString &name, const char *e) const { return c<QObject>(name)->property(e).toDouble(); }
    bool gezeigt(const QString &name) const
    {
        QObject *o = c<QObject>(name);
        if (auto *w = qobject_cast<QWidget *>(o))
            return !w->isHidden();
        return o->property("Visible").toBool();
    }
    QString knoepfe() const;
    QPointF fensterpunkt(QWidget *w, QPointF p) const { return w->mapTo(m_f, p); }
    bool erreichbar(QWidget *w, QPoint p) const { return w->isVisible() && m_f->childAt(p) == w; }
    QWidget *hilfe() const { return m_hilfe.data(); }

    void neuesFenster();
    Stand stand() const;
    void protokoll(const QString &was);
    void fehler(const QString &was);
    void pruefe(const Stand &vorher);
    void pruefeFelder(const Stand &vorher);
    void bewertungSchliessen();

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

    QPointF zielpunkt(QPointF letzter, int griff, bool *ursprung);
    void bewege(QPointF p);

    Formzivor *m_f = nullptr;
    QPointer<QWidget> m_hilfe;
    std::mt19937 m_zufall;
    quint32 m_saat = standardSaat;
    int m_schritte = standardSchritte;
    int m_schritt = 0;
    bool m_mitschreiben = false;
    std::deque<QString> m_verlauf;
    QString m_fehler;

    QTimer m_wache; // closes the "Bewertung" box while an action waits for it
    QPointer<QMessageBox> m_box;
    int m_boxen = 0;
    int m_punkte = 0;

    // Whether the program wrote a field's text last (then it must match the curve state),
    // and the characters entered into a field since it became editable.
    std::array<bool, feldAnzahl> m_vomProgramm{};
    std::array<QString, feldAnzahl> m_eingegeben;
    int m_tippfeld = -1;
    bool m_summeGezogen = false;
    int m_ursprungVersuche = 0;
    int m_ursprungTreffer = 0;
    int m_fenster = 0;
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
    // Odd seeds run with a decimal point, even ones with the German comma.
    QLocale::setDefault(m_saat % 2 ? QLocale(QLocale::English, QLocale::UnitedStates)
                                   : QLocale(QLocale::German, QLocale::Germany));
    m_wache.setInterval(2);
    connect(&m_wache, &QTimer::timeout, this, &TestAffe::bewertungSchliessen);
}

void TestAffe::cleanupTestCase()
{
    if (QWidget *h = hilfe())
        delete h;
    delete m_f;
}

void TestAffe::neuesFenster()
{
    if (QWidget *h = hilfe())
        delete h;
    delete m_f;
    m_f = new Formzivor;
    ++m_fenster;
    m_f->setzeZufallsquelle([this] { return static_cast<float>(m_zufall() >> 8) / 16777216.0f; });
    m_f->show();
    if (!QTest::qWaitForWindowExposed(m_f))
        fehler(QStringLiteral("Hauptfenster wird nicht gezeigt"));
    m_f->activateWindow();
    if (!QTest::qWaitForWindowActive(m_f))
        fehler(QStringLiteral("Hauptfenster wird nicht aktiv"));
    m_punkte = 0;
    m_summeGezogen = false;
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
    s.zielfrequenz = m_f->zielfrequenz;
    s.zeigerlaenge = m_f->zeigerlaenge[0];
    s.zeigerwinkel = m_f->zeigerwinkel[0];
    s.punkte = m_f->punktegesamt;
    return s;
}

void TestAffe::protokoll(const QString &was)
{
    const QString zeile = QStringLiteral("#%1 [Fenster %2] %3").arg(m_schritt).arg(m_fenster).arg(was);
    if (m_mitschreiben)
        qInfo("%s", qPrintable(zeile));
    m_verlauf.push_back(zeile);
    if (m_verlauf.size() > 10)
        m_verlauf.pop_front();
}

void TestAffe::fehler(const QString &was)
{
    if (!m_fehler.isEmpty())
        return;
    m_fehler = QStringLiteral("Saat %1, Aktion %2: %3\nLetzte Aktionen:").arg(m_saat).arg(m_schritt).arg(was);
    for (const QString &zeile : m_verlauf)
        m_fehler += QStringLiteral("\n  ") + zeile;
}

// ---------------------------------------------------------------------------------------
// The run

void TestAffe::zufaelligeBedienung()
{
    neuesFenster();
    QVERIFY2(m_fehler.isEmpty(), qPrintable(m_fehler));
    struct Aktion {
        int gewicht;
        std::function<bool()> tun;
    };
    const std::vector<Aktion> imHauptfenster{
        {200, [this] { return ziehen(); }},       {60, [this] { return schweben(); }},
        {80, [this] { return haken(); }},         {60, [this] { return knopf(); }},
        {15, [this] { return menueAufgaben(); }}, {10, [this] { return menueHilfe(); }},
        {150, [this] { return tippen(false); }},  {40, [this] { return tippen(true); }},
        {40, [this] { return tabulator(); }},     {70, [this] { return reglerDaumen(); }},
        {40, [this] { return reglerSchritte(); }}, {40, [this] { return irgendwohinKlicken(); }},
        {3, [this] {
             protokoll(QStringLiteral("Programm neu starten"));
             neuesFenster();
             return true;
         }}};
    const std::vector<Aktion> beiHilfe{{50, [this] { return hilfeBlaettern(); }},
                                       {15, [this] { return hilfeGesperrtesHauptfenster(); }},
                                       {20, [this] { return hilfeSchliessen(); }}};

    for (m_schritt = 1; m_schritt <= m_schritte; ++m_schritt) {
        const std::vector<Aktion> &aktionen = hilfe() ? beiHilfe : imHauptfenster;
        // The offscreen platform activates no window when a message box closes; a window
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
        bool getan = false;
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

    // The coordinates were fine enough to reach the exact origin.
    QVERIFY2(m_ursprungVersuche == 0 || m_ursprungTreffer > 0, "the exact origin was never reached");

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
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(m_f->verschiebung[i]) || !std::isfinite(m_f->amplitude[i]))
            return fehler(QStringLiteral("verschiebung(%1) = %2, amplitude(%1) = %3")
                              .arg(i).arg(m_f->verschiebung[i]).arg(m_f->amplitude[i]));
        for (const char *e : {"X1", "Y1", "X2", "Y2"})
            if (!std::isfinite(eig(n("Line1", i), e)))
                return fehler(QStringLiteral("Line1(%1).%2 = %3").arg(i).arg(QLatin1String(e)).arg(eig(n("Line1", i), e)));
        for (const char *name : {"Label1", "Image2"})
            for (const char *e : {"Left", "Top", "Width", "Height"})
                if (!std::isfinite(eig(n(name, i), e)))
                    return fehler(QStringLiteral("%1.%2 = %3").arg(n(name, i), QLatin1String(e)).arg(eig(n(name, i), e)));
    }
    if (!std::isfinite(m_f->frequenz))
        return fehler(QStringLiteral("frequenz = %1").arg(m_f->frequenz));

    const QString tipp = c("Picture2")->toolTip();
    static const QRegularExpression tippform(QStringLiteral("^(-?\\d+, -?\\d+)?$"));
    if (!tippform.match(tipp).hasMatch())
        return fehler(QStringLiteral("Tooltip des Zeigerdiagramms \"%1\"").arg(tipp));
    const QString aufgabe = c<QLabel>("Labelaufgabe")->text();
    if (nanOderInf(aufgabe.section(QChar(13), 1)))
        return fehler(QStringLiteral("Aufgabentext \"%1\"").arg(aufgabe));

    // The exercise panel: one of the states of the cycle; the spare task buttons never show.
    static const QStringList zustaende{QStringLiteral("Edd"), QStringLiteral("dEE"), QStringLiteral("dEd"),
                                       QStringLiteral("ddE"), QStringLiteral("ddd")};
    if (!zustaende.contains(knoepfe()))
        return fehler(QStringLiteral("Knöpfe des Aufgabenfelds im Zustand %1").arg(knoepfe()));
    for (int i = 2; i < 5; ++i)
        if (gezeigt(n("Commandaufgabe", i)))
            return fehler(n("Commandaufgabe", i) + QStringLiteral(" ist zu sehen"));
    if (m_f->punktegesamt != m_punkte)
        return fehler(QStringLiteral("punktegesamt %1, die Bewertungen ergaben %2").arg(m_f->punktegesamt).arg(m_punkte));
    const int hz = m_f->zielfrequenz, laenge = m_f->zeigerlaenge[0], winkel = m_f->zeigerwinkel[0];
    if ((hz != 0 && (hz < 25 || hz > 100 || (hz - 25) % 15 != 0)) || (laenge != 0 && (laenge < 3 || laenge > 10))
        || winkel < -90 || winkel > 90 || winkel % 10 != 0)
        return fehler(QStringLiteral("Ziele %1 Hz, %2, %3°").arg(hz).arg(laenge).arg(winkel));

    // The help window and the main window take turns.
    int hilfen = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmzivorhilfe") && w->isVisible())
            ++hilfen;
    if (hilfen > 1 || m_f->isEnabled() != (hilfen == 0))
        return fehler(QStringLiteral("%1 Hilfefenster offen, Hauptfenster %2")
                          .arg(hilfen).arg(m_f->isEnabled() ? "frei" : "gesperrt"));

    // Once a tip has been dragged, the blue tip is the sum of the other two.
    if (m_summeGezogen) {
        for (const char *e : {"X2", "Y2"}) {
            const double summe = eig(n("Line1", 0), e) + eig(n("Line1", 1), e);
            const double blau = eig(n("Line1", 2), e);
            if (std::fabs(blau - summe) > 1e-4 * std::max(1.0, std::fabs(summe)))
                return fehler(QStringLiteral("Line1(2).%1 = %2, Summe der Spitzen %3").arg(QLatin1String(e)).arg(blau).arg(summe));
        }
    }
    pruefeFelder(vorher);
}

void TestAffe::pruefeFelder(const Stand &vorher)
{
    // Leaving the frequency box brings its number into 25..100.
    QLineEdit *f = feld(textf);
    if (vorher.fokus == f && QApplication::focusWidget() != f) {
        const int hz = f->text().toInt();
        if (hz < 25 || hz > 100)
            return fehler(QStringLiteral("Textf verlor den Fokus mit \"%1\"").arg(f->text()));
        if (f->text() != vorher.texte[textf])
            m_eingegeben[textf] += f->text();
    }

    for (int k = 0; k < feldAnzahl; ++k) {
        QLineEdit *e = feld(k);
        const QString text = e->text();
        const QString name = QLatin1String(feldnamen[k]);
        if (e->maxLength() != hoechstlaenge[k] || text.size() > hoechstlaenge[k])
            return fehler(QStringLiteral("%1 zeigt \"%2\" bei Höchstlänge %3").arg(name, text).arg(e->maxLength()));
        if (nanOderInf(text) || !zeichenAlle(k).match(text).hasMatch())
            return fehler(QStringLiteral("%1 zeigt \"%2\"").arg(name, text));

        // Who wrote the text last: the learner while the field is editable, the program when
        // it changed without being typed into.
        if (!e->isReadOnly()) {
            m_vomProgramm[k] = false;
            if (vorher.nurLesen[k])
                m_eingegeben[k].clear(); // the answer fields start empty
        } else if (text != vorher.texte[k] && m_tippfeld != k) {
            m_vomProgramm[k] = true;
        }
        if (!e->isReadOnly()) {
            if (!zeichenEingabe(k).match(text).hasMatch())
                return fehler(QStringLiteral("bearbeitbares %1 zeigt \"%2\"").arg(name, text));
            QString rest = m_eingegeben[k];
            for (const QChar z : text) {
                const qsizetype stelle = rest.indexOf(z);
                if (stelle < 0)
                    return fehler(QStringLiteral("bearbeitbares %1 zeigt \"%2\", eingegeben wurde nur \"%3\"")
                                      .arg(name, text, m_eingegeben[k]));
                rest.remove(stelle, 1);
            }
        }
        if (!m_vomProgramm[k])
            continue;
        bool ok = false;
        if (k < 3) {
            const double wert = QLocale().toDouble(text, &ok);
            if (!ok || std::fabs(wert - m_f->amplitude[k]) > 0.05 + 1e-5 * std::fabs(wert))
                return fehler(QStringLiteral("%1 zeigt \"%2\", amplitude(%3) = %4").arg(name, text).arg(k).arg(m_f->amplitude[k]));
        } else if (k < 6) {
            const int i = k - 3;
            const int grad = text.endsWith(u'°') ? text.chopped(1).toInt(&ok) : 0;
            const double phi = (-static_cast<double>(m_f->verschiebung[i]) - 200.0) * 0.9;
            // The sum's angle outside the third quadrant is shown 0.9° larger.
            const double oben = i == 2 ? 1.4 : 0.5;
            if (!ok || grad - phi < -0.5 - 1e-6 || grad - phi > oben + 1e-6)
                return fehler(QStringLiteral("%1 zeigt \"%2\", verschiebung(%3) = %4").arg(name, text).arg(i).arg(m_f->verschiebung[i]));
        } else if (!e->isHidden()) {
            const int hz = text.toInt(&ok);
            if (!ok || QString::number(hz) != text || hz < 25 || hz > 100)
                return fehler(QStringLiteral("Textf zeigt \"%1\"").arg(text));
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
    const QString p = m_f->aufgabennummer == 1 ? QStringLiteral(" Punkte") : QString();
    const QRegularExpression kriterium(QStringLiteral("^(\r?)Frequenz (richtig|falsch)\rPhase (richtig|falsch)"
                                                      "\rAmplitude (richtig|falsch)\r(\\d)%1 für die Aufgabe"
                                                      "\r(\\d+)%1 Gesamt$").arg(p));
    const QRegularExpressionMatch m = kriterium.match(text);
    if (box->windowTitle() != QLatin1String("Bewertung") || !m.hasMatch() || nanOderInf(text)) {
        fehler(QStringLiteral("Bewertung \"%1\": \"%2\"").arg(box->windowTitle(), text));
    } else {
        const int richtig = static_cast<int>(text.count(QLatin1String(" richtig")));
        const int punkte = m.captured(5).toInt();
        const int gesamt = m.captured(6).toInt();
        if (punkte != richtig || gesamt != m_punkte + punkte || m.captured(1).isEmpty() != (m.captured(2) == "richtig"))
            fehler(QStringLiteral("Bewertung \"%1\" nach %2 Punkten").arg(text).arg(m_punkte));
        m_punkte = gesamt;
    }
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

QPointF TestAffe::zielpunkt(QPointF letzter, int griff, bool *ursprung)
{
    QWidget *bild = c("Picture2");
    const QPointF o = fensterpunkt(bild, QPointF(0, 0));
    const int g = bild->width() - 1;
    const int mitte = zahl(195, 196);
    *ursprung = false;
    const int art = zahl(0, 99);
    if (art < 35)
        return o + QPointF(zahl(0, g), zahl(0, g));
    if (art < 50)
        return QPointF(std::round(letzter.x()) + zahl(-6, 6), std::round(letzter.y()) + zahl(-6, 6));
    if (art < 58) // exactly on an axis
        return o + (wurf(50) ? QPointF(195.5, zahl(0, g)) : QPointF(zahl(0, g), 195.5));
    if (art < 62)
        return o + QPointF(mitte, zahl(195, 196));
    if (art < 67) {
        *ursprung = true;
        return o + QPointF(195.5, 195.5);
    }
    if (art < 71) { // put the sum's tip on an axis
        const int anderer = griff == 0 ? 1 : 0;
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
    if (art < 92)
        return QPointF(zahl(0, m_f->width() - 1), zahl(0, m_f->height() - 1));
    return QPointF(zahl(-4000, 4800), zahl(-4000, 4600));
}

bool TestAffe::ziehen()
{
    // A handle can be grabbed where it is visible and on top.
    std::vector<std::pair<int, QPoint>> griffe;
    for (int i = 0; i < 3; ++i) {
        QWidget *griff = c(n("Label1", i));
        const QPoint p = fensterpunkt(griff, QPointF(zahl(0, 3), zahl(0, 3))).toPoint();
        if (erreichbar(griff, p))
            griffe.emplace_back(i, p);
    }
    if (griffe.empty())
        return false;
    const auto [i, start] = griffe[zahl(0, static_cast<int>(griffe.size()) - 1)];
    const int zeiger = i == 0 ? 0 : 1;

    std::vector<std::pair<QPointF, bool>> weg;
    QPointF letzter = start;
    QString text = QStringLiteral("Ziehen Label1(%1) ab %2 über").arg(i).arg(punkt(start));
    for (int k = zahl(1, 8); k > 0; --k) {
        bool ursprung = false;
        letzter = zielpunkt(letzter, zeiger, &ursprung);
        weg.emplace_back(letzter, ursprung);
        text += QStringLiteral(" ") + punkt(letzter) + (ursprung ? QStringLiteral("=Ursprung") : QString());
    }
    QWidget *bild = c("Picture2");
    const QRect bildRechteck(fensterpunkt(bild, QPointF(0, 0)).toPoint(), bild->size());
    QPoint los = letzter.toPoint();
    if (wurf(65)) {
        if (QPointF(los) != letzter || !bildRechteck.contains(los) || wurf(50))
            los = bildRechteck.topLeft() + QPoint(zahl(0, bild->width() - 1), zahl(0, bild->height() - 1));
    } else {
        do
            los = QPoint(zahl(0, m_f->width() - 1), zahl(0, m_f->height() - 1));
        while (bildRechteck.contains(los));
    }
    protokoll(text + QStringLiteral(", los bei ") + punkt(los)
              + (bildRechteck.contains(los) ? QStringLiteral(" (im Diagramm)") : QStringLiteral(" (außerhalb)")));

    const Stand vorher = stand();
    QWindow *fenster = m_f->windowHandle();
    QTest::mouseMove(fenster, start);
    QTest::mousePress(fenster, Qt::LeftButton, {}, start);
    for (const auto &[p, ursprung] : weg) {
        bewege(p);
        if (ursprung) {
            ++m_ursprungVersuche;
            if (eig(n("Label1", i), "Left") == 0.0 && eig(n("Label1", i), "Top") == 0.0)
                ++m_ursprungTreffer;
        }
    }
    QTest::mouseRelease(fenster, Qt::LeftButton, {}, los);

    const Stand nachher = stand();
    if (nachher.frequenz != vorher.frequenz || nachher.zeigerlaenge != vorher.zeigerlaenge
        || nachher.zeigerwinkel != vorher.zeigerwinkel || nachher.zielfrequenz != vorher.zielfrequenz)
        return fehler(QStringLiteral("Ziehen änderte Frequenz oder Ziele")), true;
    if (nachher.spitzen == vorher.spitzen)
        return true;
    // The tips moved: the time diagram was redrawn at the current frequency.
    m_summeGezogen = true;
    const double breite = std::nearbyint(80000.0 / m_f->frequenz);
    const QString hz = QString::number(static_cast<int>(std::nearbyint(m_f->frequenz)));
    if (nachher.breiten != std::array<double, 3>{breite, breite, breite} || nachher.texte[textf] != hz)
        fehler(QStringLiteral("nach dem Ziehen Breiten %1/%2/%3 und Textf \"%4\" bei frequenz %5")
                   .arg(nachher.breiten[0]).arg(nachher.breiten[1]).arg(nachher.breiten[2])
                   .arg(nachher.texte[textf]).arg(m_f->frequenz));
    return true;
}

bool TestAffe::schweben()
{
    QWidget *bild = c("Picture2");
    const bool drinnen = wurf(70);
    const QPoint p = drinnen ? fensterpunkt(bild, QPointF(zahl(0, bild->width() - 1), zahl(0, bild->height() - 1))).toPoint()
                             : QPoint(zahl(0, m_f->width() - 1), zahl(0, m_f->height() - 1));
    protokoll(QStringLiteral("Maus über ") + punkt(p));
    QTest::mouseMove(m_f->windowHandle(), p);
    if (drinnen && bild->isVisible()) {
        const QStringList teile = bild->toolTip().split(QStringLiteral(", "));
        const int x = teile.value(0).toInt(), y = teile.value(1).toInt();
        if (teile.size() != 2 || x < -102 || x > 101 || y < -102 || y > 101)
            fehler(QStringLiteral("Tooltip \"%1\" im Diagramm").arg(bild->toolTip()));
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Clicks on the controls and the menus

bool TestAffe::haken()
{
    const int k = zahl(0, 2);
    auto *box = c<QCheckBox>(n("Checklinie", k));
    const QPoint p = fensterpunkt(box, QPointF(8, box->height() / 2)).toPoint();
    if (!erreichbar(box, p))
        return false;
    protokoll(QStringLiteral("Klick Checklinie(%1)").arg(k));
    std::array<bool, 3> erwartet = stand().haken;
    erwartet[k] = !erwartet[k];
    if (k == 2 && erwartet[2])
        erwartet[1] = true;
    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, p);
    if (stand().haken != erwartet)
        return fehler(QStringLiteral("Haken stehen nicht wie erwartet")), true;
    // Every click applies the whole selection.
    for (int i = 0; i < 3; ++i)
        for (const QString &name : {n("Line1", i), n("Label1", i), n("Image2", i), n("Textampl", i),
                                    n("Textwinkel", i), n("Text1", i), n("Text1", i + 3)})
            if (gezeigt(name) != erwartet[i])
                return fehler(name + QStringLiteral(" folgt dem Haken nicht")), true;
    return true;
}

bool TestAffe::knopf()
{
    std::vector<QPushButton *> kandidaten;
    for (const char *name : {"Commandaufgabe(0)", "Commandaufgabe(1)", "Command2", "Command1"}) {
        auto *k = c<QPushButton>(name);
        if (erreichbar(k, fensterpunkt(k, k->rect().center()).toPoint()))
            kandidaten.push_back(k);
    }
    if (kandidaten.empty())
        return false;
    QPushButton *k = kandidaten[zahl(0, static_cast<int>(kandidaten.size()) - 1)];
    const QString name = k->objectName();
    protokoll(QStringLiteral("Klick %1 \"%2\"%3").arg(name, k->text(), k->isEnabled() ? QString() : QStringLiteral(" (gesperrt)")));
    const QString alt = knoepfe();
    const bool frei = k->isEnabled();
    const int boxen = m_boxen;
    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, fensterpunkt(k, k->rect().center()).toPoint());

    QString erwartet = alt;
    if (frei && name == QLatin1String("Commandaufgabe(0)"))
        erwartet = QStringLiteral("dEE");
    else if (frei && name == QLatin1String("Commandaufgabe(1)"))
        erwartet = QStringLiteral("ddE");
    else if (frei && name == QLatin1String("Command2"))
        erwartet = alt == QLatin1String("dEE") ? QStringLiteral("dEd") : QStringLiteral("ddd");
    if (knoepfe() != erwartet)
        return fehler(QStringLiteral("Knöpfe %1 nach %2, erwartet %3").arg(knoepfe(), alt, erwartet)), true;
    if ((m_boxen != boxen) != (frei && name == QLatin1String("Command2")))
        return fehler(QStringLiteral("Bewertung erschien %1mal").arg(m_boxen - boxen)), true;
    if (frei && name == QLatin1String("Commandaufgabe(1)")) {
        for (const int f : {0, 3, textf})
            if (feld(f)->isReadOnly() || !feld(f)->text().isEmpty())
                return fehler(QStringLiteral("%1 ist nicht leer und bearbeitbar").arg(QLatin1String(feldnamen[f]))), true;
        if (c("Picture2")->isVisible() || c("HScroll3")->isEnabled())
            return fehler(QStringLiteral("Aufgabe 2 lässt Diagramm oder Regler bedienbar")), true;
    }
    if (frei && name == QLatin1String("Command1")) {
        for (const int f : {0, 3, textf})
            if (!feld(f)->isReadOnly())
                return fehler(QStringLiteral("%1 bleibt bearbeitbar").arg(QLatin1String(feldnamen[f]))), true;
        if (gezeigt(QStringLiteral("Frame1")) || !gezeigt(QStringLiteral("Picture2")) || !gezeigt(QStringLiteral("Textf"))
            || !c("HScroll3")->isEnabled() || m_f->frequenz != 50.0f)
            return fehler(QStringLiteral("\"Beenden\" stellt den freien Betrieb nicht her")), true;
        for (int i = 0; i < 3; ++i)
            if (!gezeigt(n("Checklinie", i)))
                return fehler(n("Checklinie", i) + QStringLiteral(" bleibt verborgen")), true;
    }
    return true;
}

bool TestAffe::menueAufgaben()
{
    auto *aktion = c<QAction>("menuaufgaben");
    protokoll(QStringLiteral("Menü Aufgaben%1").arg(aktion->isEnabled() ? QString() : QStringLiteral(" (gesperrt)")));
    const bool frei = aktion->isEnabled();
    const bool vorher = gezeigt(QStringLiteral("Frame1"));
    aktion->trigger();
    if (gezeigt(QStringLiteral("Frame1")) != (frei || vorher) || aktion->isEnabled())
        fehler(QStringLiteral("Menü Aufgaben: Aufgabenfeld %1, Menü %2")
                   .arg(gezeigt(QStringLiteral("Frame1"))).arg(aktion->isEnabled()));
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
    QWidget *klient = m_f->centralWidget();
    const QPoint p = fensterpunkt(klient, QPointF(zahl(0, klient->width() - 1), zahl(0, klient->height() - 1))).toPoint();
    QWidget *unter = m_f->childAt(p);
    protokoll(QStringLiteral("Klick bei %1 auf %2").arg(punkt(p), unter ? unter->objectName() : QString()));
    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, p);
    return true;
}

// ---------------------------------------------------------------------------------------
// Keyboard

bool TestAffe::tippen(bool einfuegen)
{
    const int k = zahl(0, feldAnzahl - 1);
    QLineEdit *e = feld(k);
    const QPoint p = fensterpunkt(e, e->rect().center()).toPoint();
    if (!erreichbar(e, p))
        return false;
    struct Taste {
        Qt::Key taste;
        Qt::KeyboardModifiers mit;
        const char *name;
    };
    static const Taste tasten[] = {
        {Qt::Key_Backspace, {}, "Rück"},   {Qt::Key_Return, {}, "Eingabe"},  {Qt::Key_Enter, {}, "Enter"},
        {Qt::Key_Delete, {}, "Entf"},      {Qt::Key_Left, {}, "Links"},      {Qt::Key_Right, {}, "Rechts"},
        {Qt::Key_Home, {}, "Pos1"},        {Qt::Key_End, {}, "Ende"},        {Qt::Key_A, Qt::ControlModifier, "Strg+A"},
        {Qt::Key_A, Qt::ControlModifier, "Strg+A"}};
    static const QString haeufig = QStringLiteral("0123456789,.-");

    // What is typed: characters as text, other keys as an index into tasten.
    std::vector<std::pair<QString, int>> folge;
    QString text = QStringLiteral("Klick in %1 und ").arg(QLatin1String(feldnamen[k]));
    if (einfuegen) {
        static const QString vorrat = QStringLiteral("0123456789,.-+ °aZ\täß€e");
        QString ablage;
        for (int j = zahl(0, 12); j > 0; --j)
            ablage += vorrat[zahl(0, static_cast<int>(vorrat.size()) - 1)];
        folge.emplace_back(ablage, -1);
        text += QStringLiteral("Strg+V \"%1\"").arg(ablage);
    } else {
        text += QStringLiteral("tippen");
        for (int j = zahl(1, 8); j > 0; --j) {
            const int art = zahl(0, 9);
            if (art < 4) {
                const QString z(haeufig[zahl(0, static_cast<int>(haeufig.size()) - 1)]);
                folge.emplace_back(z, -1);
                text += QStringLiteral(" '%1'").arg(z);
            } else if (art < 6) {
                const QString z(QChar(zahl(32, 126)));
                folge.emplace_back(z, -1);
                text += QStringLiteral(" '%1'").arg(z);
            } else {
                const int t = zahl(0, static_cast<int>(std::size(tasten)) - 1);
                folge.emplace_back(QString(), t);
                text += QStringLiteral(" ") + QLatin1String(tasten[t].name);
            }
        }
    }
    protokoll(text);

    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, p);
    if (QApplication::focusWidget() != e)
        return fehler(QStringLiteral("Klick gibt %1 nicht den Fokus").arg(QLatin1String(feldnamen[k]))), true;
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
        if (!e->isReadOnly()) {
            QString z = zeichen;
            m_eingegeben[k] += z.replace(u',', u'.');
        }
    }
    if (e->isReadOnly() && e->text() != vorher)
        fehler(QStringLiteral("schreibgeschütztes %1: \"%2\" wurde \"%3\"").arg(QLatin1String(feldnamen[k]), vorher, e->text()));
    return true;
}

bool TestAffe::tabulator()
{
    QWidget *w = QApplication::focusWidget();
    if (w == nullptr)
        return false;
    const bool zurueck = wurf(30);
    protokoll(QStringLiteral("%1 aus %2").arg(QLatin1String(zurueck ? "Umschalt+Tab" : "Tab"), w->objectName()));
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
    QString text = QStringLiteral("Reglerdaumen von %1 über").arg(regler->sliderPosition());
    for (int j = zahl(1, 4); j > 0; --j) {
        positionen.push_back(wurf(10) ? (wurf(50) ? 800 : 3200) : zahl(800, 3200));
        text += QStringLiteral(" %1").arg(positionen.back());
    }
    protokoll(text);
    bool bewegt = false;
    regler->setSliderDown(true);
    for (const int p : positionen) {
        bewegt = bewegt || p != regler->sliderPosition();
        regler->setSliderPosition(p);
    }
    regler->setSliderDown(false);
    if (!bewegt)
        return true;
    const int p = regler->value();
    const QString hz = QString::number(static_cast<int>(std::nearbyint(m_f->frequenz)));
    if (m_f->frequenz != static_cast<float>(1600.0 / p * 50.0) || feld(textf)->text() != hz)
        return fehler(QStringLiteral("Regler %1: frequenz %2, Textf \"%3\"").arg(p).arg(m_f->frequenz).arg(feld(textf)->text())), true;
    for (int i = 0; i < 3; ++i)
        if (eig(n("Image2", i), "Width") != p)
            return fehler(QStringLiteral("Regler %1: Image2(%2).Width %3").arg(p).arg(i).arg(eig(n("Image2", i), "Width"))), true;
    return true;
}

bool TestAffe::reglerSchritte()
{
    auto *regler = c<QScrollBar>("HScroll3");
    if (!regler->isVisible() || !regler->isEnabled())
        return false;
    static const QAbstractSlider::SliderAction schritte[] = {
        QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub, QAbstractSlider::SliderPageStepAdd,
        QAbstractSlider::SliderPageStepSub, QAbstractSlider::SliderToMinimum, QAbstractSlider::SliderToMaximum};
    static const Qt::Key tasten[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    const int s = zahl(0, 5), mal = zahl(1, 5);
    const bool taste = wurf(30);
    protokoll(QStringLiteral("Regler %1 %2 x %3").arg(taste ? "Taste" : "Schritt").arg(s).arg(mal));
    const Stand vorher = stand();
    for (int j = 0; j < mal; ++j) {
        if (taste)
            QTest::keyClick(regler, tasten[s]);
        else
            regler->triggerAction(schritte[s]);
    }
    // Only the thumb drag changes the frequency.
    const Stand nachher = stand();
    if (nachher.frequenz != vorher.frequenz || nachher.breiten != vorher.breiten || nachher.texte[textf] != vorher.texte[textf])
        fehler(QStringLiteral("Reglerschritte änderten die Frequenz"));
    return true;
}

// ---------------------------------------------------------------------------------------
// The help window

bool TestAffe::hilfeBlaettern()
{
    auto *leiste = hilfe()->findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    QWidget *seite = hilfe()->findChild<QWidget *>(QStringLiteral("Image1"));
    const int art = zahl(0, 3);
    if (art == 0) {
        const int p = zahl(0, leiste->maximum());
        protokoll(QStringLiteral("Hilfe: Daumen auf %1").arg(p));
        leiste->setSliderDown(true);
        leiste->setSliderPosition(p);
        leiste->setSliderDown(false);
    } else if (art == 1) {
        const int s = zahl(1, 6);
        protokoll(QStringLiteral("Hilfe: Schritt %1").arg(s));
        leiste->triggerAction(static_cast<QAbstractSlider::SliderAction>(s));
    } else if (art == 2) {
        static const int drehungen[] = {-360, -120, -60, 60, 120, 240};
        const int d = drehungen[zahl(0, 5)];
        const QPointF lokal(zahl(0, hilfe()->width() - 1), zahl(0, hilfe()->height() - 1));
        protokoll(QStringLiteral("Hilfe: Mausrad %1 bei %2").arg(d).arg(punkt(lokal)));
        QWheelEvent e(lokal, hilfe()->mapToGlobal(lokal), QPoint(), QPoint(0, d), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(hilfe()->windowHandle(), &e);
    } else {
        static const Qt::Key tasten[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const int t = zahl(0, 5);
        protokoll(QStringLiteral("Hilfe: Taste %1").arg(t));
        QTest::keyClick(leiste, tasten[t]);
    }
    const double top = seite->property("Top").toDouble();
    if (!std::isfinite(top) || top > 0 || top < -8351 || (top == 0) != (leiste->value() == 0))
        fehler(QStringLiteral("Hilfeseite bei Top %1 für Wert %2").arg(top).arg(leiste->value()));
    return true;
}

bool TestAffe::hilfeGesperrtesHauptfenster()
{
    QWidget *klient = m_f->centralWidget();
    const QPoint p = fensterpunkt(klient, QPointF(zahl(0, klient->width() - 1), zahl(0, klient->height() - 1))).toPoint();
    protokoll(QStringLiteral("Hilfe offen: Klick ins Hauptfenster bei %1").arg(punkt(p)));
    const Stand vorher = stand();
    QTest::mouseClick(m_f->windowHandle(), Qt::LeftButton, {}, p);
    if (!(stand() == vorher))
        fehler(QStringLiteral("das gesperrte Hauptfenster nahm einen Klick an"));
    return true;
}

bool TestAffe::hilfeSchliessen()
{
    const bool knopf = wurf(50);
    protokoll(QStringLiteral("Hilfe schließen%1").arg(knopf ? " (Fensterknopf)" : ""));
    if (knopf)
        hilfe()->windowHandle()->close();
    else
        hilfe()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (hilfe())
        return fehler(QStringLiteral("Hilfefenster nach dem Schließen nicht entladen")), true;
    if (!m_f->isEnabled())
        return fehler(QStringLiteral("Hauptfenster bleibt gesperrt")), true;
    m_f->activateWindow();
    if (!QTest::qWaitForWindowActive(m_f))
        fehler(QStringLiteral("Hauptfenster wird nicht wieder aktiv"));
    return true;
}

QTEST_MAIN(TestAffe)
#include "test_affe.moc"
