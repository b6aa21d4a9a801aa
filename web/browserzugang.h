#pragma once
// Screen readers in the browser: Qt mirrors each control in hidden page elements, but only once a
// hidden button is pressed, and it leaves many of them without name, value or state. This
// turns the mirror on from the start and gives every mirrored control its name, role, value and
// state as the desktop's accessibility bus has them. A drag step changes several controls at
// once; their elements are brought up to date together, once the step is handled (during a drag
// ten times a second), and only in what changed.

class QAccessibleEvent;
class QAccessibleInterface;

namespace zivor {

class Browserzugang
{
public:
    // Call before the event loop: the mirror is switched on from inside it, when the
    // application's accessibility root is known.
    static void einschalten();

private:
    static void weiterreichen(QAccessibleEvent *ereignis);
    static void vormerken(QAccessibleInterface *schnittstelle, bool mitKindern);
    static void angleichenVorgemerkte();
    static void angleichen(QAccessibleInterface *schnittstelle, bool mitKindern);
};

} // namespace zivor
