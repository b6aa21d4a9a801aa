#pragma once
// A phasor line of the phasor diagram (Line1(i)): a straight line in the diagram's scale,
// drawn by the diagram.

#include <QColor>
#include <QObject>

namespace zivor {

class Bildflaeche;

class Zeigerlinie : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double X1 READ x1 WRITE setX1)
    Q_PROPERTY(double Y1 READ y1 WRITE setY1)
    Q_PROPERTY(double X2 READ x2 WRITE setX2)
    Q_PROPERTY(double Y2 READ y2 WRITE setY2)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
public:
    Zeigerlinie(const QString &name, const QColor &farbe, Bildflaeche *flaeche);

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    bool isVisible() const { return m_sichtbar; }
    QColor farbe() const { return m_farbe; }

    void setX1(double v);
    void setY1(double v);
    void setX2(double v);
    void setY2(double v);
    void setVisible(bool sichtbar);

private:
    void geaendert();

    Bildflaeche *m_flaeche;
    QColor m_farbe;
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    bool m_sichtbar = true;
};

} // namespace zivor
