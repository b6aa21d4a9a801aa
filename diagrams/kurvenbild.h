#pragma once
// A curve picture of the time diagram (Image2(i)): the curve drawing stretched to the
// rectangle Left, Top, Width, Height in the diagram's scale (from Top downwards).

#include <QColor>
#include <QObject>

namespace zivor {

class Bildflaeche;

class Kurvenbild : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(double Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
public:
    Kurvenbild(const QString &name, const QColor &farbe, Bildflaeche *flaeche);

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    bool isVisible() const { return m_sichtbar; }
    QColor farbe() const { return m_farbe; }

    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void setVisible(bool sichtbar);

private:
    void geaendert();

    Bildflaeche *m_flaeche;
    QColor m_farbe;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_sichtbar = true;
};

} // namespace zivor
