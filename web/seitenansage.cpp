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
    // A new paragraph in place of the last one: the reader speaks what was added, even when the
    // same text comes twice in a row.
    val absatz = dokument.call<val>("createElement", std::string("p"));
    absatz.set("textContent", text.toStdString());
    bereich.call<void>("replaceChildren", absatz);
}

} // namespace zivor
