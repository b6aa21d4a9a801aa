#pragma once
// The time diagram (Picture1): the time axis with its grid and the three curve pictures.
// While it has the keyboard focus, a cursor reads the curves: Left and Right move it along the
// time axis by a fine step, with Shift by a coarse one, Home and End go to the axis' ends, and
// Ctrl+Left and Ctrl+Right jump to the previous or next maximum, minimum or zero crossing of
// the first shown curve. Each move reports what a screen reader says there; the cursor is drawn
// while the diagram has the focus from the keyboard (a Tab, or a cursor key pressed), so that
// the window looks as ever at start and to the mouse; it only reads.

#include "assets/strichdeckung.h"
#include "diagrams/bildflaeche.h"

#include <array>
#include <vector>

namespace zivor {

class Kurvenbild;
struct Cursorwert;

class Zeitdiagramm : public Bildflaeche
{
    Q_OBJECT
public:
    explicit Zeitdiagramm(QWidget *parent);

    // Curve pictures in stacking order from the back, and by curve (green, red, blue).
    void setzeKurven(const std::array<Kurvenbild *, 3> &vonHintenNachVorn,
                     const std::array<Kurvenbild *, 3> &nachKurve);

signals:
    // The cursor has moved: what the screen reader says there.
    void cursorGesetzt(const QString &ansage);

protected:
    void zeichneHintergrund(QPainter &p, const QSizeF &innen) const override;
    void zeichneInhalt(QPainter &p) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    std::vector<Cursorwert> cursorwerte() const;
    void zeichneCursor(QPainter &p) const;

    std::array<Kurvenbild *, 3> m_kurven{};
    std::array<Kurvenbild *, 3> m_nachKurve{};
    double m_cursorMs = 0.0;
    bool m_cursorGezeigt = false;
    // The stroke's pixels of each curve as last painted.
    std::array<Strichdeckung, 3> m_striche{};
};

} // namespace zivor
