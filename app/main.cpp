#include "app/formzivor.h"

#include <QApplication>
#ifdef Q_OS_WASM
#include "web/browserstart.h"
#include "web/browserzugang.h"
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zivor"));
#ifdef Q_OS_WASM
    zivor::Browserstart::richteEin();
#endif
    Formzivor fenster;
    fenster.show();
#ifdef Q_OS_WASM
    zivor::Browserzugang::einschalten();
#endif
    return QApplication::exec();
}
