#include "web/seitenansage.h"

#include <QString>

#include <emscripten/val.h>

#include <string>

namespace zivor {

void Seitenansage::sprich(const QString &text)
{
    using emscripten::val;
    const val dokument = val::global("document");
    val bereich = dokument.call<val>("getElementById", std::string("zivor-ansagen"));
    if (bereich.isNull())
        return;
    // A new paragraph after the last ones: the reader speaks what was added, in order; only the
    // last few are kept. A reader may take a text equal to the one before for a copy of the
    // same change and drop it (two slider steps within one hertz): a no-break space at its end,
    // which is not spoken, tells the two apart.
    std::string neu = text.toStdString();
    const val letzter = bereich["lastElementChild"];
    if (!letzter.isNull() && letzter["textContent"].as<std::string>() == neu)
        neu += "\u00a0";
    val absatz = dokument.call<val>("createElement", std::string("p"));
    absatz.set("textContent", neu);
    bereich.call<void>("append", absatz);
    while (bereich["childElementCount"].as<int>() > 4)
        bereich["firstElementChild"].call<void>("remove");
}

} // namespace zivor
