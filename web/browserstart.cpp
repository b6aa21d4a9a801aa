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
    // and the help page name, and are what a Linux desktop gives for them.
    static const std::array<const char *, 5> schnitte{
        "LiberationSans-Regular", "LiberationSans-Bold", "LiberationSerif-Regular",
        "LiberationSerif-Bold", "LiberationSerif-Italic"};
    for (const char *schnitt : schnitte)
        QFontDatabase::addApplicationFont(QStringLiteral(":/schriften/%1.ttf").arg(QLatin1String(schnitt)));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    // The menu bar and the message box in the face and size of a Linux desktop without settings.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

} // namespace zivor
