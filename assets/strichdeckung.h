#pragma once
// The coverage of a curve's stroke in device pixels, and the picture that lays it onto a
// device. The stroke of a wave, its line swept along it, meets every vertical line in one
// stretch; so the outline's lowest and highest point in a few sample columns per pixel give
// each device pixel's coverage exactly enough for antialiasing, at a fraction of the cost of
// filling a long thin outline.

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRect>
#include <QRectF>
#include <QTransform>
#include <QtGlobal>

#include <functional>
#include <vector>

class QPainter;

namespace zivor {

class Strichdeckung
{
public:
    Strichdeckung() = default;
    // The bands' pictures read the pixels where this object keeps them.
    Strichdeckung(const Strichdeckung &) = delete;
    Strichdeckung &operator=(const Strichdeckung &) = delete;

    // Draws through p the stroke of a picture stretched to ziel in the colour farbe: the
    // coverage of the device pixels inside bereich, turned into premultiplied pixels of that
    // colour, laid 1:1 onto p's device with QPainter::drawImage, so that p's clip, opacity
    // and composition mode apply. umriss gives the stroke's outline in device pixels (p's
    // device transform must not turn or shear); it is asked only when the picture's rectangle,
    // p's mapping to the device or the colour has changed, or bereich reaches beyond what was
    // worked out before.
    void zeichne(QPainter &p, const QRectF &ziel, const QRect &bereich,
                 const std::function<QPolygonF()> &umriss, const QColor &farbe);

private:
    // The coverage (0 to 255) of the device pixels inside bereich by the closed outline umriss.
    void berechne(const QPolygonF &umriss, const QRect &bereich);
    // The stroke's picture in farbe, in bands of neighbouring columns, in format (premultiplied
    // ARGB32 or RGBA8888).
    void male(const QColor &farbe, QImage::Format format);

    // What the kept picture was worked out for.
    bool m_gueltig = false;
    QRectF m_ziel;
    QTransform m_abbildung;
    QRect m_bereich;
    QColor m_farbe;

    int m_spalte0 = 0;
    // For each column from m_spalte0: its first covered row and where its values start in
    // m_werte (one more entry marks the end).
    std::vector<int> m_ersteZeile;
    std::vector<int> m_anfang;
    std::vector<quint8> m_werte;
    // Working space: the outline's lowest and highest point in each sample column, the
    // coverage of one column's rows.
    std::vector<float> m_unten;
    std::vector<float> m_oben;
    std::vector<float> m_zeilen;

    // The stroke's picture: rectangles of device pixels that hold all covered pixels, each
    // with its pixels (the coverage in the colour, premultiplied) kept in m_pixel from anfang
    // on, row by row, and a picture that reads them there.
    struct Band {
        QRect geraet;
        qsizetype anfang = 0;
        QImage bild;
    };
    std::vector<Band> m_baender;
    std::vector<quint32> m_pixel;
};

} // namespace zivor
