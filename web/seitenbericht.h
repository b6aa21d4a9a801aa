#pragma once
// Tells the page around the program of each scored answer: an event "zivor-bewertung" on the
// page's window whose detail holds the task, the answer as given, the verdicts and the points;
// and of the program's end, "zivor-ende", when its main window has closed (the browser's program
// goes on running without a window). What the page does with them (a learning platform's grade
// book) is the page's own business.

namespace zivor {

struct Bewertungsbericht;

class Seitenbericht
{
public:
    static void bewertet(const Bewertungsbericht &bericht);
    static void beendet();
};

} // namespace zivor
