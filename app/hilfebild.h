#pragma once
// Image1 of the help window: the help page inside a 1-px black border, moved up and down by
// the window's scroll bar. With the keyboard focus it is read like a document: a caret stands
// at the start of a line, the arrow and page keys move it from line to line, and the page is
// asked to scroll so that the caret's line is in view.

#include "model/lesetext.h"

#include <QWidget>

class QKeyEvent;
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

    // The page's text with its characters' places, in this widget's coordinates.
    const Lesetext &lesetext() const;
    int schreibmarke() const { return m_schreibmarke; }
    // Puts the caret at a character and asks for its line to be shown.
    void setzeSchreibmarke(int offset);

signals:
    // This part of the page (in this widget's coordinates) should be in view.
    void zeigeBereich(const QRectF &bereich);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QRect schreibmarkenRechteck() const;

    double m_top = 0.0;
    int m_schreibmarke = 0;
};

} // namespace zivor
