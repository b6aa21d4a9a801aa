#include "app/formzivor.h"

#include <QApplication>
#ifdef Q_OS_WASM
#include "web/browserstart.h"
#include "web/browserzugang.h"
#include "web/seitenbericht.h"
#include "web/seitenmassstab.h"
#endif

int main(int argc, char *argv[])
{
#ifdef Q_OS_WASM
    // In the browser main hands the page back at once, and the browser calls into the program for
    // every event: the application and its window live as long as the page. (With WebAssembly's
    // own exceptions, the hand-back out of QApplication::exec() would destroy them on the way.)
    // The program takes no arguments; Qt keeps a reference to them beyond main.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    static char name[] = "zivor";
    static char *argumente[] = {name, nullptr};
    static int anzahl = 1;
    new QApplication(anzahl, argumente);
    QApplication::setApplicationName(QStringLiteral("Zivor"));
    zivor::Browserstart::richteEin();
    auto *fenster = new Formzivor;
    // The browser's Qt shows a main window full screen, over the whole page; Zivor's keeps its
    // size and frame, in the middle of the page, smaller where the page shows too little.
    zivor::Seitenmassstab::einrichten(fenster);
    fenster->showNormal();
    zivor::Browserzugang::einschalten();
    // Each scored answer, and the end, is told to the page, which reports them to a learning
    // platform. (Without exec() Qt sends no lastWindowClosed: the main window says it has closed.)
    QObject::connect(fenster, &Formzivor::bewertet, &zivor::Seitenbericht::bewertet);
    QObject::connect(fenster, &Formzivor::geschlossen, &zivor::Seitenbericht::beendet);
    return 0;
#else
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zivor"));
    Formzivor fenster;
    fenster.show();
    return QApplication::exec();
#endif
}
