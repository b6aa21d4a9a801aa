#pragma once
// The time diagram (Picture1): the time axis with its grid and the three curve pictures.

#include "assets/strichdeckung.h"
#include "diagrams/bildflaeche.h"

#include <array>

namespace zivor {

class Kurvenbild;

class Zeitdiagramm : public Bildflaeche
{
    Q_OBJECT
public:
    explicit Zeitdiagramm(QWidget *parent);

    // Curve pictures in stacking order from the back.
    void setzeKurven(const std::array<Kurvenbild *, 3> &vonHintenNachVorn);

protected:
    void zeichneHintergrund(QPainter &p, const QSizeF &innen) const override;
    void zeichneInhalt(QPainter &p) override;

private:
    std::array<Kurvenbild *, 3> m_kurven{};
    // The stroke's pixels of each curve as last painted.
    std::array<Strichdeckung, 3> m_striche{};
};

} // namespace zivor
