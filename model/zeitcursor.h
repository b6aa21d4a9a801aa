#pragma once
// Reading the curves of the time diagram by keys: the value each curve picture shows at a
// time, the times of its maxima, minima and zero crossings, and the words a screen reader
// says at the cursor. The values are those of the picture as it is drawn: the wave of four
// periods stretched to its rectangle (a period 0.6 % short of the true one, a small lead),
// not the ideal cosine. Pure functions, no widgets.

#include "model/kurvenplatz.h"

#include <QString>

#include <optional>
#include <vector>

namespace zivor {

// The drawn time axis runs from -5 ms (left edge) to 45 ms (right edge); 20 units a ms.
inline constexpr double zeitachseVonMs = -5.0;
inline constexpr double zeitachseBisMs = 45.0;
// Cursor steps: fine (so that a period of 100 Hz has 40 of them) and coarse (a grid line).
inline constexpr double feinschrittMs = 0.25;
inline constexpr double grobschrittMs = 2.5;

// The value the picture shows at the time, in amplitude units; none where the picture has no
// wave (beyond its four periods, or a picture of no width or no height, which is not drawn).
std::optional<double> kurvenwert(const Kurvenplatz &bild, double zeitMs);

// A maximum, minimum or zero crossing of a drawn wave, and its time.
enum class Kennart { Maximum, Minimum, Nulldurchgang };
struct Kennpunkt {
    double zeitMs = 0.0;
    Kennart art = Kennart::Nulldurchgang;
};

// The next (richtung > 0) or previous (richtung < 0) maximum, minimum or zero crossing of the
// drawn wave after or before zeitMs; none where there is none.
std::optional<Kennpunkt> kennpunkt(const Kurvenplatz &bild, double zeitMs, int richtung);

// One shown curve at the cursor: its colour word ("grün") and its value.
struct Cursorwert {
    QString farbe;
    std::optional<double> wert;
};

// "2,5 Millisekunden: grün 7,1; rot -3,2; blau keine Kurve": the time with up to two decimals,
// each value with one, in the locale's form; after a jump to a mark, which mark it is:
// "Maximum bei 2,5 Millisekunden: …".
QString cursoransage(double zeitMs, const std::vector<Cursorwert> &werte,
                     std::optional<Kennart> gelandet = std::nullopt);

} // namespace zivor
