#include "web/browserstart.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <array>

namespace zivor {

void Browserstart::richteEin()
{
    // Liberation Sans and Serif have the metrics of Arial and Times New Roman, which the window
    // and the help page name, and are what a Linux desktop gives for them. The three italic
    // letters of the help page's formula are slanted from the upright face: the italic one would
    // cost a fifth of a megabyte more over the wire.
    static const std::array<const char *, 4> schnitte{
        "LiberationSans-Regular", "LiberationSans-Bold", "LiberationSerif-Regular", "LiberationSerif-Bold"};
    for (const char *schnitt : schnitte)
        QFontDatabase::addApplicationFont(QStringLiteral(":/schriften/%1.ttf").arg(QLatin1String(schnitt)));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    // The menu bar and the message box at the size of a Linux desktop without settings (9 pt), in
    // the sans-serif face the program brings.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
}

} // namespace zivor
