#pragma once
// A phasor line of the phasor diagram (Line1(i)): a straight line in the diagram's scale.

#include "diagrams/diagrammelement.h"

namespace zivor {

class Zeigerlinie : public Diagrammelement
{
    Q_OBJECT
    Q_PROPERTY(double X1 READ x1 WRITE setX1)
    Q_PROPERTY(double Y1 READ y1 WRITE setY1)
    Q_PROPERTY(double X2 READ x2 WRITE setX2)
    Q_PROPERTY(double Y2 READ y2 WRITE setY2)
public:
    using Diagrammelement::Diagrammelement;

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setX1(double v) { setze(m_x1, v); }
    void setY1(double v) { setze(m_y1, v); }
    void setX2(double v) { setze(m_x2, v); }
    void setY2(double v) { setze(m_y2, v); }

protected:
    QRectF pixelRechteck() const override;

private:
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
};

} // namespace zivor
