#pragma once
// The random numbers of the exercises: uniform r with 0 <= r < 1. Before every draw the
// generator is seeded anew from the clock, mixed with the system's entropy source and a
// running count, so that draws in quick succession do not repeat one another.

#include <cstdint>

namespace zivor {

class Zufallsgenerator
{
public:
    float naechste();

private:
    std::uint64_t m_zaehler = 0;
};

// Keeps a drawn number inside [0, 1): anything else (1.0 from a float distribution,
// negative, NaN) is brought to the nearest allowed value.
float begrenzeZufall(float r);

} // namespace zivor
