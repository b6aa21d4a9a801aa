#include "model/kurvenplatz.h"

#include "model/umrechnung.h"

namespace zivor {

qint16 kurvenbreite(float frequenz)
{
    return rundeInt16(80000.0 / static_cast<double>(frequenz));
}

Kurvenplatz kurvenplatz(float frequenz, float verschiebung, float amplitude)
{
    const float d = static_cast<float>(static_cast<double>(frequenz) / 50.0);
    Kurvenplatz platz;
    platz.width = kurvenbreite(frequenz);
    platz.left = -(500.0f - verschiebung) / d;
    platz.height = amplitude * (2.0f * einheitenJeAmplitude);
    platz.top = amplitude * einheitenJeAmplitude;
    return platz;
}

} // namespace zivor
