#include "assets/strichdeckung.h"

#include <QColor>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zivor {
namespace {

constexpr int probenJeSpalte = 4;

// A rectangle of the painter's logical coordinates as the device pixels the raster engine
// clips it to: each edge at the nearest pixel border.
QRect geraeteRechteck(const QTransform &geraet, const QRect &logisch)
{
    const QRectF r = geraet.mapRect(QRectF(logisch));
    const int links = qRound(r.left());
    const int oben = qRound(r.top());
    return QRect(QPoint(links, oben), QPoint(qRound(r.right()) - 1, qRound(r.bottom()) - 1));
}

// c over d with coverage a (0..255), two channels at a time; c is opaque.
inline quint32 mische(quint32 c, quint32 d, quint32 a)
{
    const quint32 b = 255 - a;
    quint32 rb = (c & 0xff00ffu) * a + (d & 0xff00ffu) * b;
    rb = ((rb + ((rb >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    quint32 ag = ((c >> 8) & 0xff00ffu) * a + ((d >> 8) & 0xff00ffu) * b;
    ag = (ag + ((ag >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return rb | ag;
}

} // namespace

void Strichdeckung::berechne(const QPolygonF &umriss, const QRect &sicht)
{
    m_ersteZeile.clear();
    m_anfang.assign(1, 0);
    m_werte.clear();
    const QRectF rahmen = umriss.boundingRect();
    const QRect bereich = sicht & QRect(QPoint(static_cast<int>(std::floor(rahmen.left())),
                                               static_cast<int>(std::floor(rahmen.top()))),
                                        QPoint(static_cast<int>(std::ceil(rahmen.right())),
                                               static_cast<int>(std::ceil(rahmen.bottom()))));
    m_spalte0 = bereich.left();
    if (bereich.isEmpty() || umriss.size() < 3)
        return;
    const int spalten = bereich.width();
    const int proben = spalten * probenJeSpalte;

    // Lowest and highest point of the outline in every sample column; sample j lies at
    // x = m_spalte0 + (j + 0.5) / probenJeSpalte.
    static thread_local std::vector<float> unten;
    static thread_local std::vector<float> oben;
    unten.assign(proben, std::numeric_limits<float>::infinity());
    oben.assign(proben, -std::numeric_limits<float>::infinity());
    const qsizetype ecken = umriss.size();
    for (qsizetype k = 0; k < ecken; ++k) {
        QPointF a = umriss[k];
        QPointF b = umriss[k + 1 < ecken ? k + 1 : 0];
        if (a.x() > b.x())
            std::swap(a, b);
        const double erste = std::ceil((a.x() - m_spalte0) * probenJeSpalte - 0.5);
        const double letzte = std::floor((b.x() - m_spalte0) * probenJeSpalte - 0.5);
        if (letzte < 0.0 || erste >= proben || letzte < erste)
            continue;
        const double steigung = (b.y() - a.y()) / (b.x() - a.x());
        const int bis = static_cast<int>(std::min<double>(letzte, proben - 1));
        for (int j = static_cast<int>(std::max(erste, 0.0)); j <= bis; ++j) {
            const double x = m_spalte0 + (j + 0.5) / probenJeSpalte;
            const float y = static_cast<float>(a.y() + (x - a.x()) * steigung);
            unten[j] = std::min(unten[j], y);
            oben[j] = std::max(oben[j], y);
        }
    }

    // A pixel's coverage: the mean over its sample columns of the part of the stretch
    // between the lowest and highest point that lies inside the pixel's row.
    m_ersteZeile.resize(spalten);
    m_anfang.resize(spalten + 1);
    m_werte.reserve(static_cast<std::size_t>(proben) * 2);
    static thread_local std::vector<float> zeilen;
    for (int s = 0; s < spalten; ++s) {
        const float *u = unten.data() + s * probenJeSpalte;
        const float *o = oben.data() + s * probenJeSpalte;
        float von = u[0];
        float bis = o[0];
        for (int i = 1; i < probenJeSpalte; ++i) {
            von = std::min(von, u[i]);
            bis = std::max(bis, o[i]);
        }
        int z0 = bereich.bottom() + 1;
        int z1 = z0 - 1;
        if (von <= bis) {
            z0 = std::max(bereich.top(), static_cast<int>(std::floor(von)));
            z1 = std::min(bereich.bottom(), static_cast<int>(std::floor(bis)));
        }
        m_ersteZeile[s] = z0;
        if (z1 >= z0) {
            zeilen.assign(z1 - z0 + 1, 0.0f);
            for (int i = 0; i < probenJeSpalte; ++i) {
                const float a = std::max(u[i], float(z0));
                const float b = std::min(o[i], float(z1 + 1));
                if (!(a < b))
                    continue;
                const int za = static_cast<int>(a);
                const int zb = std::min(z1, static_cast<int>(b));
                if (za == zb) {
                    zeilen[za - z0] += b - a;
                    continue;
                }
                zeilen[za - z0] += za + 1 - a;
                for (int z = za + 1; z < zb; ++z)
                    zeilen[z - z0] += 1.0f;
                zeilen[zb - z0] += b - zb;
            }
            for (const float summe : zeilen)
                m_werte.push_back(static_cast<quint8>(summe * (255.0f / probenJeSpalte) + 0.5f));
        }
        m_anfang[s + 1] = static_cast<int>(m_werte.size());
    }
}

bool Strichdeckung::zeichne(QPainter &p, const QRectF &ziel,
                            const std::function<const QPolygonF &()> &umriss, const QColor &farbe)
{
    QPaintEngine *maschine = p.paintEngine();
    if (maschine == nullptr || maschine->type() != QPaintEngine::Raster || farbe.alpha() != 255
        || p.compositionMode() != QPainter::CompositionMode_SourceOver || p.opacity() != 1.0)
        return false;
    QPaintDevice *geraet = maschine->paintDevice();
    if (geraet == nullptr || geraet->devType() != QInternal::Image)
        return false;
    auto *bild = static_cast<QImage *>(geraet);
    const QImage::Format format = bild->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return false;
    const QTransform abbildung = p.deviceTransform();
    if (abbildung.type() > QTransform::TxScale)
        return false;

    // Where the painter may paint: the system clip (the part of a widget being painted, in
    // device pixels), the picture and the painter's own clip.
    QRegion erlaubt = QRegion(bild->rect());
    if (!maschine->systemClip().isEmpty())
        erlaubt &= maschine->systemClip();
    if (p.hasClipping()) {
        QRegion eigene;
        for (const QRect &r : p.clipRegion())
            eigene += geraeteRechteck(abbildung, r);
        erlaubt &= eigene;
    }
    const QRect bereich = erlaubt.boundingRect();
    if (!m_gueltig || ziel != m_ziel || abbildung != m_abbildung || bereich != m_bereich) {
        berechne(umriss(), bereich);
        m_gueltig = true;
        m_ziel = ziel;
        m_abbildung = abbildung;
        m_bereich = bereich;
    }

    const quint32 c = 0xff000000u | (farbe.rgb() & 0xffffffu);
    const int spalten = static_cast<int>(m_ersteZeile.size());
    // The engine has made the picture its own when it began painting; writing through the
    // constant access keeps the picture from being copied meanwhile.
    uchar *const basis = const_cast<uchar *>(bild->constBits());
    const qsizetype zeilenLaenge = bild->bytesPerLine();
    for (const QRect &r : erlaubt) {
        const int s0 = std::max(0, r.left() - m_spalte0);
        const int s1 = std::min(spalten - 1, r.right() - m_spalte0);
        for (int s = s0; s <= s1; ++s) {
            const int x = m_spalte0 + s;
            const int z0 = std::max(r.top(), m_ersteZeile[s]);
            const int z1 = std::min(r.bottom(), m_ersteZeile[s] + m_anfang[s + 1] - m_anfang[s] - 1);
            const quint8 *wert = m_werte.data() + m_anfang[s] - m_ersteZeile[s];
            for (int z = z0; z <= z1; ++z) {
                const quint32 a = wert[z];
                if (a == 0)
                    continue;
                auto *pixel = reinterpret_cast<quint32 *>(basis + z * zeilenLaenge) + x;
                *pixel = a == 255 ? c : mische(c, *pixel, a);
            }
        }
    }
    return true;
}

} // namespace zivor
