#pragma once
// Keys the browser keeps for itself, given another way: Alt+F4, which closes the help window on
// the desktop, closes the browser's window in the browser; there Escape closes the help window.

#include <QObject>

namespace zivor {

class Browsertasten : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace zivor
