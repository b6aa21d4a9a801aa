#include "assets/strichdeckung.h"

#include "assets/bildzeichnung.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace zivor {
namespace {

constexpr int probenJeSpalte = 4;

// Neighbouring columns share one band while the band's rectangle stays within twice their
// covered pixels and this many more: one more band costs one more drawImage, roughly as much
// as blending this many pixels.
constexpr int bandZuschlag = 1024;

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
    std::vector<float> &unten = m_unten;
    std::vector<float> &oben = m_oben;
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
    std::vector<float> &zeilen = m_zeilen;
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

void Strichdeckung::male(const QColor &farbe, QImage::Format format)
{
    m_baender.clear();

    // Bands of neighbouring covered columns.
    const int spalten = static_cast<int>(m_ersteZeile.size());
    qsizetype flaeche = 0;
    int s = 0;
    while (s < spalten) {
        if (m_anfang[s + 1] == m_anfang[s]) {
            ++s;
            continue;
        }
        const int erste = s;
        int oben = m_ersteZeile[s];
        int unten = oben + m_anfang[s + 1] - m_anfang[s] - 1;
        int gedeckt = unten - oben + 1;
        for (++s; s < spalten && m_anfang[s + 1] > m_anfang[s]; ++s) {
            const int anzahl = m_anfang[s + 1] - m_anfang[s];
            const int o = std::min(oben, m_ersteZeile[s]);
            const int u = std::max(unten, m_ersteZeile[s] + anzahl - 1);
            if ((s - erste + 1) * (u - o + 1) > 2 * (gedeckt + anzahl) + bandZuschlag)
                break;
            oben = o;
            unten = u;
            gedeckt += anzahl;
        }
        const QRect geraet(QPoint(m_spalte0 + erste, oben), QPoint(m_spalte0 + s - 1, unten));
        m_baender.push_back({geraet, flaeche, {}});
        flaeche += qsizetype{geraet.width()} * geraet.height();
    }

    // The bands' pixels one after the other, row by row, so that what is drawn lies close
    // together in memory: transparent, then each column's coverage in the colour,
    // premultiplied.
    m_pixel.assign(flaeche, 0u);
    std::array<quint32, 256> pixel{};
    const QRgb farbwert = farbe.rgba();
    for (int a = 0; a < 256; ++a) {
        const QRgb wert = qPremultiply(qRgba(qRed(farbwert), qGreen(farbwert), qBlue(farbwert),
                                             (qAlpha(farbwert) * a + 127) / 255));
        if (format == QImage::Format_ARGB32_Premultiplied) {
            pixel[a] = wert;
        } else {
            // Red, green, blue, alpha, byte by byte.
            const std::array<uchar, 4> bytes{uchar(qRed(wert)), uchar(qGreen(wert)),
                                             uchar(qBlue(wert)), uchar(qAlpha(wert))};
            std::memcpy(&pixel[a], bytes.data(), bytes.size());
        }
    }
    for (Band &band : m_baender) {
        const QRect &r = band.geraet;
        quint32 *const anfang = m_pixel.data() + band.anfang;
        for (int x = r.left(); x <= r.right(); ++x) {
            const int spalte = x - m_spalte0;
            quint32 *ziel = anfang + (m_ersteZeile[spalte] - r.top()) * r.width() + (x - r.left());
            for (int i = m_anfang[spalte]; i < m_anfang[spalte + 1]; ++i, ziel += r.width())
                *ziel = pixel[m_werte[i]];
        }
        band.bild = QImage(reinterpret_cast<uchar *>(anfang), r.width(), r.height(),
                           r.width() * qsizetype{sizeof(quint32)}, format);
    }
}

void Strichdeckung::zeichne(QPainter &p, const QRectF &ziel, const QRect &bereich,
                            const std::function<QPolygonF()> &umriss, const QColor &farbe)
{
    bool umkehrbar = false;
    const QTransform abbildung = p.deviceTransform();
    const QTransform zumGeraet = abbildung.inverted(&umkehrbar);
    if (!umkehrbar)
        return;
    // Onto the browser's windows (RGBX8888) Qt lays premultiplied RGBA8888 with its quick
    // routine for premultiplied pixels, but ARGB32 only through its general path, converting
    // each pixel both ways; everywhere else ARGB32 is the quick one.
    const QImage::Format format = kopierformat(p) == QImage::Format_RGBX8888
        ? QImage::Format_RGBA8888_Premultiplied : QImage::Format_ARGB32_Premultiplied;
    if (!m_gueltig || ziel != m_ziel || abbildung != m_abbildung || farbe != m_farbe
        || !m_bereich.contains(bereich)) {
        m_gueltig = true;
        m_ziel = ziel;
        m_abbildung = abbildung;
        m_farbe = farbe;
        m_bereich = bereich;
        berechne(umriss(), bereich);
        male(farbe, format);
    } else if (!m_baender.empty() && m_baender.front().bild.format() != format) {
        male(farbe, format);
    }
    if (m_baender.empty())
        return;

    // The picture's pixels are the device's: painted with a world transform that undoes
    // the painter's mapping to the device.
    p.save();
    p.setWorldTransform(zumGeraet, true);
    for (const Band &band : m_baender)
        p.drawImage(band.geraet.topLeft(), band.bild);
    p.restore();
}

} // namespace zivor
