#pragma once
// Tells the page around the program of each scored answer: an event "zivor-bewertung" on the
// page's window whose detail holds the task, the answer as given, the verdicts and the points.
// What the page does with it (a learning platform's grade book) is the page's own business.

namespace zivor {

struct Bewertungsbericht;

class Seitenbericht
{
public:
    static void bewertet(const Bewertungsbericht &bericht);
};

} // namespace zivor
