#pragma once
// A scroll bar that shows when it has the keyboard focus: the style draws no focus mark on
// scroll bars, so a keyboard user could not see where the keys go.

#include <QScrollBar>

namespace zivor {

class Rollbalken : public QScrollBar
{
    Q_OBJECT
public:
    Rollbalken(Qt::Orientation richtung, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
#ifdef Q_OS_WASM
    void contextMenuEvent(QContextMenuEvent *event) override;
#endif
};

} // namespace zivor
