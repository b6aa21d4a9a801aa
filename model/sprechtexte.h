#pragma once
// What screen readers say about the curves: the descriptions of the two diagrams and the short
// announcements after a change. Pure functions of the texts the window shows.

#include <QString>

#include <array>

namespace zivor {

// One curve as the window shows it: its amplitude and angle fields, and which of its parts are
// shown (the phasor in the phasor diagram, the curve in the time diagram).
struct Kurvenansicht {
    QString amplitude;
    QString winkel;
    bool zeigerGezeigt = false;
    bool kurveGezeigt = false;
};

// "Amplitude 7,1, Winkel 45 Grad" for the fields "7,1" and "45°": screen readers drop the degree
// sign at their usual punctuation level, so the unit is spoken as a word.
QString zeigerwerte(const QString &amplitude, const QString &winkel);

// Said after a key step or a drag: the moved phasor's values, and the sum's while it is shown:
// "Amplitude 7,1, Winkel 45°; Gesamt: Amplitude 14,1, Winkel 0°".
QString schrittansage(const Kurvenansicht &bewegt, const Kurvenansicht &summe);

// Said when a tip is marked for the keys: "roter Zeiger: Amplitude 10, Winkel -45°".
QString markierungsansage(int zeiger, const Kurvenansicht &kurve);

// "49 Hertz" for the frequency field's text "49" (units are spoken as words: a screen reader
// spells "Hz" letter by letter).
QString frequenzansage(const QString &frequenzfeld);

// A task text as it is read out: its lines, which the window separates by carriage returns,
// as sentences of one utterance, and its formula in words, as screen readers drop "=", "*",
// "/" and "°": "f(t) = 7*cos(251,2*(t/s)-30°)" is heard as "f von t gleich 7 mal Kosinus von
// 251,2 mal t durch s minus 30 Grad".
QString aufgabenansage(const QString &aufgabentext);

// The phasor diagram's description: each shown phasor with its values, then the keys that move
// the tips.
QString zeigerbeschreibung(const std::array<Kurvenansicht, 3> &kurven);

// The time diagram's description: each shown curve with its values and the frequency, then the
// keys of the time cursor; in task 2 the green curve's values are what the learner has to find
// and are not named.
QString zeitbeschreibung(const std::array<Kurvenansicht, 3> &kurven, const QString &frequenzfeld,
                         bool zielkurveVerdeckt);

} // namespace zivor
