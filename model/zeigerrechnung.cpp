#include "model/zeigerrechnung.h"

#include "model/umrechnung.h"

#include <cmath>

namespace zivor {

float verschiebungsregel(float x, float y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return -200.0f;
    // On the axes the quadrant rules say nothing; each half-axis gets its own angle.
    if (y == 0.0f)
        return x < 0.0f ? -400.0f : -200.0f;
    if (x == 0.0f)
        return y > 0.0f ? -300.0f : -100.0f;

    // The four rules in this order; a later rule that applies overwrites an earlier one.
    double w = 0.0;
    if (x > 0.0f && y > 0.0f)
        w = -200.0 - 64.0 * std::atan(static_cast<double>(y / x));
    if (x < 0.0f)
        w = 64.0 * std::atan(static_cast<double>(x / y)) - 300.0;
    if (y < 0.0f)
        w = -200.0 - 64.0 * std::atan(static_cast<double>(y / x));
    if (x < 0.0f && y < 0.0f)
        w = -64.0 * std::atan(static_cast<double>(y / x));
    return static_cast<float>(w);
}

float spitzenabstand(float x, float y)
{
    return static_cast<float>(std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y));
}

double summenwinkel(float verschiebung, double x, double y)
{
    return winkelAusVerschiebung(verschiebung, x < 0.0 && y < 0.0 ? 200.0 : 199.0);
}

QString amplitudenText(float r)
{
    // r is the amplitude in tenths, so rounding r to a whole number rounds r / 10 to
    // one decimal.
    return zahlText(rundeGerade(static_cast<double>(r)) / static_cast<double>(einheitenJeAmplitude));
}

QString winkelText(double winkel)
{
    return QString::number(rundeGerade(winkel)) + QStringLiteral("°");
}

} // namespace zivor
