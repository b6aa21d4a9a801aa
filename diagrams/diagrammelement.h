#pragma once
// An item drawn by a picture area (a phasor line, a curve picture): it has a colour and a
// Visible state, and asks its area to repaint when it changes.

#include <QColor>
#include <QObject>
#include <QRect>
#include <QRectF>

namespace zivor {

class Bildflaeche;

class Diagrammelement : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
public:
    Diagrammelement(const QString &name, const QColor &farbe, Bildflaeche *flaeche);

    bool isVisible() const { return m_sichtbar; }
    void setVisible(bool sichtbar);
    QColor farbe() const { return m_farbe; }

protected:
    // Sets a geometry value and repaints when it changed: where the element was and where it is.
    void setze(double &feld, double wert);
    // The widget pixels of the area that the element's drawing spans, without its stroke.
    virtual QRectF pixelRechteck() const = 0;
    Bildflaeche *flaeche() const { return m_flaeche; }

private:
    // The area's pixels that the element paints on, its stroke and what is drawn at it included.
    QRect bereich() const;

    Bildflaeche *m_flaeche;
    QColor m_farbe;
    bool m_sichtbar = true;
};

} // namespace zivor
