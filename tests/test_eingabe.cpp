// Typing into the number fields, the frequency slider, the menu bar and the help window
// seen from the main window.

#include "app/formzivor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cmath>

class TestEingabe : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init();
    void cleanup();
    void tippen_data();
    void tippen();
    void loeschenUndUeberschreiben();
    void einfuegenWirdGefiltert();
    void fallenlassenWirdGefiltert();
    void eingabemethodeWirdGefiltert();
    void frequenzBeimVerlassen_data();
    void frequenzBeimVerlassen();
    void schiebereglerDaumen_data();
    void schiebereglerDaumen();
    void schiebereglerSchritteSetzenFrequenz_data();
    void schiebereglerSchritteSetzenFrequenz();
    void menueAufgaben();
    void menueHilfe();
    void zugriffstasten();

private:
    QLineEdit *feld(const QString &name) const { return m_f->findChild<QLineEdit *>(name); }
    QLineEdit *bearbeitbar(const QString &name) const
    {
        QLineEdit *e = feld(name);
        e->show();
        e->setReadOnly(false);
        e->clear();
        e->setFocus();
        return e;
    }
    Formzivor *m_f = nullptr;
};

void TestEingabe::init()
{
    m_f = new Formzivor;
    m_f->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f));
    m_f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f));
}

void TestEingabe::cleanup()
{
    delete m_f;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmzivorhilfe"))
            delete w;
}

void TestEingabe::tippen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("ergebnis");
    QTest::newRow("Komma wird Punkt") << "Textampl(0)" << "2,5" << "2.5";
    QTest::newRow("kein Minus in Amplitude") << "Textampl(0)" << "-3a" << "3";
    QTest::newRow("höchstens fünf") << "Textampl(1)" << "1234567" << "12345";
    QTest::newRow("Winkel negativ") << "Textwinkel(0)" << "-45" << "-45";
    QTest::newRow("Winkel ohne Punkt") << "Textwinkel(0)" << "4.5" << "45";
    QTest::newRow("Winkel ohne Komma") << "Textwinkel(2)" << "4,5" << "45";
    QTest::newRow("Frequenz nur Ziffern") << "Textf" << "6-0.5" << "605";
    QTest::newRow("Frequenz drei Ziffern") << "Textf" << "12345" << "123";
}

void TestEingabe::tippen()
{
    QFETCH(QString, name);
    QFETCH(QString, tasten);
    QFETCH(QString, ergebnis);
    QLineEdit *e = bearbeitbar(name);
    QTest::keyClicks(e, tasten);
    QCOMPARE(e->text(), ergebnis);
    // Backspace and Enter are swallowed.
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Return);
    QTest::keyClick(e, Qt::Key_Enter);
    QCOMPARE(e->text(), ergebnis);
}

void TestEingabe::loeschenUndUeberschreiben()
{
    QLineEdit *e = bearbeitbar(QStringLiteral("Textampl(0)"));
    QTest::keyClicks(e, QStringLiteral("123"));
    QTest::keyClick(e, Qt::Key_Home);
    QTest::keyClick(e, Qt::Key_Delete);
    QCOMPARE(e->text(), QStringLiteral("23"));
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClicks(e, QStringLiteral("9"));
    QCOMPARE(e->text(), QStringLiteral("293"));
    e->selectAll();
    QTest::keyClicks(e, QStringLiteral("7"));
    QCOMPARE(e->text(), QStringLiteral("7"));
    // A read-only field takes no typing at all.
    QLineEdit *fest = feld(QStringLiteral("Textwinkel(0)"));
    fest->setFocus();
    QTest::keyClicks(fest, QStringLiteral("12"));
    QCOMPARE(fest->text(), QStringLiteral("45°"));
}

void TestEingabe::einfuegenWirdGefiltert()
{
    QLineEdit *e = bearbeitbar(QStringLiteral("Textampl(0)"));
    QApplication::clipboard()->setText(QStringLiteral("a1,5b"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(e->text(), QStringLiteral("1.5"));
    QLineEdit *w = bearbeitbar(QStringLiteral("Textwinkel(0)"));
    QApplication::clipboard()->setText(QStringLiteral("x-30°y"));
    QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w->text(), QStringLiteral("-30"));
    QLineEdit *f = bearbeitbar(QStringLiteral("Textf"));
    QApplication::clipboard()->setText(QStringLiteral("55 Hz und mehr 12"));
    QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f->text(), QStringLiteral("551"));
    // Copy and select-all still work.
    f->selectAll();
    QTest::keyClick(f, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("551"));
}

