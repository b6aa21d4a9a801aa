// What screen readers get from the main window, and how sharp the diagrams come out in a
// picture with twice the pixel density of the screen (a screenshot or print-out path).

#include "app/formzivor.h"
#include "assets/zeigerdiagrammbild.h"
#include "assets/zeitdiagrammbild.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

class TestZugang : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void jedesSteuerelementHatEinenNamen();
    void beschreibungFolgtDemZiehen();
    void beschreibungFolgtReglerUndAuswahl();
    void aufgabe2VerraetDieZieleNicht();
    void bewertungZeilenweiseLesbar();
    void feldWirdGanzGelesen();
    void summeWieGezeigt();
    void ansagenNachSchrittMarkierungUndAufgabe();
    void ansageErstNachDemZiehen();
    void reglerBietetDieFrequenz_data();
    void reglerBietetDieFrequenz();
    void altMitBuchstabeLaesstDenFokusStehen();
    void hilfeGibtDenFokusZurueck();
    void verborgenesWirdErstGezeigtAngeboten();
    void scharfImBildDoppelterPixeldichte_data();
    void scharfImBildDoppelterPixeldichte();

private:
    static QString text(QWidget *w, QAccessible::Text art)
    {
        QAccessibleInterface *schnittstelle = QAccessible::queryAccessibleInterface(w);
        return schnittstelle != nullptr ? schnittstelle->text(art) : QString();
    }
    static QWidget *w(Formzivor &f, const char *name) { return f.findChild<QWidget *>(QLatin1String(name)); }
    static QString feld(Formzivor &f, const char *name) { return f.findChild<QLineEdit *>(QLatin1String(name))->text(); }
    // An angle field's text as it is spoken: the degree sign as a word.
    static QString gesprochen(QString winkel) { return winkel.replace(u'°', QStringLiteral(" Grad")); }
    // What the screen reader was last given to speak.
    static QString angesagt(Formzivor &f)
    {
        QWidget *ansage = f.findChild<QWidget *>(QStringLiteral("Ansage"));
        return ansage != nullptr ? text(ansage, QAccessible::Name) : QString();
    }
};

void TestZugang::jedesSteuerelementHatEinenNamen()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QList<QWidget *> alle = f.centralWidget()->findChildren<QWidget *>();
    QStringList namenlos;
    QSet<QString> namen;
    for (QWidget *c : alle) {
        // Only the program's controls: they are the ones carrying an object name.
        if (c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QString name = text(c, QAccessible::Name);
        if (name.isEmpty())
            namenlos << c->objectName();
        else if (!c->objectName().startsWith(QLatin1String("Commandaufgabe")))
            namen.insert(name);
    }
    QVERIFY2(namenlos.isEmpty(), qPrintable(namenlos.join(u',')));
    QCOMPARE(text(w(f, "Textampl(0)"), QAccessible::Name), QStringLiteral("Amplitude Funktion 1"));
    QCOMPARE(text(w(f, "Textwinkel(2)"), QAccessible::Name), QStringLiteral("Winkel in Grad Gesamt"));
    QCOMPARE(text(w(f, "Textf"), QAccessible::Name), QStringLiteral("Frequenz in Hertz"));
    QCOMPARE(text(w(f, "Picture2"), QAccessible::Name), QStringLiteral("Zeigerdiagramm"));
    QCOMPARE(text(w(f, "Picture1"), QAccessible::Name), QStringLiteral("Zeitdiagramm"));
    // Screen readers skip fillers: the diagrams are charts, the tips pictures, the client area a pane.
    const auto rolle = [](QWidget *c) { return QAccessible::queryAccessibleInterface(c)->role(); };
    QCOMPARE(rolle(w(f, "Picture1")), QAccessible::Chart);
    QCOMPARE(rolle(w(f, "Picture2")), QAccessible::Chart);
    QCOMPARE(rolle(w(f, "Label1(0)")), QAccessible::Graphic);
    QCOMPARE(rolle(f.centralWidget()), QAccessible::Pane);
    QCOMPARE(text(w(f, "Label1(1)"), QAccessible::Name), QStringLiteral("Spitze des roten Zeigers"));
    // Different controls are told apart by their names.
    QVERIFY(namen.size() >= 25);
}

