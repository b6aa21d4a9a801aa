#include "diagrams/bildflaeche.h"

#include "assets/bildzeichnung.h"
#include "diagrams/diagrammzugang.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTransform>

namespace zivor {

Bildflaeche::Bildflaeche(const Massstab &massstab, QWidget *parent)
    : QWidget(parent), m_massstab(massstab)
{
    Diagrammzugang::anmelden(); // before anything asks for the diagram's accessible interface
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QPointF Bildflaeche::pixelVon(double x, double y) const
{
    return m_massstab.zuPixel(x, y) + QPointF(rand, rand);
}

QPointF Bildflaeche::punktBei(QPointF widgetPixel) const
{
    return m_massstab.ausPixel(widgetPixel - QPointF(rand, rand));
}

QRectF Bildflaeche::innenRechteck() const
{
    return QRectF(rand, rand, width() - 2 * rand, height() - 2 * rand);
}

void Bildflaeche::erneuere(const QRect &r)
{
    m_offen |= r & rect();
    update(m_offen);
}

void Bildflaeche::paintEvent(QPaintEvent *event)
{
    m_offen = QRect();
    QPainter p(this);
    // The border and the background are painted once and kept. The device painted on may be
    // a print-out or a picture of another pixel ratio or format (QWidget::render, grab), so
    // the kept picture follows the device really painted on.
    const qreal dpr = geraeteRatio(p);
    const QSize geraetePixel = (QSizeF(size()) * dpr).toSize();
    const QImage::Format format = kopierformat(p);
    if (m_hintergrund.size() != geraetePixel || m_hintergrundRatio != dpr || m_hintergrund.format() != format) {
        m_hintergrund = QImage(geraetePixel, format);
        m_hintergrund.setDevicePixelRatio(dpr);
        m_hintergrund.fill(Qt::white);
        {
            QPainter bild(&m_hintergrund);
            zeichneRand(bild);
            bild.translate(rand, rand);
            zeichneHintergrund(bild, innenRechteck().size());
        }
        m_hintergrund.setDevicePixelRatio(1.0);
        m_hintergrundRatio = dpr;
    }
    p.setClipRegion(event->region());
    // One device pixel of the picture on one of the device: the painter then copies rows.
    p.save();
    p.setWorldTransform(QTransform::fromScale(1.0 / dpr, 1.0 / dpr), true);
    p.drawImage(QPointF(0, 0), m_hintergrund);
    p.restore();
    p.setClipRect(innenRechteck(), Qt::IntersectClip);
    zeichneInhalt(p);
}

void Bildflaeche::zeichneRand(QPainter &p) const
{
    // Sunken edge: shadow above and left, light below and right.
    const int w = width();
    const int h = height();
    p.fillRect(0, 0, w, 1, QColor(128, 128, 128));
    p.fillRect(0, 0, 1, h, QColor(128, 128, 128));
    p.fillRect(1, 1, w - 2, 1, QColor(64, 64, 64));
    p.fillRect(1, 1, 1, h - 2, QColor(64, 64, 64));
    p.fillRect(0, h - 1, w, 1, QColor(255, 255, 255));
    p.fillRect(w - 1, 0, 1, h, QColor(255, 255, 255));
    p.fillRect(1, h - 2, w - 2, 1, QColor(212, 208, 200));
    p.fillRect(w - 2, 1, 1, h - 2, QColor(212, 208, 200));
}

} // namespace zivor
