#pragma once
// A curve picture of the time diagram (Image2(i)): the curve drawing stretched to the
// rectangle Left, Top, Width, Height in the diagram's scale (from Top downwards).

#include "diagrams/diagrammelement.h"

namespace zivor {

class Kurvenbild : public Diagrammelement
{
    Q_OBJECT
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(double Height READ height WRITE setHeight)
public:
    using Diagrammelement::Diagrammelement;

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setLeft(double v) { setze(m_left, v); }
    void setTop(double v) { setze(m_top, v); }
    void setWidth(double v) { setze(m_width, v); }
    void setHeight(double v) { setze(m_height, v); }

protected:
    QRectF pixelRechteck() const override;

private:
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
};

} // namespace zivor