void TestZugang::beschreibungFolgtDemZiehen()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QString amStart = QStringLiteral("Funktion 1: Amplitude 10, Winkel 45 Grad");
    // Each description names the diagram's keys once, at its end.
    const QString zeigertasten = QStringLiteral(". Tasten: Pfeile ziehen die markierte Spitze, mit Umschalt in "
                                                "Zehnerschritten, Leertaste wechselt die Spitze.");
    QCOMPARE(text(w(f, "Picture2"), QAccessible::Description), amStart + zeigertasten);
    const QString zeit = text(w(f, "Picture1"), QAccessible::Description);
    QVERIFY2(zeit.startsWith(amStart + QStringLiteral("; Frequenz 50 Hertz. Tasten: Pfeile führen den Zeitcursor")),
             qPrintable(zeit));
    for (const char *taste : {"Umschalt", "Pos1", "Ende", "Strg"})
        QVERIFY2(zeit.contains(QLatin1String(taste)), taste);
    QCOMPARE(text(w(f, "Label1(0)"), QAccessible::Description), QStringLiteral("Amplitude 10, Winkel 45 Grad"));
    f.findChild<QCheckBox *>(QStringLiteral("Checklinie(2)"))->click();
    // A drag step alone announces nothing: the description follows once the drag ends.
    f.Picture2_DragOver(w(f, "Label1(0)"), 50.0f, 50.0f);
    const QString mitSumme = text(w(f, "Picture2"), QAccessible::Description);
    QVERIFY2(mitSumme.startsWith(amStart + QStringLiteral("; Funktion 2:")), qPrintable(mitSumme));
    QWidget *griff = w(f, "Label1(0)");
    const QPoint mitte = griff->mapTo(&f, QPoint(2, 2));
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, mitte);
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, mitte);
    // The sum tip (51, 49) + (68.99, -72.09) = (119.99, -23.09): 122.19 from the origin, at
    // 57.6 * atan(-23.09 / 119.99) = -10.95°, shown 0.9° larger for the sum.
    QCOMPARE(text(w(f, "Picture2"), QAccessible::Description),
             QStringLiteral("Funktion 1: Amplitude 7,1, Winkel 45 Grad; Funktion 2: Amplitude 10, Winkel -45 Grad; "
                            "Gesamt: Amplitude 12,2, Winkel -10 Grad")
                 + zeigertasten);
    QCOMPARE(text(w(f, "Label1(0)"), QAccessible::Description), QStringLiteral("Amplitude 7,1, Winkel 45 Grad"));
    QVERIFY(text(w(f, "Picture1"), QAccessible::Description).contains(QStringLiteral("; Frequenz 50 Hertz. ")));
}

void TestZugang::beschreibungFolgtReglerUndAuswahl()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const auto zeit = [&] { return text(w(f, "Picture1"), QAccessible::Description); };
    auto *regler = f.findChild<QScrollBar *>(QStringLiteral("HScroll3"));
    regler->setSliderDown(true);
    regler->setSliderPosition(1000);
    // While the thumb is dragged the description waits for its end.
    QVERIFY(zeit().contains(QStringLiteral("Frequenz 50 Hertz. ")));
    regler->setSliderDown(false);
    QVERIFY(zeit().contains(QStringLiteral("Frequenz 80 Hertz. ")));
    f.findChild<QCheckBox *>(QStringLiteral("Checklinie(0)"))->click();
    // Without a tip the keys do nothing, and the phasor diagram names none.
    QCOMPARE(text(w(f, "Picture2"), QAccessible::Description), QStringLiteral("keine Kurve ausgewählt"));
    QVERIFY(zeit().startsWith(QStringLiteral("Frequenz 80 Hertz. Tasten: ")));
    f.findChild<QCheckBox *>(QStringLiteral("Checklinie(1)"))->click();
    QVERIFY(text(w(f, "Picture2"), QAccessible::Description)
                .startsWith(QStringLiteral("Funktion 2: Amplitude 10, Winkel -45 Grad. Tasten: ")));
    // A step of the keys stands at once: 1050 is 76.19 Hz. Where Qt gives screen readers only
    // the bare number, the frequency is announced with its unit at each step, also at one more
    // that stays at 76 Hz.
    regler->setFocus(Qt::TabFocusReason);
    QTest::keyClick(regler, Qt::Key_PageUp);
    QVERIFY(zeit().contains(QStringLiteral("Frequenz 76 Hertz. ")));
    QPointer<QWidget> ansage = f.findChild<QWidget *>(QStringLiteral("Ansage"));
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    QCOMPARE(angesagt(f), QStringLiteral("76 Hertz"));
#else
    QVERIFY(ansage == nullptr);