void TestEingabe::fallenlassenWirdGefiltert()
{
    QLineEdit *e = bearbeitbar(QStringLiteral("Textampl(0)"));
    QMimeData daten;
    daten.setText(QStringLiteral("q2,75"));
    const QPoint mitte = e->rect().center();
    QDragEnterEvent betreten(mitte, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e, &betreten);
    QDropEvent fallen(QPointF(mitte), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e, &fallen);
    QCOMPARE(e->text(), QStringLiteral("2.75"));
}

void TestEingabe::eingabemethodeWirdGefiltert()
{
    // Dead keys and compose sequences arrive as input-method text, not as key presses.
    QLineEdit *f = bearbeitbar(QStringLiteral("Textf"));
    QInputMethodEvent komponiert;
    komponiert.setCommitString(QStringLiteral("²5é"));
    QApplication::sendEvent(f, &komponiert);
    QCOMPARE(f->text(), QStringLiteral("5"));
    QLineEdit *a = bearbeitbar(QStringLiteral("Textampl(0)"));
    QInputMethodEvent komma;
    komma.setCommitString(QStringLiteral("3,5"));
    QApplication::sendEvent(a, &komma);
    QCOMPARE(a->text(), QStringLiteral("3.5"));
}

void TestEingabe::frequenzBeimVerlassen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("danach");
    QTest::newRow("120") << "120" << "100";
    QTest::newRow("7") << "7" << "25";
    QTest::newRow("leer") << "" << "25";
    QTest::newRow("025") << "025" << "025";
    QTest::newRow("60") << "60" << "60";
    QTest::newRow("100") << "100" << "100";
    QTest::newRow("25") << "25" << "25";
}

void TestEingabe::frequenzBeimVerlassen()
{
    QFETCH(QString, text);
    QFETCH(QString, danach);
    QLineEdit *f = bearbeitbar(QStringLiteral("Textf"));
    QTest::keyClicks(f, text);
    const float frequenz = m_f->frequenz;
    // Tab moves the focus to the next control.
    QTest::keyClick(f, Qt::Key_Tab);
    QVERIFY(!f->hasFocus());
    QCOMPARE(f->text(), danach);
    QCOMPARE(m_f->frequenz, frequenz);
}

void TestEingabe::schiebereglerDaumen_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<float>("frequenz");
    QTest::addColumn<QString>("text");
    QTest::newRow("links") << 800 << 100.0f << "100";
    QTest::newRow("1000") << 1000 << 80.0f << "80";
    QTest::newRow("1280") << 1280 << 62.5f << "62";
    QTest::newRow("1700") << 1700 << static_cast<float>(1600.0 / 1700 * 50) << "47";
    QTest::newRow("2000") << 2000 << 40.0f << "40";
    QTest::newRow("rechts") << 3200 << 25.0f << "25";
}

void TestEingabe::schiebereglerDaumen()
{
    QFETCH(int, position);
    QFETCH(float, frequenz);
    QFETCH(QString, text);
    auto *regler = m_f->findChild<QScrollBar *>(QStringLiteral("HScroll3"));
    regler->setSliderDown(true);
    regler->setSliderPosition(position);
    regler->setSliderDown(false);
    QCOMPARE(m_f->frequenz, frequenz);
    QCOMPARE(feld(QStringLiteral("Textf"))->text(), text);
    // The stretched curve is exactly as wide as the slider position.
    QCOMPARE(m_f->findChild<QObject *>(QStringLiteral("Image2(0)"))->property("Width").toDouble(),
             static_cast<double>(position));
}

void TestEingabe::schiebereglerSchritteSetzenFrequenz_data()
{
    // A step of the slider by arrow, track or key: the action, or the key when action is -1.
    QTest::addColumn<int>("aktion");
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("position"); // the slider's position after it, from 1600
    QTest::newRow("Pfeil rechts") << int(QAbstractSlider::SliderSingleStepAdd) << 0 << 1601;
    QTest::newRow("Pfeil links") << int(QAbstractSlider::SliderSingleStepSub) << 0 << 1599;
    QTest::newRow("Schiene rechts") << int(QAbstractSlider::SliderPageStepAdd) << 0 << 1650;
    QTest::newRow("Schiene links") << int(QAbstractSlider::SliderPageStepSub) << 0 << 1550;
    QTest::newRow("Taste rechts") << -1 << int(Qt::Key_Right) << 1601;
    QTest::newRow("Taste links") << -1 << int(Qt::Key_Left) << 1599;
    QTest::newRow("Taste Bild auf") << -1 << int(Qt::Key_PageUp) << 1650;
    QTest::newRow("Taste Pos1") << -1 << int(Qt::Key_Home) << 800;
    QTest::newRow("Taste Ende") << -1 << int(Qt::Key_End) << 3200;
}

