#pragma once
// A tip handle (Label1(i)): a 4 x 4 px spot that the learner drags with the mouse. Its
// Left and Top are kept in its container's scale; the phasor diagram draws the filled
// square, the handle itself paints nothing. The input of a drag is handled by the drag
// control (input/ziehsteuerung.h).

#include "model/massstab.h"

#include <QColor>
#include <QWidget>

namespace zivor {

class Griff : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ breite)
    Q_PROPERTY(double Height READ hoehe)
    Q_PROPERTY(QString Tag READ tag)
public:
    // massstab and versatz (pixel offset of the container's inner area) place the handle.
    Griff(const QString &name, const QString &tag, const QColor &fuellung,
          const Massstab &massstab, QPointF versatz, QWidget *parent);

    double left() const { return m_left; }
    double top() const { return m_top; }
    double breite() const;
    double hoehe() const;
    QString tag() const { return m_tag; }
    QColor fuellung() const { return m_fuellung; }

    void setLeft(double v);
    void setTop(double v);
    // Top and Left at once, with a single move of the widget (drag steps).
    void setzeOrt(double left, double top);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void platzieren();

    static constexpr int seite = 4; // 60 twips
    QString m_tag;
    QColor m_fuellung;
    Massstab m_massstab;
    QPointF m_versatz;
    double m_left = 0.0;
    double m_top = 0.0;
};

} // namespace zivor
