#pragma once
// A picture area of the main window: a sunken 2-px border around an inner area with a
// user scale of its own, a background drawing stretched to the inner area (painted once
// and kept), and items drawn on top of it.

#include "model/massstab.h"

#include <QImage>
#include <QWidget>

namespace zivor {

class Bildflaeche : public QWidget
{
    Q_OBJECT
public:
    static constexpr int rand = 2;

    Bildflaeche(const Massstab &massstab, QWidget *parent);

    const Massstab &massstab() const { return m_massstab; }
    // Widget pixel position of a point of the scale, and the point at a widget position.
    QPointF pixelVon(double x, double y) const;
    QPointF punktBei(QPointF widgetPixel) const;
    QRectF innenRechteck() const;
    // Repaints r, as one rectangle with all else that waits to be repainted here: a drag moves
    // a few lines and handles at once, and within a single rectangle the background is copied
    // row by row, within several of them it goes pixel by pixel.
    void erneuere(const QRect &r);

protected:
    void paintEvent(QPaintEvent *event) override;
    virtual void zeichneHintergrund(QPainter &p, const QSizeF &innen) const = 0;
    virtual void zeichneInhalt(QPainter &p) = 0;

private:
    void zeichneRand(QPainter &p) const;

    Massstab m_massstab;
    // Border and background in device pixels (its own pixel ratio 1, so that it is copied onto
    // the device pixel for pixel), made for a device of ratio m_hintergrundRatio.
    QImage m_hintergrund;
    qreal m_hintergrundRatio = 0.0;
    // What waits to be repainted since the last paint (erneuere).
    QRect m_offen;
};

} // namespace zivor
