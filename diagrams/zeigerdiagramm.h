#pragma once
// The phasor diagram (Picture2): the complex plane with the phasor lines and the tip
// handles of the two functions. It turns the pointer positions of a handle drag into
// drag-over and drop notifications in its own scale.

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

    // Called by a handle while it is dragged, with the pointer's global position.
    void ziehenBeginnt(Griff *griff, QPointF global);
    void ziehen(Griff *griff, QPointF global);
    void loslassen(Griff *griff, QPointF global);

signals:
    void dragOver(QObject *quelle, float x, float y);
    void dragDrop(QObject *quelle, float x, float y);
    void mausBewegt(float x, float y);

protected:
    void zeichneHintergrund(QPainter &p, const QSizeF &innen) const override;
    void zeichneInhalt(QPainter &p) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPointF punktGlobal(QPointF global, bool *drueber) const;

    std::array<Zeigerlinie *, 3> m_linien{};
    std::array<Griff *, 2> m_griffe{};
    bool m_zeigerDrueber = false;
};

} // namespace zivor