#endif
    QTest::keyClick(regler, Qt::Key_Right);
    QCOMPARE(feld(f, "Textf"), QStringLiteral("76"));
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    QVERIFY(ansage == nullptr);
    QCOMPARE(angesagt(f), QStringLiteral("76 Hertz"));
#else
    QVERIFY(f.findChild<QWidget *>(QStringLiteral("Ansage")) == nullptr);
#endif
}

void TestZugang::aufgabe2VerraetDieZieleNicht()
{
    Formzivor f;
    f.setzeZufallsquelle([] { return 0.99f; }); // 100 Hz, amplitude 10, 90°
    f.findChild<QAction *>(QStringLiteral("menuaufgaben"))->trigger();
    f.findChild<QPushButton *>(QStringLiteral("Commandaufgabe(0)"))->click();
    f.findChild<QPushButton *>(QStringLiteral("Commandaufgabe(1)"))->click();
    const QString zeit = text(w(f, "Picture1"), QAccessible::Description);
    QVERIFY2(zeit.contains(QStringLiteral("gesuchte Kurve")), qPrintable(zeit));
    QVERIFY(!zeit.contains(QStringLiteral("100")));
    QVERIFY(!zeit.contains(QStringLiteral("90°")));
    f.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    QVERIFY(!text(w(f, "Picture1"), QAccessible::Description).contains(QStringLiteral("gesuchte")));
}

// The "Bewertung" box reads line by line: its text's carriage returns reach the reader as
// line breaks. Closed, it leaves the keyboard on the next task's button, not on the panel's
// "Beenden", which a second Enter would press.
void TestZugang::bewertungZeilenweiseLesbar()
{
    Formzivor f;
    f.setzeZufallsquelle([] { return 0.0f; }); // 25 Hz, amplitude 3, -90°
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.findChild<QAction *>(QStringLiteral("menuaufgaben"))->trigger();
    f.findChild<QPushButton *>(QStringLiteral("Commandaufgabe(0)"))->click();
    QString gelesen;
    QString titel;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box != nullptr);
        QAccessibleInterface *kasten = QAccessible::queryAccessibleInterface(box);
        titel = kasten->text(QAccessible::Name);
        for (QLabel *l : box->findChildren<QLabel *>())
            if (l->objectName() == QLatin1String("qt_msgbox_label"))
                gelesen = QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name);
        box->close();
    });
    w(f, "Command2")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w(f, "Command2"), Qt::Key_Return);
    QCOMPARE(titel, QStringLiteral("Bewertung"));
    QCOMPARE(f.focusWidget(), w(f, "Commandaufgabe(1)"));
    // 50 Hz for 25, shift -250 for 0, amplitude 10 for 3: all three wrong.
    QCOMPARE(gelesen.split(QLatin1Char('\n')),
             QStringList({QString(), QStringLiteral("Frequenz falsch"), QStringLiteral("Phase falsch"),
                          QStringLiteral("Amplitude falsch"), QStringLiteral("0 für die Aufgabe"),
                          QStringLiteral("0 Gesamt")}));
}

