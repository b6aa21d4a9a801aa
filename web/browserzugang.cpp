#include "web/browserzugang.h"

#include "web/seitenansage.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QWindow>
#include <QtGui/private/qaccessiblebridgeutils_p.h>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <emscripten/val.h>

#include <string>
#include <utility>

namespace zivor {
namespace {

using emscripten::val;

QPlatformAccessibility *plattform()
{
    return QGuiApplicationPrivate::platformIntegration()->accessibility();
}

std::string u8(const QString &text)
{
    return text.toStdString();
}

// Qt keeps the mirror of each screen in the open shadow root of the screen's page element.
val spiegel()
{
    const val behaelter = val::global("document").call<val>("getElementById", std::string("qt-shadow-container"));
    return behaelter.isNull() ? val::null() : behaelter["shadowRoot"];
}

// The page element that Qt made for a control: its id is the control's path of object names.
val element(QAccessibleInterface *s)
{
    const val wurzel = spiegel();
    if (wurzel.isNull() || wurzel.isUndefined())
        return val::null();
    return wurzel.call<val>("getElementById", u8(QAccessibleBridgeUtils::accessibleId(s)));
}

void setze(val &e, const char *attribut, const QString &wert)
{
    if (wert.isEmpty())
        e.call<void>("removeAttribute", std::string(attribut));
    else
        e.call<void>("setAttribute", std::string(attribut), u8(wert));
}

bool istAnsage(QObject *objekt)
{
    if (!objekt)
        return false;
    const QString name = objekt->objectName();
    return name == QLatin1String("Ansage") || name == QLatin1String("Ansagen");
}

// Pushes Qt's hidden "Enable Screen Reader" buttons: that fills the mirror from the root.
void druckeEinschaltknoepfe()
{
    const val wurzel = spiegel();
    if (wurzel.isNull() || wurzel.isUndefined())
        return;
    const val knoepfe = wurzel.call<val>("querySelectorAll", std::string("button.hidden-visually-read-by-screen-reader"));
    const int anzahl = knoepfe["length"].as<int>();
    for (int i = 0; i < anzahl; ++i)
        knoepfe[i].call<void>("click");
}

// What a screen reader says when a control takes the focus: the page's readers do not follow
// the focus inside Qt's window, so it is announced, as Orca says it on the desktop: name, role,
// state or value, description ("Zeigerdiagramm Diagramm. Funktion 1: Amplitude 10, Winkel 45°").
QString fokustext(QAccessibleInterface *s)
{
    static const std::pair<QAccessible::Role, const char *> rollen[] = {
        {QAccessible::CheckBox, "Kontrollkästchen"}, {QAccessible::Button, "Schaltfläche"},
        {QAccessible::EditableText, "Eingabefeld"}, {QAccessible::Slider, "Schieberegler"},
        {QAccessible::ScrollBar, "Bildlaufleiste"}, {QAccessible::Chart, "Diagramm"},
        {QAccessible::MenuItem, "Menüpunkt"}, {QAccessible::MenuBar, "Menüleiste"},
        {QAccessible::Document, "Dokument"}, {QAccessible::Dialog, "Dialog"},
        {QAccessible::StaticText, "Text"}};
    QStringList teile{s->text(QAccessible::Name)};
    for (const auto &[rolle, wort] : rollen) {
        if (rolle == s->role())
            teile << QString::fromUtf8(wort);
    }
    const QAccessible::State zustand = s->state();
    if (s->role() == QAccessible::CheckBox)
        teile << (zustand.checked ? QStringLiteral("aktiviert") : QStringLiteral("nicht aktiviert"));
    else if (s->role() == QAccessible::EditableText || s->role() == QAccessible::Slider)
        teile << s->text(QAccessible::Value);
    if (zustand.disabled)
        teile << QStringLiteral("nicht verfügbar");
    teile.removeAll(QString());
    QString text = teile.join(QLatin1Char(' '));
    const QString beschreibung = s->text(QAccessible::Description);
    if (!beschreibung.isEmpty())
        text += QStringLiteral(". ") + beschreibung;
    return text;
}

} // namespace

void Browserzugang::einschalten()
{
    // The application is the root of what readers are told; QApplication::exec() would say so,
    // but in the browser the program does not call it.
    QAccessible::setRootObject(qApp);
    // Without this Qt's widgets send no changes at all.
    plattform()->setActive(true);
    QAccessible::installUpdateHandler(&Browserzugang::weiterreichen);
    QTimer::singleShot(0, qApp, [] {
        druckeEinschaltknoepfe();
        angleichen(QAccessible::queryAccessibleInterface(qApp), true);
    });
    // A new visible area may bring a new scale: every element is placed anew.
    QObject::connect(QGuiApplication::primaryScreen(), &QScreen::geometryChanged, qApp,
                     [] { angleichen(QAccessible::queryAccessibleInterface(qApp), true); }, Qt::QueuedConnection);
}

void Browserzugang::weiterreichen(QAccessibleEvent *ereignis)
{
    // Announcements go to the page's live region (Ansage); Qt's mirror would only pile up an
    // element for each of them.
    if (istAnsage(ereignis->object()))
        return;
    plattform()->notifyAccessibilityUpdate(ereignis);
    if (ereignis->type() == QAccessible::ObjectDestroyed)
        return;
    QAccessibleInterface *s = ereignis->accessibleInterface();
    if (!s)
        return;
    vormerken(s, ereignis->type() == QAccessible::ObjectShow);
    if (ereignis->type() == QAccessible::Focus && s->isValid())
        Seitenansage::sprich(fokustext(s));
}

namespace {

// The controls whose elements wait, and whether their children wait with them.
QHash<QAccessible::Id, bool> &vorgemerkt()
{
    static QHash<QAccessible::Id, bool> liste;
    return liste;
}

} // namespace

void Browserzugang::vormerken(QAccessibleInterface *s, bool mitKindern)
{
    if (!s->isValid())
        return;
    if (vorgemerkt().isEmpty())
        QTimer::singleShot(0, qApp, &Browserzugang::angleichenVorgemerkte);
    bool &kinder = vorgemerkt()[QAccessible::uniqueId(s)];
    kinder = kinder || mitKindern;
}

void Browserzugang::angleichenVorgemerkte()
{
    const QHash<QAccessible::Id, bool> liste = std::exchange(vorgemerkt(), {});
    for (auto it = liste.cbegin(); it != liste.cend(); ++it)
        angleichen(QAccessible::accessibleInterface(it.key()), it.value());
}

void Browserzugang::angleichen(QAccessibleInterface *s, bool mitKindern)
{
    if (!s || !s->isValid() || istAnsage(s->object()))
        return;
    if (mitKindern) {
        for (int i = 0; i < s->childCount(); ++i)
            angleichen(s->child(i), true);
    }
    val e = element(s);
    if (e.isNull() || e.isUndefined())
        return;

    const QString name = s->text(QAccessible::Name);
    const QString beschreibung = s->text(QAccessible::Description);
    const QAccessible::State zustand = s->state();
    setze(e, "aria-label", name);
    setze(e, "aria-description", beschreibung);
    setze(e, "aria-disabled", zustand.disabled ? QStringLiteral("true") : QString());

    switch (s->role()) {
    case QAccessible::CheckBox:
        e.set("checked", bool(zustand.checked));
        e.set("disabled", bool(zustand.disabled));
        break;
    case QAccessible::Button:
        e.set("disabled", bool(zustand.disabled));
        break;
    case QAccessible::EditableText:
        e.set("value", u8(s->text(QAccessible::Value)));
        e.set("readOnly", bool(zustand.readOnly));
        break;
    case QAccessible::Slider:
    case QAccessible::ScrollBar:
        if (QAccessibleValueInterface *wert = s->valueInterface()) {
            setze(e, "aria-valuemin", wert->minimumValue().toString());
            setze(e, "aria-valuemax", wert->maximumValue().toString());
            setze(e, "aria-valuenow", wert->currentValue().toString());
            if (s->role() == QAccessible::Slider) {
                // The browser reads a range field's own bounds, not the ARIA ones.
                e.call<void>("setAttribute", std::string("min"), u8(wert->minimumValue().toString()));
                e.call<void>("setAttribute", std::string("max"), u8(wert->maximumValue().toString()));
                e.set("value", u8(wert->currentValue().toString()));
            }
        }
        setze(e, "aria-valuetext", s->text(QAccessible::Value));
        setze(e, "aria-orientation", s->rect().height() > s->rect().width() ? QStringLiteral("vertical")
                                                                           : QStringLiteral("horizontal"));
        break;
    case QAccessible::MenuItem:
        setze(e, "aria-keyshortcuts", s->text(QAccessible::Accelerator));
        break;
    case QAccessible::Graphic:
        // A phasor tip: its values belong to what it is called, not to a remark after it.
        e.call<void>("setAttribute", std::string("role"), std::string("img"));
        setze(e, "aria-label", beschreibung.isEmpty() ? name : name + QStringLiteral(": ") + beschreibung);
        e.call<void>("removeAttribute", std::string("aria-description"));
        break;
    case QAccessible::Chart:
        e.call<void>("setAttribute", std::string("role"), std::string("group"));
        e.call<void>("setAttribute", std::string("aria-roledescription"), std::string("Diagramm"));
        break;
    case QAccessible::Pane:
    case QAccessible::Grouping:
    case QAccessible::Window:
        e.call<void>("setAttribute", std::string("role"), std::string("group"));
        break;
    case QAccessible::Document:
        // The help page's whole text, line by line, for reading in the page.
        e.call<void>("setAttribute", std::string("role"), std::string("document"));
        if (QAccessibleTextInterface *text = s->textInterface())
            e.set("innerText", u8(text->text(0, text->characterCount())));
        break;
    case QAccessible::StaticText:
        e.set("value", u8(name));
        break;
    case QAccessible::Dialog:
        // Qt mirrors a window of its own as a closed dialog, which the reader does not see.
        e.call<void>("setAttribute", std::string("open"), std::string(""));
        break;
    case QAccessible::AlertMessage:
        // The evaluation box.
        e.call<void>("setAttribute", std::string("role"), std::string("alertdialog"));
        break;
    default:
        break;
    }
    // Qt writes the name into the element as text as well, which a reader in the page would
    // read a second time after the name.
    if (s->role() != QAccessible::Document && !name.isEmpty() && e["tagName"].as<std::string>() == "DIV")
        e.set("textContent", std::string());

    // Qt places an element only when its control appears; a tip moves with every drag step.
    // The page measures in its own pixels, which the screen's scale factor makes of Qt's.
    if (QWindow *fenster = s->window()) {
        const QRect r = s->rect();
        const QPointF ecke = fenster->mapFromGlobal(r.topLeft()).toPointF();
        const qreal faktor = QHighDpiScaling::factor(fenster);
        auto px = [](qreal wert) { return std::to_string(wert) + "px"; };
        val stil = e["style"];
        stil.set("left", px(ecke.x() * faktor));
        stil.set("top", px(ecke.y() * faktor));
        stil.set("width", px(r.width() * faktor));
        stil.set("height", px(r.height() * faktor));
    }
}

} // namespace zivor
