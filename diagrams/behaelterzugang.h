#pragma once
// What screen readers get from a part of a window that holds controls (the client area, the
// diagrams, the exercise panel): only the controls that are not hidden are its children.
//
// A screen reader keeps what it has once learned of a control; a control that it met while
// hidden it keeps taking for invisible after it is shown, and it skips it when it reviews the
// screen. So a hidden control is not offered at all, and once shown it is announced as a new
// child of its container, which the reader then asks afresh.

#include <QAccessibleWidget>

namespace zivor {

class Behaelterzugang : public QAccessibleWidget
{
public:
    // beschriftung: the object name of a child that labels the container, if one does.
    Behaelterzugang(QWidget *behaelter, QAccessible::Role rolle, const QString &beschriftung = {});

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *kind) const override;
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation art) const override;

    // Announces each control of the container as a new child whenever it is shown.
    static void meldeGezeigte(QWidget *behaelter);

private:
    QList<QWidget *> kinder() const;

    QString m_beschriftung;
};

} // namespace zivor
