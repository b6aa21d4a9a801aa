#include "app/zugangsbericht.h"

#include "app/ansage.h"
#include "app/aufgabentextzugang.h"
#include "app/formzivor.h"
#include "diagrams/behaelterzugang.h"
#include "diagrams/griff.h"
#include "diagrams/kurvenbild.h"
#include "diagrams/zeigerlinie.h"
#include "diagrams/zeitdiagramm.h"
#include "diagrams/zugangsfabrik.h"
#include "input/feldzugang.h"
#include "input/reglerzugang.h"
#include "input/ziehsteuerung.h"
#include "model/umrechnung.h"
#include "model/zeigerrechnung.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

namespace zivor {
namespace {

// The client area is announced as the window's pane, not as an anonymous filler, and the
// exercise panel as a group labelled by its task; both offer only the controls that are not
// hidden.
QAccessibleInterface *klientZugang(const QString &klasse, QObject *objekt)
{
    if (klasse == QLatin1String("QWidget") && objekt->objectName() == QLatin1String("Klientbereich"))
        return new Behaelterzugang(static_cast<QWidget *>(objekt), QAccessible::Pane);
    if (klasse == QLatin1String("QGroupBox") && objekt->objectName() == QLatin1String("Frame1"))
        return new Behaelterzugang(static_cast<QWidget *>(objekt), QAccessible::Grouping, QStringLiteral("Labelaufgabe"));
    return nullptr;
}

QString elementname(const char *name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

// The phasor a tip handle belongs to: 0 green, 1 red, -1 none.
int zeigerVon(QObject *griff)
{
    const auto *g = qobject_cast<Griff *>(griff);
    const int n = g != nullptr ? g->tag().toInt() : -1;
    return n == 0 || n == 1 ? n : -1;
}

} // namespace

Zugangsbericht::Zugangsbericht(Formzivor *fenster) : QObject(fenster), m_fenster(fenster)
{
    installiereZugang(klientZugang);
    Reglerzugang::anmelden();
    Aufgabentextzugang::anmelden();
    Feldzugang::anmelden();
}

template <class T>
T *Zugangsbericht::element(const QString &name) const
{
    T *gefunden = m_fenster->findChild<T *>(name);
    Q_ASSERT_X(gefunden != nullptr, "Zugangsbericht", qPrintable(name));
    return gefunden;
}

void Zugangsbericht::verbinde()
{
    for (int i = 0; i < 3; ++i) {
        m_linie[i] = element<Zeigerlinie>(elementname("Line1", i));
        m_kurve[i] = element<Kurvenbild>(elementname("Image2", i));
    }
    for (int i = 0; i < 2; ++i)
        m_spitze[i] = element<Griff>(elementname("Label1", i));
    m_zeigerdiagramm = element<QWidget>(QStringLiteral("Picture2"));
    m_zeitdiagramm = element<QWidget>(QStringLiteral("Picture1"));
    m_frequenzfeld = element<QLineEdit>(QStringLiteral("Textf"));
    m_regler = element<QScrollBar>(QStringLiteral("HScroll3"));
    m_aufgabe = element<QLabel>(QStringLiteral("Labelaufgabe"));
    QWidget *klient = m_fenster->centralWidget();
    m_ansage = new Ansage(klient);
    benenne();
    for (QWidget *behaelter : {klient, element<QWidget>(QStringLiteral("Frame1")), m_zeitdiagramm, m_zeigerdiagramm})
        Behaelterzugang::meldeGezeigte(behaelter);
    beschreibe();

    auto *steuerung = m_fenster->findChild<Ziehsteuerung *>();
    connect(steuerung, &Ziehsteuerung::gesetzt, this, &Zugangsbericht::zeigerSteht);
    connect(steuerung, &Ziehsteuerung::markiert, this, &Zugangsbericht::zeigerMarkiert);
    // The slider stands at the end of a thumb drag, or at once after a step.
    connect(m_regler, &QScrollBar::valueChanged, this, [this] {
        if (!m_regler->isSliderDown())
            reglerSteht();
    });
    connect(m_regler, &QScrollBar::sliderReleased, this, &Zugangsbericht::reglerSteht);
    for (int i = 0; i < 3; ++i)
        connect(element<QCheckBox>(elementname("Checklinie", i)), &QCheckBox::toggled, this, &Zugangsbericht::beschreibe);
    for (int i = 0; i < 2; ++i) {
        connect(element<QPushButton>(elementname("Commandaufgabe", i)), &QPushButton::clicked, this,
                [this, i] { aufgabeGestellt(i); });
    }
    connect(element<QPushButton>(QStringLiteral("Command1")), &QPushButton::clicked, this, [this] {
        m_zielkurveVerdeckt = false;
        beschreibe();
    });
    connect(static_cast<Zeitdiagramm *>(m_zeitdiagramm), &Zeitdiagramm::cursorGesetzt, m_ansage, &Ansage::sprich);
}

void Zugangsbericht::benenne()
{
    // What each control is for.
    static const std::array<QString, 3> kurve{QStringLiteral("Funktion 1"), QStringLiteral("Funktion 2"),
                                              QStringLiteral("Gesamt")};
    m_fenster->centralWidget()->setAccessibleName(QStringLiteral("Zeitfunktion und Bildebene"));
    for (int i = 0; i < 3; ++i) {
        element<QWidget>(elementname("Checklinie", i))->setAccessibleName(kurve[i] + QStringLiteral(" anzeigen"));
        element<QWidget>(elementname("Textampl", i))->setAccessibleName(QStringLiteral("Amplitude ") + kurve[i]);
        element<QWidget>(elementname("Textwinkel", i))->setAccessibleName(QStringLiteral("Winkel in Grad ") + kurve[i]);
        element<QWidget>(elementname("Text1", i))->setAccessibleName(QStringLiteral("Beschriftung Amplitude ") + kurve[i]);
        element<QWidget>(elementname("Text1", i + 3))->setAccessibleName(QStringLiteral("Beschriftung Winkel ") + kurve[i]);
    }
    m_frequenzfeld->setAccessibleName(QStringLiteral("Frequenz in Hertz"));
    element<QWidget>(QStringLiteral("Label"))->setAccessibleName(QStringLiteral("Frequenz"));
    m_regler->setAccessibleName(QStringLiteral("Frequenzregler"));
    m_regler->setAccessibleDescription(QStringLiteral("Links 100 Hertz, rechts 25 Hertz"));
    m_zeigerdiagramm->setAccessibleName(QStringLiteral("Zeigerdiagramm"));
    m_zeitdiagramm->setAccessibleName(QStringLiteral("Zeitdiagramm"));
    m_spitze[0]->setAccessibleName(QStringLiteral("Spitze des grünen Zeigers"));
    m_spitze[1]->setAccessibleName(QStringLiteral("Spitze des roten Zeigers"));
    element<QWidget>(QStringLiteral("Label1(2)"))->setAccessibleName(QStringLiteral("Verborgener Griff des roten Zeigers"));
    element<QWidget>(QStringLiteral("Frame1"))->setAccessibleName(QStringLiteral("Aufgaben"));
    m_fenster->menuBar()->setAccessibleName(QStringLiteral("Menü"));
    element<QWidget>(QStringLiteral("Commandaufgabe(0)"))->setAccessibleName(QStringLiteral("Aufgabe 1 stellen"));
    for (int i = 1; i < 5; ++i)
        element<QWidget>(elementname("Commandaufgabe", i))->setAccessibleName(QStringLiteral("Aufgabe 2 stellen"));
    element<QWidget>(QStringLiteral("Command2"))->setAccessibleName(QStringLiteral("Lösung bewerten"));
    element<QWidget>(QStringLiteral("Command1"))->setAccessibleName(QStringLiteral("Aufgaben beenden"));
}

void Zugangsbericht::macheLesbar(QMessageBox &box, const QString &meldung)
{
    if (auto *text = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        text->setAccessibleName(QString(meldung).replace(QChar(13), QChar(10)));
}

std::array<Kurvenansicht, 3> Zugangsbericht::kurvenansichten() const
{
    std::array<Kurvenansicht, 3> kurven;
    for (int i = 0; i < 3; ++i) {
        const double winkel = i == 2 ? summenwinkel(m_fenster->verschiebung[2], m_linie[2]->x2(), m_linie[2]->y2())
                                     : winkelAusVerschiebung(m_fenster->verschiebung[i]);
        // A curve picture of no height (the sum before a drag has worked it out) is not drawn.
        const bool gezeichnet = m_kurve[i]->isVisible() && m_kurve[i]->width() > 0.0 && m_kurve[i]->height() > 0.0;
        kurven[i] = {amplitudenText(m_fenster->amplitude[i] * einheitenJeAmplitude), winkelText(winkel),
                     m_linie[i]->isVisible(), gezeichnet};
    }
    return kurven;
}

std::array<Kurvenansicht, 3> Zugangsbericht::zeigeransichten() const
{
    // The sum's phasor as its line stands. A drag works out the sum's values from where it puts
    // that line, so after a drag they agree; before, the line stands where the window put it
    // and the values are not worked out yet, and the line is what is shown.
    std::array<Kurvenansicht, 3> zeiger = kurvenansichten();
    const auto x = static_cast<float>(m_linie[2]->x2());
    const auto y = static_cast<float>(m_linie[2]->y2());
    zeiger[2].amplitude = amplitudenText(spitzenabstand(x, y));
    zeiger[2].winkel = winkelText(summenwinkel(verschiebungsregel(x, y), x, y));
    return zeiger;
}

void Zugangsbericht::beschreibe()
{
    const std::array<Kurvenansicht, 3> zeiger = zeigeransichten();
    for (int i = 0; i < 2; ++i)
        m_spitze[i]->setAccessibleDescription(zeigerwerte(zeiger[i].amplitude, zeiger[i].winkel));
    m_zeigerdiagramm->setAccessibleDescription(zeigerbeschreibung(zeiger));
    m_zeitdiagramm->setAccessibleDescription(
        zeitbeschreibung(kurvenansichten(), m_frequenzfeld->text(), m_zielkurveVerdeckt));
}

void Zugangsbericht::zeigerSteht(QObject *griff)
{
    beschreibe();
    if (const int n = zeigerVon(griff); n >= 0) {
        const std::array<Kurvenansicht, 3> zeiger = zeigeransichten();
        m_ansage->sprich(schrittansage(zeiger[n], zeiger[2]));
    }
}

void Zugangsbericht::zeigerMarkiert(QObject *griff)
{
    if (const int n = zeigerVon(griff); n >= 0)
        m_ansage->sprich(markierungsansage(n, zeigeransichten()[n]));
}

void Zugangsbericht::reglerSteht()
{
    beschreibe();
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    // This Qt hands screen readers the slider's value as a bare number, and only when its whole
    // hertz change (newer Qt also hands them its text, "49 Hertz", which they speak at each
    // step). Here each step the slider takes with the keys announces the frequency with its
    // unit, as the frequency field shows it.
    if (m_regler->hasFocus())
        m_ansage->sprich(frequenzansage(m_frequenzfeld->text()));
#endif
}

void Zugangsbericht::aufgabeGestellt(int index)
{
    if (index == 1)
        m_zielkurveVerdeckt = true;
    beschreibe();
    m_ansage->sprich(aufgabenansage(m_aufgabe->text()));
}

} // namespace zivor
