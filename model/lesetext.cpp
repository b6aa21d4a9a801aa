#include "model/lesetext.h"

#include <algorithm>

namespace zivor {

int Lesetext::zeichenBei(QPointF punkt) const
{
    for (int i = 0; i < zeichen.size(); ++i) {
        const QRectF &r = zeichen[i];
        if (punkt.x() >= r.left() && punkt.x() < r.right() && punkt.y() >= r.top() && punkt.y() < r.bottom())
            return i;
    }
    return -1;
}

QRectF Lesetext::zeilenband(int offset) const
{
    if (zeichen.isEmpty())
        return {};
    const int n = static_cast<int>(text.size());
    const int o = std::clamp(offset, 0, n - 1);
    int anfang = o;
    while (anfang > 0 && text[anfang - 1] != QLatin1Char('\n'))
        --anfang;
    int ende = o;
    while (ende < n - 1 && text[ende] != QLatin1Char('\n'))
        ++ende;
    QRectF band = zeichen[anfang];
    for (int i = anfang + 1; i <= ende; ++i)
        band = band.united(zeichen[i]);
    return band;
}

} // namespace zivor
