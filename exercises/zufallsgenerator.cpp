#include "exercises/zufallsgenerator.h"

#include <chrono>
#include <cmath>
#include <random>

namespace zivor {

float Zufallsgenerator::naechste()
{
    const auto jetzt = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::random_device entropie;
    std::seed_seq saat{static_cast<std::uint32_t>(jetzt), static_cast<std::uint32_t>(jetzt >> 32),
                       entropie(), entropie(), static_cast<std::uint32_t>(++m_zaehler)};
    std::mt19937 generator(saat);
    // 24 random bits give every float in [0, 1) a multiple of 2^-24, never 1.
    const std::uint32_t bits = generator() >> 8;
    return static_cast<float>(bits) * (1.0f / 16777216.0f);
}

float begrenzeZufall(float r)
{
    if (!(r >= 0.0f))
        return 0.0f;
    if (r >= 1.0f)
        return std::nextafter(1.0f, 0.0f);
    return r;
}

} // namespace zivor
