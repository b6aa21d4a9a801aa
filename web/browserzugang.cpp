#include "web/browserzugang.h"

#include "web/seitenansage.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
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

#include <functional>
#include <memory>
#include <string>

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
// Qt names a control's element after the object names of the control and its parents when it
// makes it; a control renamed later (the evaluation box gets its name after it has made its
// label and buttons) keeps the old one. So each element is kept as it was found, with its control,
// and with what was last written into it: a drag step changes a few of an element's attributes,
// and only those are written again.
struct Bekannt {
    QPointer<QObject> objekt;
    val e;
    QHash<QByteArray, std::string> geschrieben;
};
QHash<QAccessible::Id, Bekannt> &bekannte()
{
    static QHash<QAccessible::Id, Bekannt> liste;
    return liste;
}

Bekannt *eintrag(QAccessibleInterface *s)
{
    const QAccessible::Id id = QAccessible::uniqueId(s);
    const auto bekannt = bekannte().find(id);
    if (bekannt != bekannte().end() && bekannt->objekt && bekannt->objekt == s->object()
        && bekannt->e["isConnected"].as<bool>())
        return &*bekannt;
    const val wurzel = spiegel();
    if (wurzel.isNull() || wurzel.isUndefined())
        return nullptr;
    val e = wurzel.call<val>("getElementById", u8(QAccessibleBridgeUtils::accessibleId(s)));
    if (!e.isNull() && !e.isUndefined())
        return &*bekannte().insert(id, {s->object(), e, {}});
    if (bekannt != bekannte().end() && bekannt->objekt && bekannt->objekt == s->object())
        return &*bekannt;
    return nullptr;
}

val element(QAccessibleInterface *s)
{
    const Bekannt *bekannt = eintrag(s);
    return bekannt ? bekannt->e : val::null();
}

// Finds a control's element while its name is still the one Qt gave it (a drag step sends
// several events; once known, it is not looked up again).
void merke(QAccessibleInterface *s)
{
    eintrag(s);
}

// Qt writes into some elements itself, when it is told of a change: what was written there
// before is not known any more. Menus' elements are written by Qt when their menu's element is
// made, without a word to their own: what they hold is never taken as known.
bool qtSchreibt(QAccessible::Event art, QAccessible::Role rolle)
{
    if (art == QAccessible::ObjectShow)
        return true;
    switch (rolle) {
    case QAccessible::StaticText:
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ScrollBar:
        return art == QAccessible::Focus || art == QAccessible::NameChanged || art == QAccessible::DescriptionChanged
            || art == QAccessible::StateChanged || art == QAccessible::ValueChanged;
    case QAccessible::EditableText:
        // Otherwise only the field's inner text and name attribute, which are not written here.
        return art == QAccessible::NameChanged || art == QAccessible::DescriptionChanged;
    case QAccessible::Dialog:
    case QAccessible::MenuItem:
    case QAccessible::MenuBar:
    case QAccessible::PopupMenu:
    case QAccessible::ButtonMenu:
    case QAccessible::ToolBar:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
        return true;
    default:
        return false;
    }
}

// Writes into an element what is not there yet from the last time.
class Schreiber
{
public:
    Schreiber(Bekannt &bekannt, bool merken) : m_e(bekannt.e), m_geschrieben(bekannt.geschrieben), m_merken(merken)
    {
        if (!m_merken)
            m_geschrieben.clear();
    }

    // An attribute; an empty text removes it.
    void attribut(const char *name, const QString &wert) { attribut(name, u8(wert), !wert.isEmpty()); }
    void attribut(const char *name, const std::string &wert, bool setzen = true)
    {
        if (neu(QByteArray("a") + name, setzen ? "=" + wert : std::string())) {
            if (setzen)
                m_e.call<void>("setAttribute", std::string(name), wert);
            else
                m_e.call<void>("removeAttribute", std::string(name));
        }
    }
    template<typename T>
    void eigenschaft(const char *name, const T &wert)
    {
        if (neu(QByteArray("e") + name, schluessel(wert)))
            m_e.set(name, wert);
    }
    // A field's value: written every time, as typing into the element may have changed it.
    void wert(const std::string &wert) { m_e.set("value", wert); }
    void stil(const char *name, const std::string &wert)
    {
        if (neu(QByteArray("s") + name, wert))
            m_e["style"].set(name, wert);
    }

