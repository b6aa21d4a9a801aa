#pragma once
// A container's user scale: which value its inner left and top edges have and how many
// twips one unit is. One device-independent pixel is 15 twips.

#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <algorithm>

namespace zivor {

inline constexpr double twipsProPixel = 15.0;

struct Massstab {
    double links = 0.0;        // value at the inner left edge
    double oben = 0.0;         // value at the inner top edge
    double twipsProEinheitX = 1.0;
    double twipsProEinheitY = 1.0;
    bool yNachOben = false;    // true: values grow upwards

    // Pixels from the inner top-left corner of a point given in the scale.
    constexpr QPointF zuPixel(double x, double y) const
    {
        const double px = (x - links) * twipsProEinheitX / twipsProPixel;
        const double py = (yNachOben ? oben - y : y - oben) * twipsProEinheitY / twipsProPixel;
        return {px, py};
    }
    // The point of the scale at pixels from the inner top-left corner.
    constexpr QPointF ausPixel(QPointF p) const
    {
        const double x = links + p.x() * twipsProPixel / twipsProEinheitX;
        const double dy = p.y() * twipsProPixel / twipsProEinheitY;
        return {x, yNachOben ? oben - dy : oben + dy};
    }
    // Pixel rectangle of an item given by Left, Top, Width, Height in the scale (the
    // rectangle extends from Top to the right and downwards on screen).
    QRectF rechteckZuPixel(double left, double top, double width, double height) const
    {
        const QPointF a = zuPixel(left, top);
        return {a.x(), a.y(), width * twipsProEinheitX / twipsProPixel,
                height * twipsProEinheitY / twipsProPixel};
    }
};

// The window's client area: twips, y downwards.
inline constexpr Massstab fensterMassstab{0.0, 0.0, 1.0, 1.0, false};
// Phasor diagram: x -100 at the left, y 100 at the top, 29.025 twips a unit.
inline constexpr Massstab zeigerMassstab{-100.0, 100.0, 29.025, 29.025, true};
// Time diagram: x -100..900 over 6120 twips, y 100..-100 over 5790 twips.
inline constexpr Massstab zeitMassstab{-100.0, 100.0, 6.12, 28.95, true};

// The scale at which a window fits the part of a page that the browser shows: 1 when it fits as
// it is, smaller when not, never larger. The window's client area scales; its frame (the title
// bar and border the page draws around it) and a gap of abstand on every side keep their sizes.
// All in page pixels, the client area at scale 1.
inline double seitenfaktor(QSizeF sichtbar, QSizeF klient, QMarginsF rahmen, double abstand)
{
    const double breite = sichtbar.width() - rahmen.left() - rahmen.right() - 2 * abstand;
    const double hoehe = sichtbar.height() - rahmen.top() - rahmen.bottom() - 2 * abstand;
    if (klient.isEmpty())
        return 1.0;
    return std::clamp(std::min(breite / klient.width(), hoehe / klient.height()), 0.05, 1.0);
}

} // namespace zivor
