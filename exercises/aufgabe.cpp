#include "exercises/aufgabe.h"

#include "exercises/zufallsgenerator.h"
#include "model/umrechnung.h"

#include <cmath>

namespace zivor {

namespace {
int stufe(float r, int stufen)
{
    return static_cast<int>(std::floor(static_cast<double>(stufen) * begrenzeZufall(r)));
}
} // namespace

quint8 zielfrequenzAus(float r)
{
    return static_cast<quint8>(25 + 15 * stufe(r, 6));
}

quint8 zeigerlaengeAus(float r)
{
    return static_cast<quint8>(3 + stufe(r, 8));
}

qint16 zeigerwinkelAus(float r)
{
    return static_cast<qint16>(10 * (stufe(r, 19) - 9));
}

QString aufgabentext1(const Ziele &ziele)
{
    const QString w = zahlText(ziele.zielfrequenz * 6.28);
    const QString s = ziele.zeigerwinkel < 0
        ? QStringLiteral("-") + QString::number(-ziele.zeigerwinkel)
        : QStringLiteral("+") + QString::number(ziele.zeigerwinkel);
    return QStringLiteral("Stellen Sie für den grünen Zeitverlauf folgende Zeitfunktion ein:")
        + QChar(13) + QStringLiteral("f(t) = ") + QString::number(ziele.zeigerlaenge)
        + QStringLiteral("*cos(") + w + QStringLiteral("*(t/s)") + s + QStringLiteral("°")
        + QStringLiteral(")");
}

} // namespace zivor
