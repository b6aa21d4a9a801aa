#include "model/sprechtexte.h"

#include <QStringList>

namespace zivor {
namespace {

const std::array<QString, 3> kurvenname{QStringLiteral("Funktion 1"), QStringLiteral("Funktion 2"),
                                        QStringLiteral("Gesamt")};

QString benannt(int i, const Kurvenansicht &k)
{
    return kurvenname[i] + QStringLiteral(": ") + zeigerwerte(k.amplitude, k.winkel);
}

QString liste(const QStringList &teile)
{
    return teile.isEmpty() ? QStringLiteral("keine Kurve ausgewählt") : teile.join(QStringLiteral("; "));
}

} // namespace

QString zeigerwerte(const QString &amplitude, const QString &winkel)
{
    return QStringLiteral("Amplitude ") + amplitude + QStringLiteral(", Winkel ") + winkel;
}

QString schrittansage(const Kurvenansicht &bewegt, const Kurvenansicht &summe)
{
    QString text = zeigerwerte(bewegt.amplitude, bewegt.winkel);
    if (summe.zeigerGezeigt)
        text += QStringLiteral("; ") + benannt(2, summe);
    return text;
}

QString markierungsansage(int zeiger, const Kurvenansicht &kurve)
{
    return (zeiger == 0 ? QStringLiteral("grüner Zeiger: ") : QStringLiteral("roter Zeiger: "))
        + zeigerwerte(kurve.amplitude, kurve.winkel);
}

QString frequenzansage(const QString &frequenzfeld)
{
    return frequenzfeld + QStringLiteral(" Hz");
}

QString aufgabenansage(const QString &aufgabentext)
{
    return aufgabentext.split(QChar(13), Qt::SkipEmptyParts).join(QLatin1Char(' '));
}

QString zeigerbeschreibung(const std::array<Kurvenansicht, 3> &kurven)
{
    QStringList teile;
    for (int i = 0; i < 3; ++i)
        if (kurven[i].zeigerGezeigt)
            teile << benannt(i, kurven[i]);
    return liste(teile);
}

QString zeitbeschreibung(const std::array<Kurvenansicht, 3> &kurven, const QString &frequenzfeld,
                         bool zielkurveVerdeckt)
{
    QStringList teile;
    for (int i = 0; i < 3; ++i) {
        if (!kurven[i].kurveGezeigt)
            continue;
        if (i == 0 && zielkurveVerdeckt)
            teile << QStringLiteral("Funktion 1: gesuchte Kurve, Amplitude, Phase und Frequenz sind einzugeben");
        else
            teile << benannt(i, kurven[i]);
    }
    if (!zielkurveVerdeckt)
        teile << QStringLiteral("Frequenz ") + frequenzansage(frequenzfeld);
    return liste(teile);
}

} // namespace zivor
