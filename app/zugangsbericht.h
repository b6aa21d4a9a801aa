#pragma once
// What screen readers are told about the main window, kept in one place: the accessible
// interfaces of the program's controls, the names and descriptions that assistive tools read,
// the announcements after a change, and whether the time diagram shows the curve of task 2,
// whose values the learner has to find.
//
// It listens to the signals that the window and its controls send anyway: a tip set or marked,
// the slider standing, a check box, a task button, the panel's "Beenden", the time cursor. Qt
// calls the slots of a signal in the order in which they were connected, and these are
// connected after the window's own handlers: so it describes and speaks the values once the
// handlers have set them.

#include "model/sprechtexte.h"

#include <QObject>
#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QMessageBox;
class QScrollBar;
class QWidget;

namespace zivor {

class Ansage;
class Formzivor;
class Griff;
class Kurvenbild;
class Zeigerlinie;

class Zugangsbericht : public QObject
{
    Q_OBJECT
public:
    // Makes the program's accessible interfaces known; made before the window's controls,
    // which ask for their interfaces as soon as they get a name or a text.
    explicit Zugangsbericht(Formzivor *fenster);

    // Names the controls for assistive tools, describes both diagrams as they stand and
    // listens from then on; run once the window is built and loaded.
    void verbinde();

    // The evaluation box's lines reach screen readers as lines: the box breaks its text at
    // carriage returns, screen readers break at line feeds.
    static void macheLesbar(QMessageBox &box, const QString &meldung);

private:
    template <class T>
    T *element(const QString &name) const;
    void benenne();
    // The curves as the window shows them: in the phasor diagram, and in the time diagram.
    std::array<Kurvenansicht, 3> zeigeransichten() const;
    std::array<Kurvenansicht, 3> kurvenansichten() const;
    void beschreibe();
    // A drag or key step of a tip has ended, or a tip is marked.
    void zeigerSteht(QObject *griff);
    void zeigerMarkiert(QObject *griff);
    // The slider stands: at the end of a thumb drag, or after a step.
    void reglerSteht();
    // A task button has set up its task.
    void aufgabeGestellt(int index);

    Formzivor *m_fenster;
    Ansage *m_ansage = nullptr;
    std::array<Zeigerlinie *, 3> m_linie{};
    std::array<Kurvenbild *, 3> m_kurve{};
    std::array<Griff *, 2> m_spitze{};
    QWidget *m_zeigerdiagramm = nullptr;
    QWidget *m_zeitdiagramm = nullptr;
    QLineEdit *m_frequenzfeld = nullptr;
    QScrollBar *m_regler = nullptr;
    QLabel *m_aufgabe = nullptr;
    // From the set-up of task 2 until the panel's "Beenden": the time diagram shows a curve
    // whose values the learner has to find, so its description does not name them.
    bool m_zielkurveVerdeckt = false;
};

} // namespace zivor
