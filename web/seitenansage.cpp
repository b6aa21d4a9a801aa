#include "web/seitenansage.h"

#include <QString>

#include <emscripten/val.h>

namespace zivor {

void Seitenansage::sprich(const QString &text)
{
    using emscripten::val;
    const val dokument = val::global("document");
    val bereich = dokument.call<val>("getElementById", std::string("zivor-ansagen"));
    if (bereich.isNull())
        return;
    // A new paragraph after the last ones: the reader speaks what was added, in order, even when
    // the same text comes twice in a row; only the last few are kept.
    val absatz = dokument.call<val>("createElement", std::string("p"));
    absatz.set("textContent", text.toStdString());
    bereich.call<void>("append", absatz);
    while (bereich["childElementCount"].as<int>() > 4)
        bereich["firstElementChild"].call<void>("remove");
}

} // namespace zivor
