#include "web/browserstart.h"

#include "assets/bildzeichnung.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QStringList>
#include <QStyleOptionFrame>
#include <QTransform>

#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace zivor {
namespace {

// The style draws a text box's frame as rounded, antialiased lines, which in the browser cost
// nearly half of what a box costs to paint, and a drag repaints four value boxes at every step.
// So each frame is drawn once for its size, state, colours and pixel ratio and then laid down as a
// picture, pixel for pixel, where the device's pixels line up with it.
class Rahmenstil : public QProxyStyle
{
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *p,
                       const QWidget *widget) const override
    {
        const auto *rahmen = qstyleoption_cast<const QStyleOptionFrame *>(option);
        const QTransform t = p->deviceTransform();
        const double dpr = geraeteRatio(*p);
        const bool deckungsgleich = element == PE_FrameLineEdit && rahmen != nullptr
            && p->paintEngine() != nullptr && p->paintEngine()->type() == QPaintEngine::Raster
            && t.type() <= QTransform::TxScale && dpr == std::floor(dpr) && t.m11() == dpr && t.m22() == dpr
            && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy()) && p->opacity() == 1.0
            && p->compositionMode() == QPainter::CompositionMode_SourceOver && !option->rect.isEmpty();
        if (!deckungsgleich) {
            QProxyStyle::drawPrimitive(element, option, p, widget);
            return;
        }
        // Premultiplied pixels in the byte order of the device, which Qt blends the quick way.
        const QImage::Format format = kopierformat(*p) == QImage::Format_RGBX8888
            ? QImage::Format_RGBA8888_Premultiplied : QImage::Format_ARGB32_Premultiplied;
        // Looked up at every paint of a box: numbers, no text made for it.
        const auto schluessel = std::make_tuple(option->rect.width(), option->rect.height(), int(option->state),
                                                option->palette.cacheKey(), dpr, int(format));
        static std::map<decltype(schluessel), QImage> bilder;
        auto bild = bilder.find(schluessel);
        if (bild == bilder.end()) {
            if (bilder.size() >= 64)
                bilder.clear();
            QImage neu((option->rect.size().toSizeF() * dpr).toSize(), format);
            neu.setDevicePixelRatio(dpr);
            neu.fill(Qt::transparent);
            QStyleOptionFrame kopie(*rahmen);
            kopie.rect.moveTopLeft(QPoint(0, 0));
            {
                QPainter q(&neu);
                q.setRenderHints(p->renderHints());
                QProxyStyle::drawPrimitive(element, &kopie, &q, widget);
            }
            neu.setDevicePixelRatio(1.0);
            bild = bilder.emplace(schluessel, neu).first;
        }
        // One pixel of the picture on one of the device: only a translation, so Qt copies rows.
        p->save();
        p->setWorldTransform(QTransform::fromScale(1.0 / dpr, 1.0 / dpr), true);
        p->drawImage(QPointF(option->rect.topLeft()) * dpr, bild->second);
        p->restore();
    }
};

} // namespace

void Browserstart::richteEin()
{
    // Liberation Sans and Serif have the metrics of Arial and Times New Roman, which the window
    // and the help page name, and are what a Linux desktop gives for them. The three italic
    // letters of the help page's formula are slanted from the upright face: the italic one would
    // cost a fifth of a megabyte more over the wire.
    static const std::array<const char *, 4> schnitte{
        "LiberationSans-Regular", "LiberationSans-Bold", "LiberationSerif-Regular", "LiberationSerif-Bold"};
    for (const char *schnitt : schnitte)
        QFontDatabase::addApplicationFont(QStringLiteral(":/schriften/%1.ttf").arg(QLatin1String(schnitt)));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    // The menu bar and the message box at the size of a Linux desktop without settings (9 pt), in
    // the sans-serif face the program brings.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    QApplication::setStyle(new Rahmenstil);
}

} // namespace zivor
