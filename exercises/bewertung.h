#pragma once
// Scoring of an answer: frequency, phase and amplitude, one point each when the relative
// deviation is below 0.1.

#include "exercises/aufgabe.h"

#include <QString>
#include <QtGlobal>

#include <array>

namespace zivor {

struct Antwort {
    float frequenz = 0.0f;
    float verschiebung = 0.0f; // shift parameter of the answered phase
    float amplitude = 0.0f;
    bool phaseGegeben = true;  // false: the angle field held no number at all
};

// One point for each criterion met.
inline constexpr quint8 punkteJeAufgabe = 3;

struct Bewertung {
    quint8 punkte = 0;
    QString meldung;
    std::array<bool, 3> richtig{}; // frequency, phase, amplitude
};

// One evaluation as it is told beyond the window: the task (1 or 2), the answer as the learner
// gave it (the texts of the frequency, angle and amplitude fields), the verdicts and the points.
struct Bewertungsbericht {
    int aufgabe = 0;
    QString frequenz;
    QString winkel;
    QString amplitude;
    Bewertung bewertung;
    quint8 punktegesamt = 0;
};

// |ziel - antwort| / divisor worked out in double, rounded to float and compared with
// 0.1f; a divisor of 0 (or a result that is no number) is never met.
bool abweichungKlein(double ziel, double antwort, double divisor);

// Scores the answer, adds the points to punktegesamt and writes the message: one line a
// criterion (beginning with an empty line when the frequency is wrong), then the points of
// the task and the total. Task 2's last lines say "Punkte", task 1's do not.
Bewertung bewerte(const Ziele &ziele, const Antwort &antwort, bool aufgabe2, quint8 &punktegesamt);

} // namespace zivor
