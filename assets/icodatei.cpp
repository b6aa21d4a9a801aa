#include "assets/icodatei.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

namespace zivor {
namespace {

void schreibe16(QByteArray &d, quint16 wert)
{
    const quint16 le = qToLittleEndian(wert);
    d.append(reinterpret_cast<const char *>(&le), 2);
}

void schreibe32(QByteArray &d, quint32 wert)
{
    const quint32 le = qToLittleEndian(wert);
    d.append(reinterpret_cast<const char *>(&le), 4);
}

// A bitmap entry: the header of a bitmap twice the picture's height (colour rows, then mask
// rows), the colours as blue, green, red, alpha from the bottom row up, then the mask, one bit
// a pixel (set where the picture is transparent), each row padded to four bytes.
QByteArray bitmapEintrag(const QImage &bild)
{
    const QImage argb = bild.convertToFormat(QImage::Format_ARGB32);
    const int seite = argb.width();
    const int maskenzeile = ((seite + 31) / 32) * 4;
    QByteArray d;
    schreibe32(d, 40);
    schreibe32(d, static_cast<quint32>(seite));
    schreibe32(d, static_cast<quint32>(2 * seite));
    schreibe16(d, 1);
    schreibe16(d, 32);
    schreibe32(d, 0);
    schreibe32(d, static_cast<quint32>(seite * seite * 4 + maskenzeile * seite));
    for (int i = 0; i < 4; ++i)
        schreibe32(d, 0);
    for (int y = seite - 1; y >= 0; --y) {
        const auto *zeile = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < seite; ++x) {
            const QRgb c = zeile[x];
            d.append(static_cast<char>(qBlue(c)));
            d.append(static_cast<char>(qGreen(c)));
            d.append(static_cast<char>(qRed(c)));
            d.append(static_cast<char>(qAlpha(c)));
        }
    }
    for (int y = seite - 1; y >= 0; --y) {
        QByteArray maske(maskenzeile, '\0');
        const auto *zeile = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < seite; ++x)
            if (qAlpha(zeile[x]) == 0)
                maske[x / 8] = static_cast<char>(maske[x / 8] | (0x80 >> (x % 8)));
        d.append(maske);
    }
    return d;
}

QByteArray pngEintrag(const QImage &bild)
{
    QByteArray d;
    QBuffer puffer(&d);
    puffer.open(QIODevice::WriteOnly);
    bild.convertToFormat(QImage::Format_ARGB32).save(&puffer, "PNG");
    return d;
}

} // namespace

QByteArray icoDatei(const QList<QImage> &bilder)
{
    QList<QByteArray> eintraege;
    for (const QImage &bild : bilder) {
        const int seite = bild.width();
        if (bild.height() != seite || seite < 1 || seite > 256)
            return {};
        eintraege << (seite == 256 ? pngEintrag(bild) : bitmapEintrag(bild));
    }
    QByteArray d;
    schreibe16(d, 0);
    schreibe16(d, 1); // icon
    schreibe16(d, static_cast<quint16>(bilder.size()));
    quint32 lage = 6 + 16 * static_cast<quint32>(bilder.size());
    for (qsizetype i = 0; i < bilder.size(); ++i) {
        const int seite = bilder[i].width();
        d.append(static_cast<char>(seite == 256 ? 0 : seite)); // 0 stands for 256
        d.append(static_cast<char>(seite == 256 ? 0 : seite));
        d.append('\0'); // no palette
        d.append('\0');
        schreibe16(d, 1);
        schreibe16(d, 32);
        schreibe32(d, static_cast<quint32>(eintraege[i].size()));
        schreibe32(d, lage);
        lage += static_cast<quint32>(eintraege[i].size());
    }
    for (const QByteArray &e : eintraege)
        d.append(e);
    return d;
}

} // namespace zivor