// A read-only field is read once and whole: Tab leaves its text unselected, and its text
// attributes form one run over the whole text, from which a screen reader puts the line
// together. What a tool types goes through the field's key filter, and only where the learner
// may type.
void TestZugang::feldWirdGanzGelesen()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    for (const char *name : {"Textampl(0)", "Text1(3)", "Textwinkel(0)"}) {
        auto *feld = f.findChild<QLineEdit *>(QLatin1String(name));
        feld->setFocus(Qt::TabFocusReason);
        QVERIFY(feld->hasFocus());
        QVERIFY2(!feld->hasSelectedText(), name);
        QAccessibleTextInterface *t = QAccessible::queryAccessibleInterface(feld)->textInterface();
        const int n = static_cast<int>(feld->text().size());
        int anfang = -1;
        int ende = -1;
        t->attributes(n - 1, &anfang, &ende);
        QCOMPARE(std::pair(anfang, ende), std::pair(0, n));
        QCOMPARE(t->textAtOffset(t->cursorPosition(), QAccessible::LineBoundary, &anfang, &ende), feld->text());
        // The last character's place lies inside the field, right of the first's.
        const QRect letztes = t->characterRect(n - 1);
        QVERIFY2(feld->rect().contains(QRect(feld->mapFromGlobal(letztes.topLeft()), letztes.size())), name);
        QVERIFY(letztes.left() > t->characterRect(0).left());
        QCOMPARE(t->offsetAtPoint(letztes.center()), n - 1);
    }
    QAccessibleEditableTextInterface *eingabe =
        QAccessible::queryAccessibleInterface(w(f, "Textampl(0)"))->editableTextInterface();
    eingabe->insertText(0, QStringLiteral("9"));
    QCOMPARE(feld(f, "Textampl(0)"), QStringLiteral("10"));
    f.findChild<QAction *>(QStringLiteral("menuaufgaben"))->trigger();
    f.findChild<QPushButton *>(QStringLiteral("Commandaufgabe(0)"))->click();
    f.findChild<QPushButton *>(QStringLiteral("Commandaufgabe(1)"))->click();
    eingabe->insertText(0, QStringLiteral("a1,5b"));
    QCOMPARE(feld(f, "Textampl(0)"), QStringLiteral("1.5"));
}

// Until a drag has worked the sum out, its phasor is spoken as its line stands: at (134, 0),
// 13.4 long, its angle shown 0.9° larger as the sum's is. Its curve of no height is not drawn,
// and neither the time diagram nor the time cursor gives it a value.
void TestZugang::summeWieGezeigt()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.findChild<QCheckBox *>(QStringLiteral("Checklinie(2)"))->click();
    const QString zeiger = text(w(f, "Picture2"), QAccessible::Description);
    QVERIFY2(zeiger.contains(QStringLiteral("; Gesamt: Amplitude 13,4, Winkel 1 Grad.")), qPrintable(zeiger));
    QVERIFY(!text(w(f, "Picture1"), QAccessible::Description).contains(QStringLiteral("Gesamt")));
    QWidget *zeitbild = w(f, "Picture1");
    zeitbild->setFocus(Qt::TabFocusReason);
    QTest::keyClick(zeitbild, Qt::Key_Right);
    QVERIFY2(angesagt(f).endsWith(QStringLiteral("; blau keine Kurve")), qPrintable(angesagt(f)));
    // A step of the red tip works the sum out; its fields and what is spoken agree.
    QWidget *zeigerbild = w(f, "Picture2");
    zeigerbild->setFocus(Qt::TabFocusReason);
    QTest::keyClick(zeigerbild, Qt::Key_Space);
    QTest::keyClick(zeigerbild, Qt::Key_Down);
    QVERIFY2(angesagt(f).endsWith(QStringLiteral("; Gesamt: Amplitude ") + feld(f, "Textampl(2)")
                                  + QStringLiteral(", Winkel ") + gesprochen(feld(f, "Textwinkel(2)"))),
             qPrintable(angesagt(f)));
}

