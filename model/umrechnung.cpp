#include "model/umrechnung.h"

#include <QByteArray>
#include <QLocale>
#include <cmath>
#include <limits>

namespace zivor {

float winkelumr(float winkel)
{
    return static_cast<float>(-static_cast<double>(winkel) / 0.9 - 200.0);
}

double winkelAusVerschiebung(float verschiebung, double basis)
{
    return (-static_cast<double>(verschiebung) - basis) * 0.9;
}

qint32 rundeGerade(double wert)
{
    if (!std::isfinite(wert))
        return 0;
    // The default floating-point environment rounds to nearest, ties to even.
    const double r = std::nearbyint(wert);
    if (r >= static_cast<double>(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (r <= static_cast<double>(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(r);
}

float reglerfrequenz(int position)
{
    return static_cast<float>(1600.0 / position * 50.0);
}

qint16 rundeInt16(double wert)
{
    const qint32 r = rundeGerade(wert);
    if (r > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (r < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(r);
}

QString zahlText(double wert)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    if (wert == 0.0)
        wert = 0.0; // no "-0"
    return locale.toString(wert, 'g', 15);
}

Zahlenwert liesZahl(const QString &text)
{
    // Collect sign, digits and at most one point, then let the C conversion do the
    // decimal arithmetic, so that "0.3" reads as the double nearest to 0.3.
    QByteArray zahl;
    bool vorzeichenErlaubt = true;
    bool punktGesehen = false;
    Zahlenwert ergebnis;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t')
            continue;
        if (vorzeichenErlaubt && (c == u'-' || c == u'+')) {
            zahl.append(static_cast<char>(c.unicode()));
            vorzeichenErlaubt = false;
            continue;
        }
        vorzeichenErlaubt = false;
        if (c == u'.' && !punktGesehen) {
            punktGesehen = true;
            zahl.append('.');
            continue;
        }
        if (c < u'0' || c > u'9')
            break;
        ergebnis.hatZahl = true;
        zahl.append(static_cast<char>(c.unicode()));
    }
    if (ergebnis.hatZahl) {
        bool ok = false;
        const double wert = zahl.toDouble(&ok);
        ergebnis.wert = ok && std::isfinite(wert) ? wert : 0.0;
        if (!ok || !std::isfinite(wert))
            ergebnis.hatZahl = false;
    }
    return ergebnis;
}

} // namespace zivor
