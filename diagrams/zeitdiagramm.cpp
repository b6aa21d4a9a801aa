#include "diagrams/zeitdiagramm.h"

#include "assets/kurvenzeichnung.h"
#include "assets/zeitdiagrammbild.h"
#include "diagrams/kurvenbild.h"
#include "model/umrechnung.h"
#include "model/zeitcursor.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zivor {

Zeitdiagramm::Zeitdiagramm(QWidget *parent) : Bildflaeche(zeitMassstab, parent) {}

namespace {

Kurvenplatz platzVon(const Kurvenbild &k)
{
    return {k.left(), k.top(), k.width(), k.height()};
}

} // namespace

void Zeitdiagramm::setzeKurven(const std::array<Kurvenbild *, 3> &vonHintenNachVorn,
                               const std::array<Kurvenbild *, 3> &nachKurve)
{
    m_kurven = vonHintenNachVorn;
    m_nachKurve = nachKurve;
}

std::vector<Cursorwert> Zeitdiagramm::cursorwerte() const
{
    static const std::array<QString, 3> farbe{QStringLiteral("grün"), QStringLiteral("rot"), QStringLiteral("blau")};
    std::vector<Cursorwert> werte;
    for (std::size_t i = 0; i < m_nachKurve.size(); ++i) {
        const Kurvenbild *k = m_nachKurve[i];
        if (k != nullptr && k->isVisible())
            werte.push_back({farbe[i], kurvenwert(platzVon(*k), m_cursorMs)});
    }
    return werte;
}

void Zeitdiagramm::keyPressEvent(QKeyEvent *event)
{
    const bool grob = event->modifiers() & Qt::ShiftModifier;
    const bool springen = event->modifiers() & Qt::ControlModifier;
    double ziel = m_cursorMs;
    std::optional<Kennart> gelandet;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int richtung = event->key() == Qt::Key_Right ? 1 : -1;
        if (!springen) {
            ziel += richtung * (grob ? grobschrittMs : feinschrittMs);
            break;
        }
        // The first shown curve's next mark, where the drawn axis has it.
        const auto erste = std::find_if(m_nachKurve.begin(), m_nachKurve.end(),
                                        [](const Kurvenbild *k) { return k != nullptr && k->isVisible(); });
        if (erste != m_nachKurve.end()) {
            const std::optional<Kennpunkt> punkt = kennpunkt(platzVon(**erste), m_cursorMs, richtung);
            if (punkt && punkt->zeitMs >= zeitachseVonMs && punkt->zeitMs <= zeitachseBisMs) {
                ziel = punkt->zeitMs;
                gelandet = punkt->art;
            }
        }
        break;
    }
    case Qt::Key_Home: ziel = zeitachseVonMs; break;
    case Qt::Key_End: ziel = zeitachseBisMs; break;
    default:
        Bildflaeche::keyPressEvent(event);
        return;
    }
    event->accept();
    m_cursorMs = std::clamp(ziel, zeitachseVonMs, zeitachseBisMs);
    m_cursorGezeigt = true;
    update();
    emit cursorGesetzt(cursoransage(m_cursorMs, cursorwerte(), gelandet));
}

void Zeitdiagramm::focusInEvent(QFocusEvent *event)
{
    Bildflaeche::focusInEvent(event);
    // Shown when the keyboard brings the focus here, not when the window merely starts with it.
    m_cursorGezeigt = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
}

void Zeitdiagramm::focusOutEvent(QFocusEvent *event)
{
    Bildflaeche::focusOutEvent(event);
    m_cursorGezeigt = false;
    update();
}

void Zeitdiagramm::zeichneCursor(QPainter &p) const
{
    // A thin dark line at the cursor's time and a small dark square on each shown curve there.
    const QColor dunkel(48, 48, 48);
    const double x = m_cursorMs * 20.0;
    const double spalte = std::floor(pixelVon(x, 0.0).x()) + 0.5;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(dunkel, 0.0));
    p.drawLine(QPointF(spalte, innenRechteck().top()), QPointF(spalte, innenRechteck().bottom()));
    for (const Kurvenbild *k : m_nachKurve) {
        if (k == nullptr || !k->isVisible())
            continue;
        if (const std::optional<double> wert = kurvenwert(platzVon(*k), m_cursorMs)) {
            const QPointF punkt = pixelVon(x, *wert * einheitenJeAmplitude);
            p.fillRect(QRectF(std::floor(punkt.x()) - 2.0, std::floor(punkt.y()) - 2.0, 5.0, 5.0), dunkel);
        }
    }
    p.restore();
}

void Zeitdiagramm::zeichneHintergrund(QPainter &p, const QSizeF &innen) const
{
    zeichneZeitdiagramm(p, innen);
}

void Zeitdiagramm::zeichneInhalt(QPainter &p)
{
    for (std::size_t i = 0; i < m_kurven.size(); ++i) {
        const Kurvenbild *k = m_kurven[i];
        if (k == nullptr || !k->isVisible())
            continue;
        const QRectF ziel = massstab().rechteckZuPixel(k->left(), k->top(), k->width(), k->height())
                                .translated(rand, rand);
        zeichneKurve(p, ziel, k->farbe(), &m_striche[i]);
    }
    if (hasFocus() && m_cursorGezeigt)
        zeichneCursor(p);
}

} // namespace zivor
