#pragma once
// What the program needs in the browser before its window is made: the browser has no fonts of
// the desktop, so the program brings the faces that stand in for the fonts it names.

namespace zivor {

class Browserstart
{
public:
    static void richteEin();
};

} // namespace zivor
