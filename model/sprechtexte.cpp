#include "model/sprechtexte.h"

#include <QStringList>

#include <utility>

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

// The keys of each diagram, named once at the end of its description.
const QString zeigertasten = QStringLiteral(
    "Tasten: Pfeile ziehen die markierte Spitze, mit Umschalt in Zehnerschritten, Leertaste wechselt die Spitze.");
const QString zeittasten = QStringLiteral(
    "Tasten: Pfeile führen den Zeitcursor, mit Umschalt in großen Schritten, Pos1 und Ende an die Enden, "
    "Strg springt zu Maximum, Minimum oder Nulldurchgang.");

// A formula as it is heard: each sign as its word, the brackets as the words around them tell.
QString formelInWorten(QString formel)
{
    static const std::pair<const char *, const char *> woerter[] = {
        {"f(t)", "f von t"}, {"cos(", " Kosinus von "}, {"=", " gleich "}, {"*", " mal "}, {"/", " durch "},
        {"+", " plus "},     {"-", " minus "},          {"°", " Grad "},   {"(", " "},     {")", " "}};
    for (const auto &[zeichen, wort] : woerter)
        formel.replace(QString::fromUtf8(zeichen), QString::fromUtf8(wort));
    return formel.simplified();
}

} // namespace

QString zeigerwerte(const QString &amplitude, const QString &winkel)
{
    return QStringLiteral("Amplitude ") + amplitude + QStringLiteral(", Winkel ")
        + QString(winkel).replace(QChar(0x00B0), QStringLiteral(" Grad"));
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
    return frequenzfeld + QStringLiteral(" Hertz");
}

QString aufgabenansage(const QString &aufgabentext)
{
    QStringList zeilen = aufgabentext.split(QChar(13), Qt::SkipEmptyParts);
    for (QString &zeile : zeilen) {
        if (zeile.contains(QLatin1Char('=')))
            zeile = formelInWorten(zeile);
    }
    return zeilen.join(QLatin1Char(' '));
}

QString zeigerbeschreibung(const std::array<Kurvenansicht, 3> &kurven)
{
    QStringList teile;
    for (int i = 0; i < 3; ++i)
        if (kurven[i].zeigerGezeigt)
            teile << benannt(i, kurven[i]);
    // The keys move the green and the red tip; without either they do nothing.
    if (!kurven[0].zeigerGezeigt && !kurven[1].zeigerGezeigt)
        return liste(teile);
    return liste(teile) + QStringLiteral(". ") + zeigertasten;
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
    return liste(teile) + QStringLiteral(". ") + zeittasten;
}

} // namespace zivor
