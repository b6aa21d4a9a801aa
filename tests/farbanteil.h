#pragma once
// Whether a pixel shows a colour laid over white with at least the given coverage (0 to 1):
// what an antialiased stroke of that colour leaves in its pixels, the core at coverage 1.

#include <QColor>

inline bool ueberWeiss(QRgb pixel, const QColor &farbe, double deckung)
{
    const double d[3] = {qRed(pixel) - 255.0, qGreen(pixel) - 255.0, qBlue(pixel) - 255.0};
    const double f[3] = {farbe.red() - 255.0, farbe.green() - 255.0, farbe.blue() - 255.0};
    const double ff = f[0] * f[0] + f[1] * f[1] + f[2] * f[2];
    const double t = (d[0] * f[0] + d[1] * f[1] + d[2] * f[2]) / ff;
    double rest = 0.0;
    for (int i = 0; i < 3; ++i)
        rest += (d[i] - t * f[i]) * (d[i] - t * f[i]);
    return t >= deckung && rest < 0.05 * ff;
}
