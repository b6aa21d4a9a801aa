#pragma once
// Turns the learner's mouse and keys into the phasor diagram's notifications. Pressing the
// left button on a handle starts a drag: every pointer position over the diagram is reported
// as drag-over, the one at which the pointer leaves it too, and the release over it as drop.
// While the diagram has the focus, the arrow keys move its marked handle by one pixel (with
// Shift by ten) and Space marks the next shown handle; each key step is reported as the
// drag-over and drop that a mouse at the handle's new pixel gives. Mouse moves over the
// diagram outside a drag are reported for its tooltip.
//
// A finger on a touch screen needs no aim as fine as the 4 x 4 handle: a touch that lands
// within a fingertip's reach of a shown handle's middle takes the nearest handle (green before
// red where both are as near). The handle keeps the offset at which the finger landed, so that
// the finger does not hide the tip; every move is reported as the drag-over of a mouse at the
// handle's new corner, lifting the finger as the drop. Other fingers are ignored meanwhile; a
// cancelled touch ends the drag like a release that never came. A touch out of reach is left
// to Qt, which makes it a mouse press as before; a pen acts as the mouse.

#include <QObject>
#include <QPointF>

#include <vector>

class QKeyEvent;
class QMouseEvent;
class QTouchEvent;

namespace zivor {

class Griff;
class Zeigerdiagramm;

class Ziehsteuerung : public QObject
{
    Q_OBJECT
public:
    explicit Ziehsteuerung(Zeigerdiagramm *diagramm, QObject *parent = nullptr);

    // A handle that is dragged onto the diagram: its own tip handles and any other.
    void nimmGriff(Griff *griff);

signals:
    void dragOver(QObject *quelle, float x, float y);
    void dragDrop(QObject *quelle, float x, float y);
    void mausBewegt(float x, float y);
    // A drag of this handle has ended or a key step has moved it: the values stand.
    void gesetzt(QObject *griff);
    // Space has marked this handle for the keys.
    void markiert(QObject *griff);

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override;

private:
    bool griffMaus(Griff *griff, QMouseEvent *ereignis);
    bool taste(QKeyEvent *ereignis);
    bool beruehrung(QTouchEvent *ereignis);
    // The shown handle nearest to a pixel of the diagram, within a fingertip's reach.
    Griff *griffInReichweite(QPointF pixel) const;
    // Reports the handle's corner at a pixel of the diagram as the pointer of a drag.
    void zieheZu(QPointF ecke, bool loslassen);
    // Diagram coordinates of a global pointer position; drueber: whether it lies over the
    // shown diagram.
    QPointF punktGlobal(QPointF global, bool *drueber) const;
    void beenden();

    Zeigerdiagramm *m_diagramm;
    std::vector<Griff *> m_griffe;
    Griff *m_zieht = nullptr;
    bool m_zeigerDrueber = false;
    // The finger that drags, and the handle's corner relative to it; -1 for none.
    int m_finger = -1;
    QPointF m_versatz;
};

} // namespace zivor
