#include "app/aufgabentextzugang.h"

#include "diagrams/zugangsfabrik.h"

#include <QLabel>
#include <QTextLayout>

namespace zivor {
namespace {

QAccessibleInterface *schnittstelle(const QString &, QObject *objekt)
{
    if (objekt->objectName() == QLatin1String("Labelaufgabe") && qobject_cast<QLabel *>(objekt) != nullptr)
        return new Aufgabentextzugang(static_cast<QWidget *>(objekt));
    return nullptr;
}

} // namespace

Aufgabentextzugang::Aufgabentextzugang(QWidget *label)
    : Lesetextzugang(label, QAccessible::StaticText)
{
}

void Aufgabentextzugang::anmelden()
{
    installiereZugang(schnittstelle);
}

QString Aufgabentextzugang::text(QAccessible::Text art) const
{
    if (art == QAccessible::Name)
        return lesetext().text;
    return QAccessibleWidget::text(art);
}

QList<QPair<QAccessibleInterface *, QAccessible::Relation>> Aufgabentextzugang::relations(QAccessible::Relation art) const
{
    // A screen reader reads the task with the panel when the keys come into it, once; a text
    // that labels nothing it would also read with every part of the window around it.
    auto liste = Lesetextzugang::relations(art);
    if ((art & QAccessible::Labelled) && widget()->parentWidget() != nullptr)
        liste.append({QAccessible::queryAccessibleInterface(widget()->parentWidget()), QAccessible::Labelled});
    return liste;
}

Lesetext Aufgabentextzugang::lesetext() const
{
    // The label breaks its lines at the carriage returns that separate them, and wraps a line
    // that is wider than the label, as a text layout of its font and width does.
    const auto *label = static_cast<const QLabel *>(widget());
    const QRectF innen = label->contentsRect();
    const QStringList absaetze = label->text().split(QChar(13));
    Lesetext t;
    double y = innen.top();
    for (qsizetype a = 0; a < absaetze.size(); ++a) {
        QTextLayout satz(absaetze[a], label->font());
        QTextOption art;
        art.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
        satz.setTextOption(art);
        satz.beginLayout();
        for (QTextLine zeile = satz.createLine(); zeile.isValid(); zeile = satz.createLine()) {
            zeile.setLineWidth(innen.width());
            zeile.setPosition(QPointF(innen.left(), y));
            y += zeile.height();
        }
        satz.endLayout();
        const QString &text = absaetze[a];
        for (int i = 0; i < satz.lineCount(); ++i) {
            const QTextLine zeile = satz.lineAt(i);
            const int ende = zeile.textStart() + zeile.textLength();
            for (int k = zeile.textStart(); k < ende; ++k) {
                const double links = zeile.cursorToX(k);
                const double rechts = zeile.cursorToX(k + 1);
                t.zeichen << QRectF(links, zeile.y(), rechts - links, zeile.height());
            }
        }
        t.text += text;
        if (a + 1 < absaetze.size()) {
            const QTextLine letzte = satz.lineAt(satz.lineCount() - 1);
            t.text += QLatin1Char('\n');
            t.zeichen << QRectF(letzte.x() + letzte.naturalTextWidth(), letzte.y(), 0.0, letzte.height());
        }
    }
    return t;
}

} // namespace zivor
