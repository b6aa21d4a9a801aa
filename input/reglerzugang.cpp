#include "input/reglerzugang.h"

#include "diagrams/zugangsfabrik.h"
#include "model/kurvenplatz.h"
#include "model/sprechtexte.h"
#include "model/umrechnung.h"

#include <QScrollBar>

#include <algorithm>

namespace zivor {
namespace {

QAccessibleInterface *schnittstelle(const QString &, QObject *objekt)
{
    if (objekt->objectName() == QLatin1String("HScroll3") && qobject_cast<QScrollBar *>(objekt) != nullptr)
        return new Reglerzugang(static_cast<QWidget *>(objekt));
    return nullptr;
}

QScrollBar *regler(QWidget *w)
{
    return static_cast<QScrollBar *>(w);
}

} // namespace

Reglerzugang::Reglerzugang(QWidget *regler)
    : QAccessibleWidget(regler, QAccessible::Slider)
{
}

void Reglerzugang::anmelden()
{
    installiereZugang(schnittstelle);
}

void *Reglerzugang::interface_cast(QAccessible::InterfaceType art)
{
    if (art == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (art == QAccessible::AttributesInterface)
        return static_cast<QAccessibleAttributesInterface *>(this);
#endif
    return QAccessibleWidget::interface_cast(art);
}

QString Reglerzugang::text(QAccessible::Text art) const
{
    if (art == QAccessible::Value)
        return frequenzansage(QString::number(currentValue().toInt()));
    return QAccessibleWidget::text(art);
}

QVariant Reglerzugang::currentValue() const
{
    return rundeGerade(reglerfrequenz(regler(widget())->sliderPosition()));
}

void Reglerzugang::setCurrentValue(const QVariant &wert)
{
    const double hz = std::clamp(wert.toDouble(), kleinsteFrequenz, groessteFrequenz);
    regler(widget())->setValue(kurvenbreite(static_cast<float>(hz)));
}

QVariant Reglerzugang::maximumValue() const
{
    return rundeGerade(reglerfrequenz(regler(widget())->minimum()));
}

QVariant Reglerzugang::minimumValue() const
{
    return rundeGerade(reglerfrequenz(regler(widget())->maximum()));
}

QVariant Reglerzugang::minimumStepSize() const
{
    return 1;
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
QList<QAccessible::Attribute> Reglerzugang::attributeKeys() const
{
    return {QAccessible::Attribute::Custom};
}

QVariant Reglerzugang::attributeValue(QAccessible::Attribute schluessel) const
{
    if (schluessel != QAccessible::Attribute::Custom)
        return {};
    return QVariant::fromValue(QHash<QString, QString>{{QStringLiteral("valuetext"), text(QAccessible::Value)}});
}
#endif

} // namespace zivor
