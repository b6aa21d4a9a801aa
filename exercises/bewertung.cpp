#include "exercises/bewertung.h"

#include "model/umrechnung.h"

#include <cmath>

namespace zivor {

bool abweichungKlein(double ziel, double antwort, double divisor)
{
    if (divisor == 0.0)
        return false;
    const float d = static_cast<float>(std::fabs(ziel - antwort) / divisor);
    return d < 0.1f;
}

Bewertung bewerte(const Ziele &ziele, const Antwort &antwort, bool aufgabe2, quint8 &punktegesamt)
{
    const QChar zeilenende(13);
    Bewertung b;

    const float zielfrequenz = ziele.zielfrequenz;
    if (abweichungKlein(zielfrequenz, antwort.frequenz, antwort.frequenz)) {
        b.richtig[0] = true;
        b.punkte = 1;
        b.meldung = QStringLiteral("Frequenz richtig");
    } else {
        b.meldung += zeilenende + QStringLiteral("Frequenz falsch");
    }

    const float zielverschiebung = winkelumr(ziele.zeigerwinkel);
    if (antwort.phaseGegeben
        && abweichungKlein(zielverschiebung, antwort.verschiebung, std::fabs(antwort.verschiebung))) {
        b.richtig[1] = true;
        ++b.punkte;
        b.meldung += zeilenende + QStringLiteral("Phase richtig");
    } else {
        b.meldung += zeilenende + QStringLiteral("Phase falsch");
    }

    if (abweichungKlein(ziele.zeigerlaenge, antwort.amplitude, antwort.amplitude)) {
        b.richtig[2] = true;
        ++b.punkte;
        b.meldung += zeilenende + QStringLiteral("Amplitude richtig");
    } else {
        b.meldung += zeilenende + QStringLiteral("Amplitude falsch");
    }

    punktegesamt = static_cast<quint8>(punktegesamt + b.punkte);
    const QString p1 = aufgabe2 ? QStringLiteral(" Punkte für die Aufgabe") : QStringLiteral(" für die Aufgabe");
    const QString p2 = aufgabe2 ? QStringLiteral(" Punkte Gesamt") : QStringLiteral(" Gesamt");
    b.meldung += zeilenende + QString::number(b.punkte) + p1 + zeilenende
        + QString::number(punktegesamt) + p2;
    return b;
}

} // namespace zivor