    // Whether was is to be written as wert (it is then taken as written).
    bool neu(const QByteArray &was, const std::string &wert)
    {
        if (!m_merken)
            return true;
        auto it = m_geschrieben.find(was);
        if (it != m_geschrieben.end() && *it == wert)
            return false;
        m_geschrieben.insert(was, wert);
        return true;
    }

private:
    static std::string schluessel(bool wert) { return wert ? "1" : "0"; }
    static std::string schluessel(const std::string &wert) { return "=" + wert; }

    val &m_e;
    QHash<QByteArray, std::string> &m_geschrieben;
    bool m_merken;
};

// Brings the waiting elements up to date: once the change is handled, or during a drag (a
// button or finger down) ten times a second, which is plenty for a reader and spares the page
// the work at every step; the release brings them up to date at once.
QTimer *angleichtakt = nullptr;

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

// Qt keeps the page's keyboard focus on a hidden text field of its own, without a name, whatever
// control has the keys: readers in the page heard "Eingabefeld" and, in their browse mode, kept
// arrows and Space for themselves. The focus goes on to the control's own page element, which
// has its name, role, state and description; keys there still reach Qt's window, around it.
// Qt takes the focus back to its field, also after the control has taken it, and gives it to a
// window's canvas (unnamed, "Leinwand") when the window shows: the page sends it on to the
// control's element once more.
void folgeDemFokus(QAccessibleInterface *s)
{
    val e = element(s);
    if (e.isNull() || e.isUndefined()) {
        // A window that has just shown gives a control the keys before its elements are
        // there: the focus follows once they are.
        QTimer::singleShot(0, qApp, [] {
            QAccessibleInterface *jetzt = QAccessible::queryAccessibleInterface(QGuiApplication::focusObject());
            const val da = jetzt ? element(jetzt) : val::null();
            if (!da.isNull() && !da.isUndefined())
                folgeDemFokus(jetzt);
        });
        return;
    }
    e.call<void>("setAttribute", std::string("tabindex"), std::string("-1"));
    val::global("window").set("zivorFokus", e);
    val wie = val::object();
    wie.set("preventScroll", true);
    e.call<void>("focus", wie);
}

