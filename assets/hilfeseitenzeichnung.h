#pragma once
// The help page: German text with a formula and two small diagram pictures, drawn with
// QPainter vectors so that it stays sharp at any screen scale.

#include "model/lesetext.h"

class QPainter;
class QString;

namespace zivor {

// Size of the page in device-independent pixels (9072 x 14185 twips).
inline constexpr int hilfeseiteBreite = 605;
inline constexpr int hilfeseiteHoehe = 946;

// Paints the whole page in the painter's logical pixels, its top-left corner at (0, 0).
// Lines and pictures that lie wholly outside the painter's clip are skipped.
void zeichneHilfeseite(QPainter &p);

// The page's whole text for reading aloud: its lines in reading order, one per line (the
// page's empty lines left out), the formula written out and a short description of each of
// the two pictures.
QString hilfeseitenText();

// The same text with the place of every character on the page, in the page's pixels; the
// formula's characters spread over its box and each picture's description over the picture.
Lesetext hilfeseitenLesetext();

} // namespace zivor
