#pragma once
// Arithmetic of a phasor tip: the shift parameter from its direction and the texts of
// amplitude and angle.

#include <QString>

namespace zivor {

// Shift parameter of the point (x, y) of the phasor diagram: 64 shift units a radian,
// -200 on the positive real axis. Points on an axis get the value of their half-axis
// (positive x -200, positive y -300, negative x -400, negative y -100, origin -200).
float verschiebungsregel(float x, float y);

// Distance of the point (x, y) from the origin, worked out in double and stored as float.
float spitzenabstand(float x, float y);

// The angle in degrees that the sum's field shows for a shift parameter of the sum whose tip
// lies at (x, y): 0.9° larger than a single phasor's outside the third quadrant.
double summenwinkel(float verschiebung, double x, double y);

// Amplitude r / 10 rounded to one decimal (halves to even), shortest form, with the
// locale's decimal separator: 5, 7,1, 14,1 under German settings.
QString amplitudenText(float r);

// Whole degrees (halves to even) followed by "°": 53°, -127°.
QString winkelText(double winkel);

} // namespace zivor
