#pragma once
// Drawing aid for the diagram backgrounds: maps the diagram's own units onto the inner area,
// places 1-px lines on whole device pixels, fills arrowheads and sets the axis labels.

#include <QImage>
#include <QRectF>
#include <QTransform>

#include <array>
#include <span>

class QColor;
class QPainter;
class QSizeF;

namespace zivor {

// The pixel ratio of the device that p really paints on. A widget painted by QWidget::render
// or grab paints on the target picture, whose ratio may differ from the widget's screen.
double geraeteRatio(const QPainter &p);

// The opaque picture format that p's device copies row by row: the device's own format, or its
// twin without alpha (the browser's windows are RGBA8888; a picture of another format would be
// converted pixel by pixel at every paint).
QImage::Format kopierformat(const QPainter &p);

class Bildzeichnung {
public:
    // The diagram's units: x is links at the left edge and grows to the right over breite
    // units, y is oben at the top edge and falls downwards over hoehe units.
    struct Einheiten {
        double links;
        double oben;
        double breite;
        double hoehe;
    };

    // A label; (x, y) is the left end of its base line in units.
    struct Beschriftung {
        const char *text;
        double x;
        double y;
    };

    // Draws with p onto (0, 0, innen.width(), innen.height()) in p's current coordinates,
    // stretching the units onto that area. Saves p's state, clears the area to white and
    // leaves antialiasing off; the destructor restores the state.
    Bildzeichnung(QPainter &p, const QSizeF &innen, const Einheiten &einheiten);
    ~Bildzeichnung();
    Bildzeichnung(const Bildzeichnung &) = delete;
    Bildzeichnung &operator=(const Bildzeichnung &) = delete;

    // A point in units, in p's logical coordinates.
    QPointF punkt(double x, double y) const;

    // A 1-px line along an axis from (x1, y1) to (x2, y2), placed on whole device pixels:
    // across it covers the device pixels around its centre, along it the pixels from the one
    // holding its start to the one holding its end, cut off at the inner area. No blending,
    // so the colour stays pure.
    void linie(double x1, double y1, double x2, double y2, const QColor &farbe) const;

    // A black, antialiased triangle with the corners given in units.
    void pfeil(const std::array<QPointF, 3> &ecken) const;

    // Black Arial labels with a character cell zelle units high. With ziffernbreite > 0 the
    // face is squeezed or widened so that an average digit is that many units wide;
    // otherwise it keeps the proportions that the units give it.
    void texte(std::span<const Beschriftung> beschriftungen, double zelle,
               double ziffernbreite = 0.0) const;

private:
    QPainter &m_p;
    Einheiten m_einheiten;
    double m_jeEinheitX;
    double m_jeEinheitY;
    QTransform m_geraet;  // logical coordinates to device pixels, with the pixel ratio
    QTransform m_logisch; // and back
    double m_dicke;       // a 1-px line in device pixels
    QRectF m_geraetRahmen;
};

} // namespace zivor
