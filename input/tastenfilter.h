#pragma once
// What may be typed into the number fields. Each filter takes the character code of a
// typed key and gives the code to enter, or 0 when the key is swallowed.

#include <QString>
#include <QtGlobal>

namespace zivor {

qint16 filterAmplitude(qint16 code); // digits and "."; "," becomes "."
qint16 filterWinkel(qint16 code);    // digits and "-"
qint16 filterFrequenz(qint16 code);  // digits

// Text that arrives without typing (paste, drop) passes the same filter character by
// character: swallowed characters are dropped, replaced ones replaced.
template <typename Filter>
QString filtereText(const QString &text, Filter filter)
{
    QString ergebnis;
    for (const QChar c : text) {
        if (c.unicode() > 0x7fff)
            continue;
        qint16 code = static_cast<qint16>(c.unicode());
        filter(code);
        if (code != 0)
            ergebnis.append(QChar(static_cast<char16_t>(code)));
    }
    return ergebnis;
}

} // namespace zivor
