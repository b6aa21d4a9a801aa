// Renders the window icon's drawing, for installing it into the icon theme (a PNG of one size)
// and for the Windows program (a .ico holding several sizes):
//   symbolbild <picture.svg> <size> <out.png>
//   symbolbild <picture.svg> <size>,<size>,... <out.ico>

#include "assets/icodatei.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: symbolbild <picture.svg> <size>[,<size>...] <out.png|out.ico>\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QSvgRenderer bild(QString::fromLocal8Bit(argv[1]));
    const QString ziel = QString::fromLocal8Bit(argv[3]);
    const bool ico = ziel.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive);
    QList<QImage> bilder;
    for (const QString &groesse : QString::fromLatin1(argv[2]).split(u',')) {
        const int seite = groesse.toInt();
        if (!bild.isValid() || seite <= 0 || seite > (ico ? 256 : 4096)) {
            std::fprintf(stderr, "symbolbild: cannot read %s or bad size %s\n", argv[1], argv[2]);
            return 1;
        }
        QImage png(seite, seite, QImage::Format_ARGB32_Premultiplied);
        png.fill(Qt::transparent);
        QPainter p(&png);
        bild.render(&p);
        p.end();
        bilder << png;
    }
    if (!ico)
        return bilder.size() == 1 && bilder.first().save(ziel) ? 0 : 1;
    QFile datei(ziel);
    const QByteArray daten = zivor::icoDatei(bilder);
    return datei.open(QIODevice::WriteOnly) && datei.write(daten) == daten.size() ? 0 : 1;
}