// A key step speaks the moved phasor's fields, and the sum's while it is shown; Space speaks
// the tip now marked; setting a task speaks its text. The keyboard goes to the first task
// button when the panel opens, and to where the task is worked on once it is set.
void TestZugang::ansagenNachSchrittMarkierungUndAufgabe()
{
    Formzivor f;
    f.setzeZufallsquelle([] { return 0.5f; }); // 70 Hz, amplitude 7, 0°
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QWidget *zeiger = w(f, "Picture2");
    zeiger->setFocus(Qt::TabFocusReason);
    QTest::keyClick(zeiger, Qt::Key_Right);
    QCOMPARE(angesagt(f), QStringLiteral("Amplitude ") + feld(f, "Textampl(0)") + QStringLiteral(", Winkel ")
                              + gesprochen(feld(f, "Textwinkel(0)")));
    QVERIFY(feld(f, "Textwinkel(0)").endsWith(QStringLiteral("°")));
    f.findChild<QCheckBox *>(QStringLiteral("Checklinie(2)"))->click();
    zeiger->setFocus(Qt::TabFocusReason);
    QTest::keyClick(zeiger, Qt::Key_Space);
    QCOMPARE(angesagt(f), QStringLiteral("roter Zeiger: Amplitude 10, Winkel -45 Grad"));
    QTest::keyClick(zeiger, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(angesagt(f), QStringLiteral("Amplitude ") + feld(f, "Textampl(1)") + QStringLiteral(", Winkel ")
                              + gesprochen(feld(f, "Textwinkel(1)")) + QStringLiteral("; Gesamt: Amplitude ")
                              + feld(f, "Textampl(2)") + QStringLiteral(", Winkel ") + gesprochen(feld(f, "Textwinkel(2)")));
    QTest::keyClick(zeiger, Qt::Key_Space);
    QVERIFY(angesagt(f).startsWith(QStringLiteral("grüner Zeiger: Amplitude ")));

    f.findChild<QAction *>(QStringLiteral("menuaufgaben"))->trigger();
    QCOMPARE(QApplication::focusWidget(), w(f, "Commandaufgabe(0)"));
    QTest::keyClick(w(f, "Commandaufgabe(0)"), Qt::Key_Return);
    QCOMPARE(angesagt(f), QStringLiteral("Stellen Sie für den grünen Zeitverlauf folgende Zeitfunktion ein: "
                                         "f von t gleich 7 mal Kosinus von 439,6 mal t durch s plus 0 Grad"));
    QCOMPARE(QApplication::focusWidget(), zeiger);
    // The task text stays readable in the panel, as a text.
    QAccessibleInterface *aufgabe = QAccessible::queryAccessibleInterface(w(f, "Labelaufgabe"));
    QCOMPARE(aufgabe->textInterface()->text(0, -1),
             QStringLiteral("Stellen Sie für den grünen Zeitverlauf folgende Zeitfunktion ein:\n"
                            "f(t) = 7*cos(439,6*(t/s)+0°)"));
    w(f, "Commandaufgabe(1)")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w(f, "Commandaufgabe(1)"), Qt::Key_Space);
    QCOMPARE(angesagt(f), QStringLiteral("Geben Sie für den grünen Zeitverlauf Amplitude, Phase und Frequenz ein!"));
    QCOMPARE(QApplication::focusWidget(), w(f, "Picture1"));
}

// During a drag with the mouse nothing is spoken; its end speaks once.
void TestZugang::ansageErstNachDemZiehen()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QPoint griff = w(f, "Label1(0)")->mapTo(&f, QPoint(2, 2));
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, griff);
    for (int i = 1; i <= 5; ++i)
        QTest::mouseMove(f.windowHandle(), griff + QPoint(-6 * i, 4 * i));
    QVERIFY(feld(f, "Textampl(0)") != QStringLiteral("10"));
    QCOMPARE(angesagt(f), QString());
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, griff + QPoint(-30, 20));
    QCOMPARE(angesagt(f), QStringLiteral("Amplitude ") + feld(f, "Textampl(0)") + QStringLiteral(", Winkel ")
                              + gesprochen(feld(f, "Textwinkel(0)")));
    QCOMPARE(f.findChildren<QWidget *>(QStringLiteral("Ansage")).size(), 1);
}

// The slider offers the frequency it sets, in whole hertz (halves to even), not its position.
void TestZugang::reglerBietetDieFrequenz_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("hertz");
    QTest::newRow("links") << 800 << 100;
    QTest::newRow("62,5 Hz") << 1280 << 62;
    QTest::newRow("Start") << 1600 << 50;
    QTest::newRow("47,06 Hz") << 1700 << 47;
    QTest::newRow("rechts") << 3200 << 25;
}

void TestZugang::reglerBietetDieFrequenz()
{
    QFETCH(int, position);
    QFETCH(int, hertz);
    Formzivor f;
    auto *regler = f.findChild<QScrollBar *>(QStringLiteral("HScroll3"));
    regler->setValue(position);
    QAccessibleInterface *zugang = QAccessible::queryAccessibleInterface(regler);
    QCOMPARE(zugang->role(), QAccessible::Slider);
    QAccessibleValueInterface *wert = zugang->valueInterface();
    QVERIFY(wert != nullptr);
    QCOMPARE(wert->currentValue().toInt(), hertz);
    QCOMPARE(wert->minimumValue().toInt(), 25);
    QCOMPARE(wert->maximumValue().toInt(), 100);
    QCOMPARE(zugang->text(QAccessible::Value), QString::number(hertz) + QStringLiteral(" Hertz"));
    // A tool that sets 40 Hz puts the slider at 80000 / 40.
    wert->setCurrentValue(40);
    QCOMPARE(regler->value(), 2000);
    QCOMPARE(feld(f, "Textf"), QStringLiteral("40"));
}

