#pragma once
// Everything a drag or a key step changes in the main window, as a list of texts, for
// comparing two windows: the fields, the phasor lines, the handles, the curve pictures and the
// curve state.

#include "app/formzivor.h"

#include <QLineEdit>
#include <QStringList>

inline QStringList zustand(Formzivor &f)
{
    QStringList z;
    for (const char *name : {"Textampl(0)", "Textampl(1)", "Textampl(2)", "Textwinkel(0)", "Textwinkel(1)",
                             "Textwinkel(2)", "Textf"})
        z << f.findChild<QLineEdit *>(QLatin1String(name))->text();
    const auto eigenschaften = [&](const char *name, std::initializer_list<const char *> welche) {
        QObject *o = f.findChild<QObject *>(QLatin1String(name));
        for (const char *e : welche)
            z << QStringLiteral("%1.%2=%3").arg(QLatin1String(name), QLatin1String(e)).arg(o->property(e).toDouble(), 0, 'g', 17);
    };
    for (const char *name : {"Line1(0)", "Line1(1)", "Line1(2)"})
        eigenschaften(name, {"X2", "Y2"});
    for (const char *name : {"Label1(0)", "Label1(1)"})
        eigenschaften(name, {"Left", "Top"});
    for (const char *name : {"Image2(0)", "Image2(1)", "Image2(2)"})
        eigenschaften(name, {"Left", "Top", "Width", "Height"});
    for (int i = 0; i < 3; ++i)
        z << QStringLiteral("%1 %2").arg(f.amplitude[i], 0, 'g', 9).arg(f.verschiebung[i], 0, 'g', 9);
    z << QString::number(f.zeigernummer);
    return z;
}
