// Renders the window icon's drawing into a PNG of a given size, for installing it into the
// icon theme: symbolbild <picture.svg> <size> <out.png>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: symbolbild <picture.svg> <size> <out.png>\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QSvgRenderer bild(QString::fromLocal8Bit(argv[1]));
    const int seite = QString::fromLatin1(argv[2]).toInt();
    if (!bild.isValid() || seite <= 0) {
        std::fprintf(stderr, "symbolbild: cannot read %s or bad size %s\n", argv[1], argv[2]);
        return 1;
    }
    QImage png(seite, seite, QImage::Format_ARGB32_Premultiplied);
    png.fill(Qt::transparent);
    QPainter p(&png);
    bild.render(&p);
    p.end();
    return png.save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
