#pragma once
// Where a curve picture of the time diagram goes for a frequency, a shift parameter and an
// amplitude: the picture holds four periods and is stretched to 80000 / frequency units.

#include <QtGlobal>

namespace zivor {

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