// The arrows, the track and the keys apply the slider's position like the thumb drag.
void TestEingabe::schiebereglerSchritteSetzenFrequenz()
{
    QFETCH(int, aktion);
    QFETCH(int, taste);
    QFETCH(int, position);
    auto *regler = m_f->findChild<QScrollBar *>(QStringLiteral("HScroll3"));
    if (aktion >= 0)
        regler->triggerAction(static_cast<QAbstractSlider::SliderAction>(aktion));
    else
        QTest::keyClick(regler, static_cast<Qt::Key>(taste));
    QCOMPARE(regler->value(), position);
    QCOMPARE(m_f->frequenz, static_cast<float>(1600.0 / position * 50.0));
    QCOMPARE(feld(QStringLiteral("Textf"))->text(), QString::number(std::lround(80000.0 / position)));
    QCOMPARE(m_f->findChild<QObject *>(QStringLiteral("Image2(0)"))->property("Width").toDouble(),
             static_cast<double>(position));
}

void TestEingabe::menueAufgaben()
{
    auto *aufgaben = m_f->findChild<QAction *>(QStringLiteral("menuaufgaben"));
    auto *feld1 = m_f->findChild<QWidget *>(QStringLiteral("Frame1"));
    aufgaben->trigger();
    QVERIFY(!feld1->isHidden());
    QVERIFY(!aufgaben->isEnabled());
    // The panel's "Beenden" hides it for good; the menu entry stays disabled.
    m_f->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    QVERIFY(feld1->isHidden());
    QVERIFY(!aufgaben->isEnabled());
    QVERIFY(m_f->isVisible());
}

void TestEingabe::menueHilfe()
{
    auto *hilfe = m_f->findChild<QAction *>(QStringLiteral("menuhilfe"));
    for (int runde = 0; runde < 2; ++runde) {
        hilfe->trigger();
        QVERIFY(!m_f->isEnabled());
        QPointer<QWidget> fenster;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmzivorhilfe"))
                fenster = w;
        QVERIFY(fenster);
        QVERIFY(fenster->isVisible());
        QVERIFY(fenster->isEnabled()); // not disabled with the main window
        QCOMPARE(fenster->windowTitle(), QStringLiteral("Hilfe zur Aufgabe \"komplexe Ebene\""));
        auto *leiste = fenster->findChild<QScrollBar *>(QStringLiteral("VScroll1"));
        auto *seite = fenster->findChild<QWidget *>(QStringLiteral("Image1"));
        // Opened afresh each time: at the top.
        QCOMPARE(leiste->value(), 0);
        QCOMPARE(seite->property("Top").toDouble(), 0.0);
        leiste->setSliderDown(true);
        leiste->setSliderPosition(19000);
        leiste->setSliderDown(false);
        QCOMPARE(seite->property("Top").toDouble(), -8350.5);
        // The main window cannot be closed from the window system meanwhile.
        QCloseEvent schliessen;
        QApplication::sendEvent(m_f, &schliessen);
        QVERIFY(!schliessen.isAccepted());
        QVERIFY(m_f->isVisible());
        // Clicks on the disabled main window do nothing.
        QTest::mouseClick(m_f->findChild<QWidget *>(QStringLiteral("Checklinie(1)")), Qt::LeftButton);
        QVERIFY(m_f->findChild<QWidget *>(QStringLiteral("Textampl(1)"))->isHidden());
        fenster->close();
        QTRY_VERIFY(fenster.isNull());
        QVERIFY(m_f->isEnabled());
    }
}

void TestEingabe::zugriffstasten()
{
    const QList<QAction *> eintraege{m_f->findChild<QAction *>(QStringLiteral("menubeenden")),
                                     m_f->findChild<QAction *>(QStringLiteral("menuhilfe")),
                                     m_f->findChild<QAction *>(QStringLiteral("menuaufgaben"))};
    const QString tasten = QStringLiteral("BHA");
    for (int i = 0; i < 3; ++i)
        QCOMPARE(QKeySequence::mnemonic(eintraege[i]->text()), QKeySequence(Qt::ALT | tasten[i].unicode()));
    // Alt+A opens the exercise panel.
    QTest::keyClick(m_f, Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(!m_f->findChild<QWidget *>(QStringLiteral("Frame1"))->isHidden());
}

QTEST_MAIN(TestEingabe)
#include "test_eingabe.moc"
