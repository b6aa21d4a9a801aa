#include "assets/bildzeichnung.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <QSizeF>
#include <QString>

#include <algorithm>
#include <cmath>

namespace zivor {
namespace {

// The em of the label face is about a character cell / 1.15.
constexpr double zelleJeEm = 1.15;
// The face is set at this pixel size and scaled onto the em by the painter.
constexpr int grundgroesse = 64;

} // namespace

namespace {

const QPaintDevice *wirklichesGeraet(const QPainter &p)
{
    const QPaintEngine *maschine = p.paintEngine();
    return maschine != nullptr && maschine->paintDevice() != nullptr ? maschine->paintDevice() : p.device();
}

} // namespace

double geraeteRatio(const QPainter &p)
{
    const QPaintDevice *geraet = wirklichesGeraet(p);
    return geraet != nullptr ? geraet->devicePixelRatioF() : 1.0;
}

QImage::Format kopierformat(const QPainter &p)
{
    const QPaintDevice *geraet = wirklichesGeraet(p);
    if (geraet == nullptr || geraet->devType() != QInternal::Image)
        return QImage::Format_RGB32;
    switch (static_cast<const QImage *>(geraet)->format()) {
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
    case QImage::Format_RGBX8888:
        return QImage::Format_RGBX8888;
    default:
        return QImage::Format_RGB32;
    }
}

Bildzeichnung::Bildzeichnung(QPainter &p, const QSizeF &innen, const Einheiten &einheiten)
    : m_p(p),
      m_einheiten(einheiten),
      m_jeEinheitX(innen.width() / einheiten.breite),
      m_jeEinheitY(innen.height() / einheiten.hoehe),
      m_geraet(p.deviceTransform()),
      m_logisch(m_geraet.inverted()),
      m_dicke(std::max(1.0, std::round(geraeteRatio(p))))
{
    const QRectF g = m_geraet.mapRect(QRectF(QPointF(0, 0), innen));
    m_geraetRahmen = QRectF(QPointF(std::round(g.left()), std::round(g.top())),
                            QPointF(std::round(g.right()), std::round(g.bottom())));
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, false);
    m_p.fillRect(QRectF(QPointF(0, 0), innen), Qt::white);
}

Bildzeichnung::~Bildzeichnung()
{
    m_p.restore();
}

QPointF Bildzeichnung::punkt(double x, double y) const
{
    return {(x - m_einheiten.links) * m_jeEinheitX, (m_einheiten.oben - y) * m_jeEinheitY};
}

void Bildzeichnung::linie(double x1, double y1, double x2, double y2, const QColor &farbe) const
{
    const QRectF g = m_geraet.mapRect(QRectF(punkt(x1, y1), punkt(x2, y2)).normalized());
    const auto quer = [this](double mitte) { return std::floor(mitte - m_dicke / 2 + 0.5); };
    QRectF pixel;
    if (g.width() < g.height()) {
        const double l = quer(g.center().x());
        pixel = QRectF(QPointF(l, std::floor(g.top())),
                       QPointF(l + m_dicke, std::floor(g.bottom()) + 1));
    } else {
        const double o = quer(g.center().y());
        pixel = QRectF(QPointF(std::floor(g.left()), o),
                       QPointF(std::floor(g.right()) + 1, o + m_dicke));
    }
    pixel &= m_geraetRahmen;
    if (!pixel.isEmpty())
        m_p.fillRect(m_logisch.mapRect(pixel), farbe);
}

void Bildzeichnung::pfeil(const std::array<QPointF, 3> &ecken) const
{
    QPolygonF flaeche;
    for (const QPointF &e : ecken)
        flaeche << punkt(e.x(), e.y());
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, true);
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(Qt::black);
    m_p.drawPolygon(flaeche);
    m_p.restore();
}

void Bildzeichnung::texte(std::span<const Beschriftung> beschriftungen, double zelle,
                          double ziffernbreite) const
{
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPixelSize(grundgroesse);
    schrift.setHintingPreference(QFont::PreferNoHinting);
    const double em = zelle / zelleJeEm;
    double sx = em * m_jeEinheitX / grundgroesse;
    if (ziffernbreite > 0.0) {
        const double ziffer =
            QFontMetricsF(schrift).horizontalAdvance(QStringLiteral("0123456789")) / 10.0;
        sx = ziffernbreite * m_jeEinheitX / ziffer;
    }
    const double sy = em * m_jeEinheitY / grundgroesse;
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, true);
    m_p.setRenderHint(QPainter::TextAntialiasing, true);
    m_p.setFont(schrift);
    m_p.setPen(Qt::black);
    m_p.setBackgroundMode(Qt::TransparentMode);
    for (const Beschriftung &b : beschriftungen) {
        m_p.save();
        m_p.translate(punkt(b.x, b.y));
        m_p.scale(sx, sy);
        m_p.drawText(QPointF(0, 0), QString::fromLatin1(b.text));
        m_p.restore();
    }
    m_p.restore();
}

} // namespace zivor
