#include "app/formzivor.h"

#include <QApplication>
#ifdef Q_OS_WASM
#include "web/browserstart.h"
#include "web/browserzugang.h"
#include "web/seitenbericht.h"
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zivor"));
#ifdef Q_OS_WASM
    zivor::Browserstart::richteEin();
#endif
    Formzivor fenster;
#ifdef Q_OS_WASM
    // The browser's Qt shows a main window full screen, over the whole page; Zivor's keeps its
    // size and frame, in the middle of the page.
    fenster.showNormal();
    zivor::Browserzugang::einschalten();
    // Each scored answer, and the end, is told to the page, which reports them to a learning
    // platform.
    QObject::connect(&fenster, &Formzivor::bewertet, &zivor::Seitenbericht::bewertet);
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &zivor::Seitenbericht::beendet);
#else
    fenster.show();
#endif
    return QApplication::exec();
}
