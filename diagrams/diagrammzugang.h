#pragma once
// What screen readers get from the diagrams: both diagrams as charts with their names and
// descriptions, the tip handles as pictures whose description gives amplitude and angle.

#include "diagrams/behaelterzugang.h"

namespace zivor {

class Diagrammzugang : public Behaelterzugang
{
public:
    Diagrammzugang(QWidget *widget, QAccessible::Role rolle);

    // Lets Qt's accessibility use this interface for the diagrams and their handles.
    static void anmelden();
};

} // namespace zivor
