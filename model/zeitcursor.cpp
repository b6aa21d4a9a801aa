#include "model/zeitcursor.h"

#include "model/umrechnung.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zivor {
namespace {

// The curve drawing, in its own units: four periods, going down first.
constexpr double bildBreite = kurveBreite;
constexpr double bildHoehe = kurveHoehe;
constexpr double anfang = kurveAnfang;
constexpr double periode = kurvePeriode;
constexpr double mitte = kurveMitte;
constexpr double halbeHoehe = kurveHalbeHoehe;
constexpr double perioden = 4.0;
constexpr double einheitenJeMs = 20.0;

// Periods counted from the picture's left end at the diagram x, and back.
double periodenBei(const Kurvenplatz &bild, double x)
{
    return ((x - bild.left) * bildBreite / bild.width - anfang) / periode;
}

double xBei(const Kurvenplatz &bild, double s)
{
    return bild.left + bild.width * (anfang + periode * s) / bildBreite;
}

QString zahl(double wert, int stellen)
{
    // No "-0,0" for a value that rounds to zero.
    const double gerundet = std::round(wert * std::pow(10.0, stellen)) / std::pow(10.0, stellen);
    return QLocale().toString(gerundet == 0.0 ? 0.0 : gerundet, 'f', stellen);
}

} // namespace

std::optional<double> kurvenwert(const Kurvenplatz &bild, double zeitMs)
{
    if (!(bild.width > 0.0) || !(bild.height > 0.0))
        return std::nullopt;
    const double s = periodenBei(bild, zeitMs * einheitenJeMs);
    if (s < 0.0 || s > perioden)
        return std::nullopt;
    const double y = bild.top - bild.height * (mitte + halbeHoehe * std::sin(2.0 * std::numbers::pi * s)) / bildHoehe;
    return y / einheitenJeAmplitude;
}

std::optional<Kennpunkt> kennpunkt(const Kurvenplatz &bild, double zeitMs, int richtung)
{
    if (!(bild.width > 0.0) || !(bild.height > 0.0) || richtung == 0)
        return std::nullopt;
    // The drawn wave crosses y = 0 a little off its centre line: where sin(2 pi s) = c.
    const double c = (bild.top * bildHoehe / bild.height - mitte) / halbeHoehe;
    const double s0 = std::asin(std::clamp(c, -1.0, 1.0)) / (2.0 * std::numbers::pi);
    // The drawing's y grows downwards: its lowest point, a quarter period in, is the minimum.
    std::vector<Kennpunkt> punkte;
    for (int k = 0; k < static_cast<int>(perioden); ++k) {
        const std::pair<double, Kennart> marken[] = {{k + s0, Kennart::Nulldurchgang},
                                                      {k + 0.25, Kennart::Minimum},
                                                      {k + 0.5 - s0, Kennart::Nulldurchgang},
                                                      {k + 0.75, Kennart::Maximum}};
        for (const auto &[s, art] : marken)
            if (s >= 0.0 && s <= perioden)
                punkte.push_back({xBei(bild, s) / einheitenJeMs, art});
    }
    std::sort(punkte.begin(), punkte.end(), [](const Kennpunkt &a, const Kennpunkt &b) { return a.zeitMs < b.zeitMs; });
    constexpr double genug = 1e-6;
    if (richtung > 0) {
        const auto p = std::find_if(punkte.begin(), punkte.end(),
                                    [&](const Kennpunkt &k) { return k.zeitMs > zeitMs + genug; });
        if (p != punkte.end())
            return *p;
    } else {
        const auto p = std::find_if(punkte.rbegin(), punkte.rend(),
                                    [&](const Kennpunkt &k) { return k.zeitMs < zeitMs - genug; });
        if (p != punkte.rend())
            return *p;
    }
    return std::nullopt;
}

QString cursoransage(double zeitMs, const std::vector<Cursorwert> &werte, std::optional<Kennart> gelandet)
{
    QString zeit = zahl(zeitMs, 2);
    // Up to two decimals, without trailing zeros.
    const QChar komma = QLocale().decimalPoint().front();
    if (zeit.contains(komma)) {
        while (zeit.endsWith(QLatin1Char('0')))
            zeit.chop(1);
        if (zeit.endsWith(komma))
            zeit.chop(1);
    }
    QStringList teile;
    for (const Cursorwert &w : werte)
        teile << w.farbe + QLatin1Char(' ') + (w.wert ? zahl(*w.wert, 1) : QStringLiteral("keine Kurve"));
    if (teile.isEmpty())
        teile << QStringLiteral("keine Kurve ausgewählt");
    static const QString marke[] = {QStringLiteral("Maximum bei "), QStringLiteral("Minimum bei "),
                                    QStringLiteral("Nulldurchgang bei ")};
    // Units are spoken as words: a screen reader spells "ms" letter by letter.
    return (gelandet ? marke[static_cast<int>(*gelandet)] : QString()) + zeit + QStringLiteral(" Millisekunden: ")
        + teile.join(QStringLiteral("; "));
}

} // namespace zivor
