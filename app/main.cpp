#include "app/formzivor.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zivor"));
    Formzivor fenster;
    fenster.show();
    return QApplication::exec();
}
