#pragma once
// Where a curve picture of the time diagram goes for a frequency, a shift parameter and an
// amplitude, in the diagram's units: the rectangle reaches from (left, top) to the right by
// width and downwards by height. The picture holds the curve drawing, four periods 3090 by
// 2260 of its own units (assets/kurvenzeichnung.h), stretched to 80000 / frequency units;
// so the wave passes through x(s) = left + width (4 + 768 s) / 3090 and
// y(s) = top - height (1125.5 + 1120.5 sin 2 pi s) / 2260 for 0 <= s <= 4 periods.

#include <QtGlobal>

namespace zivor {

// The curve drawing in its own units (origin top-left, y down): its size, where the wave
// begins, the width of one period, the centre line and the half-height.
inline constexpr double kurveBreite = 3090, kurveHoehe = 2260;
inline constexpr double kurveAnfang = 4.0, kurvePeriode = 768.0;
inline constexpr double kurveMitte = 1125.5, kurveHalbeHoehe = 1120.5;

struct Kurvenplatz {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// 80000 / frequency in double, as a 16-bit whole number (halves to even).
qint16 kurvenbreite(float frequenz);

Kurvenplatz kurvenplatz(float frequenz, float verschiebung, float amplitude);

} // namespace zivor
