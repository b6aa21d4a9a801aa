#include "diagrams/behaelterzugang.h"

#include <QEvent>
#include <QMenu>
#include <QWidget>

namespace zivor {
namespace {

class Sichtbarkeitsmelder : public QObject
{
public:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override
    {
        if (ereignis->type() == QEvent::Show) {
            QAccessibleEvent neu(objekt, QAccessible::ObjectCreated);
            QAccessible::updateAccessibility(&neu);
        }
        return false;
    }
};

} // namespace

Behaelterzugang::Behaelterzugang(QWidget *behaelter, QAccessible::Role rolle, const QString &beschriftung)
    : QAccessibleWidget(behaelter, rolle), m_beschriftung(beschriftung)
{
}

QList<QPair<QAccessibleInterface *, QAccessible::Relation>> Behaelterzugang::relations(QAccessible::Relation art) const
{
    auto liste = QAccessibleWidget::relations(art);
    if ((art & QAccessible::Label) && !m_beschriftung.isEmpty()) {
        if (auto *text = widget()->findChild<QWidget *>(m_beschriftung, Qt::FindDirectChildrenOnly))
            liste.append({QAccessible::queryAccessibleInterface(text), QAccessible::Label});
    }
    return liste;
}

QList<QWidget *> Behaelterzugang::kinder() const
{
    QList<QWidget *> liste;
    for (QObject *o : widget()->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w != nullptr && !w->isWindow() && !w->isHidden() && qobject_cast<QMenu *>(w) == nullptr)
            liste << w;
    }
    return liste;
}

int Behaelterzugang::childCount() const
{
    return static_cast<int>(kinder().size());
}

QAccessibleInterface *Behaelterzugang::child(int index) const
{
    const QList<QWidget *> liste = kinder();
    if (index < 0 || index >= liste.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(liste[index]);
}

int Behaelterzugang::indexOfChild(const QAccessibleInterface *kind) const
{
    if (kind == nullptr)
        return -1;
    return static_cast<int>(kinder().indexOf(qobject_cast<QWidget *>(kind->object())));
}

void Behaelterzugang::meldeGezeigte(QWidget *behaelter)
{
    static Sichtbarkeitsmelder melder;
    for (QObject *o : behaelter->children())
        if (o->isWidgetType())
            o->installEventFilter(&melder);
}

} // namespace zivor
