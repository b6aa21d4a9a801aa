#pragma once
// The phasor diagram (Picture2): the complex plane with the phasor lines and the tip
// handles of the two functions. While it has the focus, the handle that the keys move
// carries a focus mark.

#include "diagrams/bildflaeche.h"

#include <array>

namespace zivor {

class Griff;
class Zeigerlinie;

class Zeigerdiagramm : public Bildflaeche
{
    Q_OBJECT
public:
    explicit Zeigerdiagramm(QWidget *parent);

    // Items in stacking order from the back: line 0, handle 0, line 1, handle 1, line 2.
    void setzeElemente(const std::array<Zeigerlinie *, 3> &linien,
                       const std::array<Griff *, 2> &griffe);
    const std::array<Griff *, 2> &griffe() const { return m_griffe; }

    // The handle that the keys move: the one chosen last while it is shown, otherwise the
    // first one shown; none when no handle is shown.
    Griff *markierterGriff() const;
    void markiere(Griff *griff);

protected:
    void zeichneHintergrund(QPainter &p, const QSizeF &innen) const override;
    void zeichneInhalt(QPainter &p) override;

private:
    std::array<Zeigerlinie *, 3> m_linien{};
    std::array<Griff *, 2> m_griffe{};
    Griff *m_markiert = nullptr;
};

} // namespace zivor