void leiteFokusWeiter()
{
    const val weiter = val::global("Function").new_(std::string("ereignis"), std::string(R"(
        const ziel = window.zivorFokus;
        const neu = ereignis.composedPath()[0];
        if (ziel && ziel.isConnected && neu !== ziel && neu.tagName === 'INPUT' && neu.parentElement === document.body)
            ziel.focus({ preventScroll: true });)"));
    val::global("document").call<void>("addEventListener", std::string("focusin"), weiter, true);
    // Enter and Space at a button's or check box's element reach Qt, which presses it; the
    // browser's own click on the element would press it a second time (when Qt waits in a
    // dialog of its own, the key is not even marked as handled).
    const val nurQt = val::global("Function").new_(std::string("ereignis"), std::string(R"(
        const e = ereignis.composedPath()[0];
        if ((ereignis.key === 'Enter' || ereignis.key === ' ') && e.closest && e.closest('.qt-window')
            && (e.tagName === 'BUTTON' || e.type === 'checkbox'))
            ereignis.preventDefault();)"));
    val::global("document").call<void>("addEventListener", std::string("keydown"), nurQt, true);
    val::global("document").call<void>("addEventListener", std::string("keyup"), nurQt, true);
    val::global("Function").new_(std::string(R"(
        const leinwand = HTMLCanvasElement.prototype.focus;
        HTMLCanvasElement.prototype.focus = function (wie) {
            const ziel = window.zivorFokus;
            if (ziel && ziel.isConnected)
                ziel.focus({ preventScroll: true });
            else
                leinwand.call(this, wie);
        };)"))();
}

// The evaluation box's lines, which a reader does not read when the focus enters the box as it
// does on the desktop: said once, after its title ("Bewertung: Frequenz richtig. ...").
void sprichMeldung(QAccessibleInterface *s)
{
    static QPointer<QMessageBox> gesprochen;
    QAccessibleInterface *i = s;
    while (i && i->role() != QAccessible::AlertMessage)
        i = i->parent();
    auto *box = i ? qobject_cast<QMessageBox *>(i->object()) : nullptr;
    if (!box || box == gesprochen)
        return;
    gesprochen = box;
    // The box breaks its lines at carriage returns.
    const QStringList zeilen = box->text().split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    Seitenansage::sprich(box->windowTitle() + QStringLiteral(": ") + zeilen.join(QStringLiteral(". ")));
}

// A step of the slider that leaves its whole hertz as they were changes nothing of its page
// element, so a reader says nothing; such a step is said here, as every other one is by the
// reader. Run before the element is brought up to date.
void sprichSchritt(QAccessibleInterface *s)
{
    const val e = element(s);
    if (e.isNull() || e.isUndefined())
        return;
    const QString wert = s->text(QAccessible::Value);
    const val gezeigt = e.call<val>("getAttribute", std::string("aria-valuetext"));
    if (gezeigt.isString() && gezeigt.as<std::string>() == u8(wert))
        Seitenansage::sprich(wert);
}

// Runs f once the page shows the window's first picture. Making every element of the mirror takes
// a while (a tenth of a second, more on a slow device); done before, it would hold that picture
// back. The page says so in zivorMessung.gezeigt after the browser has drawn the picture; a page
// that does not say so gets the elements after two seconds.
void nachDemErstenBild(std::function<void()> f)
{
    auto *takt = new QTimer(qApp);
    takt->setInterval(20);
    auto seit = std::make_shared<QElapsedTimer>();
    seit->start();
    QObject::connect(takt, &QTimer::timeout, qApp, [takt, seit, f = std::move(f)] {
        const val messung = val::global("window")["zivorMessung"];
        const bool gezeigt = !messung.isUndefined() && !messung.isNull() && messung["gezeigt"].isTrue();
        if (!gezeigt && !seit->hasExpired(2000))
            return;
        takt->stop();
        takt->deleteLater();
        f();
    });
    takt->start();
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
    leiteFokusWeiter();
    nachDemErstenBild([] {
        // Qt fills every element it makes now.
        druckeEinschaltknoepfe();
        for (Bekannt &bekannt : bekannte())
            bekannt.geschrieben.clear();
        angleichen(QAccessible::queryAccessibleInterface(qApp), true);
        // The control that had the keys before its element was there takes the page's focus now.
        if (QObject *fokus = QGuiApplication::focusObject())
            if (QAccessibleInterface *s = QAccessible::queryAccessibleInterface(fokus))
                folgeDemFokus(s);
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
    // Qt mirrors a field's changed text as its element's inner text and name attribute, of no use
    // to a field of the page (its value and name are written here); a drag step changes several.
    const QAccessible::Event art = ereignis->type();
    const bool nurFeldtext = (art == QAccessible::TextInserted || art == QAccessible::TextRemoved
                              || art == QAccessible::TextUpdated || art == QAccessible::TextCaretMoved
                              || art == QAccessible::TextSelectionChanged)
        && ereignis->accessibleInterface() && ereignis->accessibleInterface()->role() == QAccessible::EditableText;
    if (!nurFeldtext)
        plattform()->notifyAccessibilityUpdate(ereignis);
    if (ereignis->type() == QAccessible::ObjectDestroyed)
        return;
    QAccessibleInterface *s = ereignis->accessibleInterface();
    if (!s)
        return;
    if (s->isValid() && qtSchreibt(ereignis->type(), s->role())) {
        const auto bekannt = bekannte().find(QAccessible::uniqueId(s));
        if (bekannt != bekannte().end())
            bekannt->geschrieben.clear();
    }
    if (ereignis->type() == QAccessible::ValueChanged && s->role() == QAccessible::Slider && s->state().focused) {
        // Against what the element says now, not what it said a step or two ago.
        if (angleichtakt && angleichtakt->isActive()) {
            angleichtakt->stop();
            angleichenVorgemerkte();
        }
        sprichSchritt(s);
    }
    if (ereignis->type() != QAccessible::Focus || !s->isValid()) {
        if (s->isValid())
            merke(s);
        vormerken(s, ereignis->type() == QAccessible::ObjectShow);
    } else {
        // The page's focus follows to the element at once, brought up to date first.
        angleichen(s, false);
        folgeDemFokus(s);
        sprichMeldung(s);
        // A reader does not say a page that takes the focus, only reads it: the help page is
        // announced with its window, and then read.
        if (s->role() == QAccessible::Document && s->window())
            Seitenansage::sprich(s->window()->title() + QStringLiteral(": ") + s->text(QAccessible::Name));
    }
}

namespace {

// The controls whose elements wait, and whether their children wait with them.
QHash<QAccessible::Id, bool> &vorgemerkt()
{
    static QHash<QAccessible::Id, bool> liste;
    return liste;
}

// The release of a button or finger (or its cancel) brings the waiting elements up to date at once.
class Loslassen : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *ereignis) override
    {
        const QEvent::Type art = ereignis->type();
        if ((art == QEvent::MouseButtonRelease || art == QEvent::TouchEnd || art == QEvent::TouchCancel)
            && angleichtakt->isActive())
            angleichtakt->start(0);
        return false;
    }
};

} // namespace

void Browserzugang::vormerken(QAccessibleInterface *s, bool mitKindern)
{
    if (!s->isValid())
        return;
    if (!angleichtakt) {
        angleichtakt = new QTimer(qApp);
        angleichtakt->setSingleShot(true);
        QObject::connect(angleichtakt, &QTimer::timeout, qApp, &Browserzugang::angleichenVorgemerkte);
        qApp->installEventFilter(new Loslassen);
    }
    if (!angleichtakt->isActive())
        angleichtakt->start(QGuiApplication::mouseButtons() != Qt::NoButton ? 100 : 0);
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
    Bekannt *bekannt = eintrag(s);
    if (!bekannt)
        return;
    val &e = bekannt->e;
    const QAccessible::Role rolle = s->role();
    Schreiber w(*bekannt, !qtSchreibt(QAccessible::InvalidEvent, rolle));

    const QString name = s->text(QAccessible::Name);
    const QString beschreibung = s->text(QAccessible::Description);
    const QAccessible::State zustand = s->state();
    // A phasor tip: its values belong to what it is called, not to a remark after it.
    const bool spitze = rolle == QAccessible::Graphic;
    w.attribut("aria-label", spitze && !beschreibung.isEmpty() ? name + QStringLiteral(": ") + beschreibung : name);
    w.attribut("aria-description", spitze ? QString() : beschreibung);
    w.attribut("aria-disabled", zustand.disabled ? QStringLiteral("true") : QString());

    switch (rolle) {
    case QAccessible::CheckBox:
        w.eigenschaft("checked", bool(zustand.checked));
        w.eigenschaft("disabled", bool(zustand.disabled));
        break;
    case QAccessible::Button:
        w.eigenschaft("disabled", bool(zustand.disabled));
        break;
    case QAccessible::EditableText:
        w.wert(u8(s->text(QAccessible::Value)));
        w.eigenschaft("readOnly", bool(zustand.readOnly));
        break;
    case QAccessible::Slider:
    case QAccessible::ScrollBar:
        if (QAccessibleValueInterface *wert = s->valueInterface()) {
            w.attribut("aria-valuemin", wert->minimumValue().toString());
            w.attribut("aria-valuemax", wert->maximumValue().toString());
            w.attribut("aria-valuenow", wert->currentValue().toString());
            if (rolle == QAccessible::Slider) {
                // The browser reads a range field's own bounds, not the ARIA ones.
                w.attribut("min", u8(wert->minimumValue().toString()));
                w.attribut("max", u8(wert->maximumValue().toString()));
                w.wert(u8(wert->currentValue().toString()));
            }
        }
        w.attribut("aria-valuetext", s->text(QAccessible::Value));
        w.attribut("aria-orientation", s->rect().height() > s->rect().width() ? QStringLiteral("vertical")
                                                                            : QStringLiteral("horizontal"));
        break;
    case QAccessible::MenuItem:
        w.attribut("aria-keyshortcuts", s->text(QAccessible::Accelerator));
        break;
    case QAccessible::Graphic:
        w.attribut("role", std::string("img"));
        break;
    case QAccessible::Chart: {
        // The keys operate a diagram: as an application, a reader passes them all on, whatever
        // mode it was in. Orca 43 switches to its focus mode only for an application inside
        // another one (one alone counts to it as a document of its own): the window's controls
        // are the outer one, Zivor.
        w.attribut("role", std::string("application"));
        w.attribut("aria-roledescription", std::string("Diagramm"));
        val fenster = e["parentElement"];
        if (!fenster.isNull() && w.neu("fenster", "Zivor")) {
            fenster.call<void>("setAttribute", std::string("role"), std::string("application"));
            fenster.call<void>("setAttribute", std::string("aria-label"), std::string("Zivor"));
        }
        break;
    }
    case QAccessible::Pane:
    case QAccessible::Grouping:
    case QAccessible::Window:
        w.attribut("role", std::string("group"));
        break;
    case QAccessible::Document:
        // The help page's whole text, line by line, for reading in the page.
        w.attribut("role", std::string("document"));
        if (QAccessibleTextInterface *text = s->textInterface())
            w.eigenschaft("innerText", u8(text->text(0, text->characterCount())));
        break;
    case QAccessible::StaticText:
        w.wert(u8(name));
        break;
    case QAccessible::Dialog:
        // Qt mirrors a window of its own as a closed dialog, which the reader does not see.
        w.attribut("open", std::string());
        break;
    case QAccessible::AlertMessage:
        // The evaluation box.
        w.attribut("role", std::string("alertdialog"));
        break;
    default:
        break;
    }
    // Qt writes the name into the element as text as well, which a reader in the page would
    // read a second time after the name. A diagram holds its description instead: an
    // application with nothing in it is one that Orca does not take for a control.
    if (rolle != QAccessible::Document && !name.isEmpty() && e["tagName"].as<std::string>() == "DIV")
        w.eigenschaft("textContent", rolle == QAccessible::Chart ? u8(beschreibung) : std::string());

    // Qt places an element only when its control appears; a tip moves with every drag step.
    // The page measures in its own pixels, which the screen's scale factor makes of Qt's.
    if (QWindow *fenster = s->window()) {
        const QRect r = s->rect();
        const QPointF ecke = fenster->mapFromGlobal(r.topLeft()).toPointF();
        const qreal faktor = QHighDpiScaling::factor(fenster);
        auto px = [](qreal wert) { return std::to_string(wert) + "px"; };
        w.stil("left", px(ecke.x() * faktor));
        w.stil("top", px(ecke.y() * faktor));
        w.stil("width", px(r.width() * faktor));
        w.stil("height", px(r.height() * faktor));
    }
}

} // namespace zivor
