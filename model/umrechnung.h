#pragma once
// Units, conversions and number texts of the curve state. Pure functions, no widgets.

#include <QtGlobal>
#include <QString>

namespace zivor {

// The frequencies that the slider sets and the frequency field keeps to, in Hz.
inline constexpr double kleinsteFrequenz = 25.0;
inline constexpr double groessteFrequenz = 100.0;
// One amplitude unit is ten units of either diagram.
inline constexpr float einheitenJeAmplitude = 10.0f;

// Shift parameter of the time diagram for a phase angle in degrees: -phi / 0.9 - 200,
// worked out in double and stored as float.
float winkelumr(float winkel);

// Phase angle in degrees shown for a shift parameter: (-w - basis) * 0.9 in double.
double winkelAusVerschiebung(float verschiebung, double basis = 200.0);

// Frequency in Hz that the slider sets at a position (its period length, 800..3200):
// 1600 / position * 50 in double, stored as float.
float reglerfrequenz(int position);
// Nearest whole number, halves to the even neighbour, kept inside the 16-bit range
// (NaN gives 0).
qint16 rundeInt16(double wert);

// Nearest whole number, halves to the even neighbour (NaN and infinities give 0).
qint32 rundeGerade(double wert);

// General number form of the current default locale: at most 15 significant digits,
// no trailing zeros, no digit grouping.
QString zahlText(double wert);

// The number at the start of a typed text: blanks are skipped, an optional sign,
// digits with "." as the decimal point whatever the locale; reading stops at the first
// character that does not fit. hatZahl tells whether any digit was read.
struct Zahlenwert {
    double wert = 0.0;
    bool hatZahl = false;
};
Zahlenwert liesZahl(const QString &text);
inline double zahlenwert(const QString &text) { return liesZahl(text).wert; }

} // namespace zivor
