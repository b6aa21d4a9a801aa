#pragma once
// What screen readers get from the frequency slider: a slider whose value is the frequency
// in hertz that it sets, not the period length that is its position.

#include <QAccessibleWidget>

namespace zivor {

class Reglerzugang : public QAccessibleWidget,
                     public QAccessibleValueInterface
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    ,
                     public QAccessibleAttributesInterface
#endif
{
public:
    explicit Reglerzugang(QWidget *regler);

    // Lets Qt's accessibility use this interface for the frequency slider.
    static void anmelden();

    void *interface_cast(QAccessible::InterfaceType art) override;
    QString text(QAccessible::Text art) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &wert) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The value as it is spoken, with its unit: "49 Hertz".
    QList<QAccessible::Attribute> attributeKeys() const override;
    QVariant attributeValue(QAccessible::Attribute schluessel) const override;
#endif
};

} // namespace zivor
