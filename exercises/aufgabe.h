#pragma once
// The targets of an exercise and the text of task 1.

#include <QString>
#include <QtGlobal>

namespace zivor {

struct Ziele {
    quint8 zielfrequenz = 0; // 25, 40, 55, 70, 85 or 100 Hz
    quint8 zeigerlaenge = 0; // 3..10
    qint16 zeigerwinkel = 0; // -90..90 in steps of 10 degrees
};

// Each from one number 0 <= r < 1.
quint8 zielfrequenzAus(float r);
quint8 zeigerlaengeAus(float r);
qint16 zeigerwinkelAus(float r);

// Two lines joined by a single carriage return:
// "Stellen Sie für den grünen Zeitverlauf folgende Zeitfunktion ein:" and
// "f(t) = 7*cos(251,2*(t/s)-30°)" (German settings).
QString aufgabentext1(const Ziele &ziele);

inline const QString aufgabentext2 =
    QStringLiteral("Geben Sie für den grünen Zeitverlauf Amplitude, Phase und Frequenz ein!");

} // namespace zivor
