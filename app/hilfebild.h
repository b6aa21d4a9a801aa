#pragma once
// Image1 of the help window: the help page inside a 1-px black border, moved up and down by
// the window's scroll bar.

#include <QWidget>

class QPaintEvent;

namespace zivor {

class Hilfebild : public QWidget
{
    Q_OBJECT
    // Vertical position of the page in its window, in twips (15 per pixel); not rounded.
    Q_PROPERTY(double Top READ top WRITE setTop)

public:
    explicit Hilfebild(QWidget *parent = nullptr);

    double top() const;
    // Places the page at the given Top; the widget lies at the nearest whole pixel.
    void setTop(double twips);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_top = 0.0;
};

} // namespace zivor
