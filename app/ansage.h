#pragma once
// Speaks a short text through the screen reader without moving the focus: a change that the
// learner made with a key, or a window part that appeared.

#include <QObject>
#include <QPointer>

class QWidget;

namespace zivor {

class Ansage : public QObject
{
    Q_OBJECT
public:
    // fenster: the window part in which the announcements are heard.
    explicit Ansage(QWidget *fenster);

    void sprich(const QString &text);

private:
    QWidget *m_traeger;
    QPointer<QWidget> m_letzte;
};

} // namespace zivor
