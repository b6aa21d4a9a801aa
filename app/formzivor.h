#pragma once
// The main window: the phasor diagram and the time diagram side by side, the curve rows
// with their fields, the frequency group, the exercise panel and the menu bar. It holds the
// curve state of the two functions and their sum and the handlers that change it.

#include "exercises/bewertung.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QGroupBox;

namespace zivor {

class frmzivorhilfe;
class Griff;
class Kurvenbild;
class Zahlenfeld;
class Zeigerdiagramm;
class Zeigerlinie;
class Zeitdiagramm;
class Zugangsbericht;

class Formzivor : public QMainWindow
{
    Q_OBJECT
public:
    explicit Formzivor(QWidget *parent = nullptr);
    ~Formzivor() override;

    // Curve state: index 0 function 1 (green), 1 function 2 (red), 2 the sum (blue).
    quint8 zeigernummer = 0;
    float frequenz = 0.0f;
    quint8 zielfrequenz = 0;
    std::array<float, 3> verschiebung{};
    std::array<qint16, 3> zeigerwinkel{};
    std::array<float, 3> amplitude{};
    std::array<quint8, 3> zeigerlaenge{};
    quint8 aufgabennummer = 0;
    quint8 punktegesamt = 0;

    // Handlers and procedures of the window.
    void Form_Load();
    void f_frequenzeinst();
    float f_winkelumr(float s_winkel) const;
    void Checklinie_Click(int index);
    void Command1_Click();
    void Picture2_DragOver(QObject *source, float x, float y);
    void Picture2_DragDrop(QObject *source, float x, float y);
    void Picture2_MouseMove(float x, float y);
    void HScroll3_Scroll();
    void Textampl_KeyPress(int index, qint16 &keyAscii);
    void Textwinkel_KeyPress(int index, qint16 &keyAscii);
    void Textf_KeyPress(qint16 &keyAscii);
    void Textf_LostFocus();
    void menuaufgaben_Click();
    void menuhilfe_Click();
    void menubeenden_Click();
    void Commandaufgabe_Click(int index);
    void f_zufall1();
    void f_Aufgabe1();
    void f_aufgabe2();
    void Command2_Click();
    void f_losung1();
    void f_losung2();

    // The source of the exercises' random numbers 0 <= r < 1; tests supply their own.
    void setzeZufallsquelle(std::function<float()> quelle);

signals:
    // An answer has just been scored, before the box shows the verdict.
    void bewertet(const zivor::Bewertungsbericht &bericht);
    // The window has closed (a close that the window refused does not count).
    void geschlossen();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void baueFenster();
    void baueMenue();
    void baueKurvenzeilen();
    void baueFrequenzgruppe();
    void baueDiagramme();
    void baueAufgabenfeld();
    void setzeTabfolge();
    // Shows the evaluation modally; bewertungGeschlossen follows once it is closed.
    void zeigeBewertung(int aufgabe, const Bewertung &b);
    void bewertungGeschlossen();

    std::array<QCheckBox *, 3> Checklinie{};
    std::array<QLineEdit *, 6> Text1{};
    std::array<Zahlenfeld *, 3> Textampl{};
    std::array<Zahlenfeld *, 3> Textwinkel{};
    QLabel *Label = nullptr;
    Zahlenfeld *Textf = nullptr;
    QScrollBar *HScroll3 = nullptr;
    Zeigerdiagramm *Picture2 = nullptr;
    Zeitdiagramm *Picture1 = nullptr;
    std::array<Zeigerlinie *, 3> Line1{};
    std::array<Griff *, 3> Label1{};
    std::array<Kurvenbild *, 3> Image2{};
    QGroupBox *Frame1 = nullptr;
    QLabel *Labelaufgabe = nullptr;
    std::array<QPushButton *, 5> Commandaufgabe{};
    QPushButton *Command2 = nullptr;
    QPushButton *Command1 = nullptr;
    QAction *menubeenden = nullptr;
    QAction *menuhilfe = nullptr;
    QAction *menuaufgaben = nullptr;

    std::function<float()> m_zufall;
    // What screen readers are told of this window.
    Zugangsbericht *m_zugang = nullptr;
    // The open help window; while it is open the main window is disabled.
    QPointer<frmzivorhilfe> m_hilfe;
};

} // namespace zivor

// The window is known by its plain name too, as the learner's tools and the tests name it.
using zivor::Formzivor;
