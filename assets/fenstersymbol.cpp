#include "assets/fenstersymbol.h"

#include <array>

#ifndef ZIVOR_SYMBOL_ALS_BILDER
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The pictures are compiled into the core library; a static library needs them registered.
static void ladeBilder()
{
    Q_INIT_RESOURCE(assets);
}
#endif

namespace zivor {
namespace {

// Sizes of the window icon's pictures (the Windows build's resources hold the same).
constexpr std::array<int, 5> symbolgroessen{16, 32, 48, 64, 128};

} // namespace

QIcon fenstersymbol()
{
    QIcon symbol;
#ifdef ZIVOR_SYMBOL_ALS_BILDER
    // Without Qt SVG (the Windows program), the build rendered the drawing at these sizes.
    for (const int seite : symbolgroessen)
        symbol.addFile(QStringLiteral(":/zivor/symbol-%1.png").arg(seite));
#else
    ladeBilder();
    QSvgRenderer bild(QStringLiteral(":/zivor/symbol.svg"));
    for (const int seite : symbolgroessen) {
        QPixmap pixmap(seite, seite);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        bild.render(&p);
        p.end();
        symbol.addPixmap(pixmap);
    }
#endif
    return symbol;
}

} // namespace zivor
