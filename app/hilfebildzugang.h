#pragma once
// What screen readers get from the help page: a document whose text is the page's, line by
// line, with the formula written out and the two pictures described, the true place of every
// character, and the page's caret.

#include "app/lesetextzugang.h"

namespace zivor {

class Hilfebild;

class Hilfebildzugang : public Lesetextzugang
{
public:
    explicit Hilfebildzugang(QWidget *seite);

    // Lets Qt's accessibility use this interface for the help page and its window.
    static void anmelden();

protected:
    Lesetext lesetext() const override;
    int schreibmarke() const override;
    void setzeSchreibmarke(int offset) override;
    void zeige(const QRectF &bereich) override;

private:
    Hilfebild *seite() const;
};

} // namespace zivor