// While a screen reader listens to the keys, Qt delivers each key again after the reader has
// seen it, sometimes late; a copy of Alt arriving after Alt+A has run its entry must not leave
// the focus on the menu bar when Alt is released.
void TestZugang::altMitBuchstabeLaesstDenFokusStehen()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    // The entry runs without lighting up in the bar, which a screen reader hears as a move of
    // the focus into the bar.
    bool leuchtet = false;
    connect(f.findChild<QAction *>(QStringLiteral("menuaufgaben")), &QAction::hovered, &f, [&] { leuchtet = true; });
    QTest::keyPress(f.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyPress(f.windowHandle(), Qt::Key_A, Qt::AltModifier);
    QVERIFY(!leuchtet);
    QVERIFY(w(f, "Frame1")->isVisible());
    QWidget *ziel = QApplication::focusWidget();
    QCOMPARE(ziel, w(f, "Commandaufgabe(0)"));
    QTest::keyRelease(f.windowHandle(), Qt::Key_A, Qt::AltModifier);
    // The copy of the Alt press, as the screen reader's answer brings it: late, without a time.
    QCoreApplication::postEvent(f.windowHandle(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier));
    QCoreApplication::processEvents();
    QTest::keyRelease(f.windowHandle(), Qt::Key_Alt, Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget(), ziel);
    QVERIFY(f.menuBar()->activeAction() == nullptr);
    // The copy of an earlier release, arriving while Alt is held once more, is no release of
    // the key now held; the letter that follows finds the keys where they were.
    QTest::keyPress(f.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::postEvent(f.windowHandle(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier));
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), ziel);
    QTest::keyClick(f.windowHandle(), Qt::Key_X, Qt::AltModifier);
    QTest::keyRelease(f.windowHandle(), Qt::Key_Alt, Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget(), ziel);
    QVERIFY(f.menuBar()->activeAction() == nullptr);
    // Alt pressed and released alone still moves the keyboard into the bar.
    QTest::keyPress(f.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(f.windowHandle(), Qt::Key_Alt, Qt::NoModifier);
    QVERIFY(f.menuBar()->activeAction() != nullptr);
}

// The help window disables the main window, which loses its focus; closed (by Escape, as any
// dialog, or by the window manager), the focus is back on the control that had it.
void TestZugang::hilfeGibtDenFokusZurueck()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    // Opened at once, and from the menu bar that Alt alone moved the keys into: the focus comes
    // back to the control, never to the bar.
    for (const bool ausDerLeiste : {true, false}) {
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        w(f, "Checklinie(2)")->setFocus(Qt::TabFocusReason);
        if (ausDerLeiste) {
            QTest::keyPress(f.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
            QTest::keyRelease(f.windowHandle(), Qt::Key_Alt, Qt::NoModifier);
            QCOMPARE(QApplication::focusWidget(), f.menuBar());
        }
        f.findChild<QAction *>(QStringLiteral("menuhilfe"))->trigger();
        QWidget *hilfe = nullptr;
        for (QWidget *fenster : QApplication::topLevelWidgets())
            if (fenster->objectName() == QLatin1String("frmzivorhilfe") && fenster->isVisible())
                hilfe = fenster;
        QVERIFY(hilfe != nullptr);
        QVERIFY(!w(f, "Checklinie(2)")->hasFocus());
        if (ausDerLeiste) {
            hilfe->close();
        } else {
            // The page, which has the focus in the help window, passes Escape on to the window.
            QCOMPARE(hilfe->focusWidget()->objectName(), QStringLiteral("Image1"));
            QTest::keyClick(hilfe->focusWidget(), Qt::Key_Escape);
            QVERIFY(!hilfe->isVisible());
        }
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(QApplication::focusWidget(), w(f, "Checklinie(2)"));
    }
}

