#include "web/seitenbericht.h"

#include "exercises/bewertung.h"

#include <emscripten/val.h>

namespace zivor {

void Seitenbericht::bewertet(const Bewertungsbericht &bericht)
{
    using emscripten::val;
    val detail = val::object();
    detail.set("aufgabe", bericht.aufgabe);
    val antwort = val::object();
    antwort.set("frequenz", bericht.frequenz.toStdString());
    antwort.set("winkel", bericht.winkel.toStdString());
    antwort.set("amplitude", bericht.amplitude.toStdString());
    detail.set("antwort", antwort);
    val richtig = val::object();
    richtig.set("frequenz", bericht.bewertung.richtig[0]);
    richtig.set("phase", bericht.bewertung.richtig[1]);
    richtig.set("amplitude", bericht.bewertung.richtig[2]);
    detail.set("richtig", richtig);
    detail.set("punkte", bericht.bewertung.punkte);
    detail.set("moeglich", punkteJeAufgabe);
    detail.set("punktegesamt", bericht.punktegesamt);
    val init = val::object();
    init.set("detail", detail);
    val ereignis = val::global("CustomEvent").new_(std::string("zivor-bewertung"), init);
    val::global("window").call<bool>("dispatchEvent", ereignis);
}

void Seitenbericht::beendet()
{
    using emscripten::val;
    val::global("window").call<bool>("dispatchEvent", val::global("Event").new_(std::string("zivor-ende")));
}

} // namespace zivor
