#pragma once
// What screen readers get from the task text Labelaufgabe: a label whose name and text are the
// task as it stands, line by line, with the true place of every character.

#include "app/lesetextzugang.h"

namespace zivor {

class Aufgabentextzugang : public Lesetextzugang
{
public:
    explicit Aufgabentextzugang(QWidget *label);

    // Lets Qt's accessibility use this interface for the task text.
    static void anmelden();

    QString text(QAccessible::Text art) const override;
    using Lesetextzugang::text;
    // The task labels the exercise panel it stands in.
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation art) const override;

protected:
    Lesetext lesetext() const override;
};

} // namespace zivor