// A hidden control is not offered to screen readers; once shown it is.
void TestZugang::verborgenesWirdErstGezeigtAngeboten()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QAccessibleInterface *klient = QAccessible::queryAccessibleInterface(f.centralWidget());
    const auto angeboten = [&](const char *name) {
        for (int i = 0; i < klient->childCount(); ++i)
            if (klient->child(i)->object() == w(f, name))
                return true;
        return false;
    };
    QVERIFY(angeboten("Textampl(0)"));
    QVERIFY(!angeboten("Textampl(1)"));
    QVERIFY(!angeboten("Frame1"));
    f.findChild<QCheckBox *>(QStringLiteral("Checklinie(1)"))->click();
    f.findChild<QAction *>(QStringLiteral("menuaufgaben"))->trigger();
    QVERIFY(angeboten("Textampl(1)"));
    QVERIFY(angeboten("Frame1"));
    QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(w(f, "Frame1"));
    QCOMPARE(panel->indexOfChild(QAccessible::queryAccessibleInterface(w(f, "Labelaufgabe"))) >= 0, true);
    QCOMPARE(panel->indexOfChild(QAccessible::queryAccessibleInterface(w(f, "Commandaufgabe(4)"))), -1);
}

void TestZugang::scharfImBildDoppelterPixeldichte_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("gitterX"); // a vertical grid line, in the diagram's units
    QTest::addColumn<double>("links");
    QTest::addColumn<double>("twipsJeEinheit");
    QTest::newRow("Zeigerdiagramm") << "Picture2" << 39.83 << -100.0 << 29.025;
    QTest::newRow("Zeitdiagramm") << "Picture1" << 299.98 << -100.0 << 6.12;
}

void TestZugang::scharfImBildDoppelterPixeldichte()
{
    QFETCH(QString, name);
    QFETCH(double, gitterX);
    QFETCH(double, links);
    QFETCH(double, twipsJeEinheit);
    Formzivor f;
    f.findChild<QCheckBox *>(QStringLiteral("Checklinie(0)"))->click(); // only the background
    QWidget *bild = f.findChild<QWidget *>(name);
    QCOMPARE(bild->devicePixelRatioF(), 1.0);
    QCOMPARE(bild->size(), name == QLatin1String("Picture2") ? QSize(390, 390) : QSize(412, 390));
    // Rendered into a picture of ratio 2 while the widget's own screen has ratio 1.
    QImage scharf(bild->size() * 2, QImage::Format_RGB32);
    scharf.setDevicePixelRatio(2.0);
    bild->render(&scharf);

    // Along a row between two horizontal grid lines, find the yellow grid line near where it belongs.
    const double mitte = 2 * (2 + (gitterX - links) * twipsJeEinheit / 15.0);
    const int zeile = 2 * 50 + 1;
    int gelb = 0;
    int erstes = -1;
    for (int x = static_cast<int>(mitte) - 6; x <= static_cast<int>(mitte) + 6; ++x) {
        const QColor c = scharf.pixelColor(x, zeile);
        if (c == QColor(255, 255, 0)) {
            ++gelb;
            if (erstes < 0)
                erstes = x;
        } else {
            // Beside the line: white, not a blurred half-yellow.
            QVERIFY2(c == QColor(255, 255, 255), qPrintable(QStringLiteral("%1: %2").arg(x).arg(c.name())));
        }
    }
    QVERIFY2(gelb >= 1 && gelb <= 2, qPrintable(QString::number(gelb)));
    QVERIFY(std::abs(erstes - mitte) <= 2.0);

    // Drawn anew at device resolution, not a picture of half the size blown up: the
    // texts and arrowheads come out differently from doubled pixels.
    const QSize innen = bild->size() - QSize(4, 4);
    QImage einfach(innen, QImage::Format_RGB32);
    einfach.fill(Qt::white);
    {
        QPainter p(&einfach);
        if (name == QLatin1String("Picture2"))
            zivor::zeichneZeigerdiagramm(p, innen);
        else
            zivor::zeichneZeitdiagramm(p, innen);
    }
    const QImage verdoppelt = einfach.scaled(innen * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage innenScharf = scharf.copy(4, 4, innen.width() * 2, innen.height() * 2);
    int anders = 0;
    for (int y = 0; y < verdoppelt.height(); ++y)
        for (int x = 0; x < verdoppelt.width(); ++x)
            anders += innenScharf.pixel(x, y) != verdoppelt.pixel(x, y);
    QVERIFY2(anders > 500, qPrintable(QString::number(anders)));
}

QTEST_MAIN(TestZugang)

#include "test_zugang.moc"
