#pragma once
// Hands an announcement to the page around the program: its live region, which screen readers in
// the browser speak without moving the focus.

class QString;

namespace zivor {

class Seitenansage
{
public:
    static void sprich(const QString &text);
};

} // namespace zivor
