#include "app/formzivor.h"

#include "app/frmzivorhilfe.h"
#include "app/hilfevorn.h"
#include "app/menueleiste.h"
#include "app/rahmenmitte.h"
#include "assets/fenstersymbol.h"
#include "app/zugangsbericht.h"
#include "diagrams/griff.h"
#include "diagrams/kurvenbild.h"
#include "diagrams/zeigerdiagramm.h"
#include "diagrams/zeigerlinie.h"
#include "diagrams/zeitdiagramm.h"
#include "exercises/aufgabe.h"
#include "exercises/bewertung.h"
#include "exercises/zufallsgenerator.h"
#include "input/rollbalken.h"
#include "input/lesefeld.h"
#include "input/tastenfilter.h"
#include "input/ziehsteuerung.h"
#include "input/zahlenfeld.h"
#include "model/kurvenplatz.h"
#include "model/umrechnung.h"
#include "model/zeigerrechnung.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <cmath>
#include <memory>

namespace zivor {
namespace {

const QColor gruen(0, 192, 0);
const QColor rot(255, 0, 0);
const QColor blauText(0, 0, 255);
const QColor blauAuswahl(0, 0, 192);
const QColor weiss(255, 255, 255);
const QColor schwarz(0, 0, 0);

constexpr int klientBreite = 808;
constexpr int klientHoehe = 612;
// Tops of the three curve rows, in pixels.
constexpr std::array<int, 3> zeilenTop{411, 435, 459};

QFont schrift(double punkte)
{
    static const bool ersetzt = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                    QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(ersetzt);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(punkte);
    f.setBold(true);
    return f;
}

void setzeFarben(QWidget *w, QPalette::ColorRole rolle, const QColor &text,
                 QPalette::ColorRole hintergrundRolle, const QColor &hintergrund)
{
    QPalette pal = w->palette();
    pal.setColor(rolle, text);
    if (hintergrund.isValid())
        pal.setColor(hintergrundRolle, hintergrund);
    w->setPalette(pal);
}

// Repaints a field only when its text really changes (drag steps set them many times a
// second).
void setzeText(QLineEdit *feld, const QString &text)
{
    if (feld->text() != text)
        feld->setText(text);
}

QString elementname(const char *name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

} // namespace

Formzivor::Formzivor(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    auto generator = std::make_shared<Zufallsgenerator>();
    m_zufall = [generator] { return generator->naechste(); };
    // Made first: the controls ask for their accessible interfaces while they are built.
    m_zugang = new Zugangsbericht(this);
    baueFenster();
    Form_Load();
    // Once the handlers are connected and the start values stand.
    m_zugang->verbinde();
}

Formzivor::~Formzivor() = default;

void Formzivor::setzeZufallsquelle(std::function<float()> quelle)
{
    m_zufall = std::move(quelle);
}

// ---------------------------------------------------------------------------------------
// Layout

void Formzivor::baueFenster()
{
    setObjectName(QStringLiteral("Formzivor"));
    setWindowTitle(QStringLiteral("KAVO- Zeitfunktion und Bildebene"));
    setWindowIcon(fenstersymbol());

    auto *klient = new QWidget(this);
    klient->setObjectName(QStringLiteral("Klientbereich"));
    klient->setFixedSize(klientBreite, klientHoehe);
    klient->setAutoFillBackground(true);
    setzeFarben(klient, QPalette::WindowText, schwarz, QPalette::Window, weiss);
    setCentralWidget(klient);

    setMenuBar(new Menueleiste(this));
    baueMenue();
    baueFrequenzgruppe();
    baueDiagramme();
    baueKurvenzeilen();
    baueAufgabenfeld();
    setzeTabfolge();

    setFixedSize(klientBreite, klientHoehe + menuBar()->sizeHint().height());
    if (const QScreen *bildschirm = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        bildschirm->availableGeometry()));
    }
    // Once the window manager has put its frame around the window, the frame is centred.
    new Rahmenmitte(this);
}

void Formzivor::baueMenue()
{
    auto eintrag = [this](const QString &text, const char *name, void (Formzivor::*handler)()) {
        QAction *aktion = menuBar()->addAction(text);
        aktion->setObjectName(QLatin1String(name));
        connect(aktion, &QAction::triggered, this, handler);
        return aktion;
    };
    menubeenden = eintrag(QStringLiteral("&Beenden"), "menubeenden", &Formzivor::menubeenden_Click);
    menuhilfe = eintrag(QStringLiteral("&Hilfe"), "menuhilfe", &Formzivor::menuhilfe_Click);
    menuaufgaben = eintrag(QStringLiteral("&Aufgaben"), "menuaufgaben", &Formzivor::menuaufgaben_Click);
}

void Formzivor::baueFrequenzgruppe()
{
    QWidget *klient = centralWidget();

    // Labels lie beneath the other controls: created first.
    Label = new QLabel(QStringLiteral("Frequenz:         Hz"), klient);
    Label->setObjectName(QStringLiteral("Label"));
    Label->setGeometry(666, 417, 133, 22);
    // The frequency field covers the nine blanks; where the substitute face has narrower
    // blanks than the original, they are widened so that "Hz" stays clear of the field.
    QFont beschriftung = schrift(9.75);
    {
        const QString vorHz = QStringLiteral("Frequenz:         ");
        const double bisHz = 735 + 31 + 2 - 666; // "Hz" begins two pixels right of the field
        const double ohne = QFontMetricsF(beschriftung).horizontalAdvance(vorHz);
        QFont probe = beschriftung;
        probe.setWordSpacing(1.0);
        const double jePixel = QFontMetricsF(probe).horizontalAdvance(vorHz) - ohne;
        if (ohne < bisHz && jePixel > 0.0)
            beschriftung.setWordSpacing((bisHz - ohne) / jePixel);
    }
    Label->setFont(beschriftung);
    Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setzeFarben(Label, QPalette::WindowText, schwarz, QPalette::Window, QColor());

    Label1[2] = new Griff(elementname("Label1", 2), QStringLiteral("1"), QColor(), fensterMassstab,
                          QPointF(0, 0), klient);
    Label1[2]->setLeft(270);
    Label1[2]->setTop(90);
    Label1[2]->hide();

    Textf = new Zahlenfeld(QStringLiteral("Textf"), klient);
    Textf->setGeometry(735, 417, 31, 17);
    Textf->setFont(schrift(8.25));
    Textf->setText(QStringLiteral("100"));
    Textf->setMaxLength(3);
    Textf->setReadOnly(true);
    Textf->setTextMargins(0, 0, 0, 0);
    setzeFarben(Textf, QPalette::Text, schwarz, QPalette::Base, weiss);
    Textf->setTastenfilter([this](qint16 &code) { Textf_KeyPress(code); });
    connect(Textf, &Zahlenfeld::fokusVerloren, this, &Formzivor::Textf_LostFocus);

    HScroll3 = new Rollbalken(Qt::Horizontal, klient);
    HScroll3->setObjectName(QStringLiteral("HScroll3"));
    HScroll3->setGeometry(666, 441, 136, 16);
    HScroll3->setRange(800, 3200);
    HScroll3->setSingleStep(1);
    HScroll3->setPageStep(50);
    HScroll3->setValue(1600);
    HScroll3->setFocusPolicy(Qt::StrongFocus);
    // A scroll bar swaps its keys for the wheel's sake, so that the right arrow key would move
    // a horizontal thumb to the left; the slider's keys go the way their arrows point.
    HScroll3->setInvertedControls(false);
    // The thumb drag, the arrows, the track and the keys all apply the slider's position, so
    // that the slider never stands at a frequency that is not shown.
    connect(HScroll3, &QScrollBar::valueChanged, this, &Formzivor::HScroll3_Scroll);
}

void Formzivor::baueDiagramme()
{
    QWidget *klient = centralWidget();

    Picture2 = new Zeigerdiagramm(klient);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(0, 18, 390, 390);

    Picture1 = new Zeitdiagramm(klient);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(390, 18, 412, 390);

    // Phasor lines and tip handles, at their design-time places.
    const std::array<QColor, 3> linienfarbe{gruen, rot, QColor(0, 0, 192)};
    const std::array<QPointF, 3> spitze{QPointF(67.44, 67.44), QPointF(68.99, -72.09),
                                        QPointF(134.0, 0.0)};
    for (int i = 0; i < 3; ++i) {
        Line1[i] = new Zeigerlinie(elementname("Line1", i), linienfarbe[i], Picture2);
        Line1[i]->setX2(spitze[i].x());
        Line1[i]->setY2(spitze[i].y());
        Line1[i]->setVisible(i == 0);
    }
    const QPointF innen(Bildflaeche::rand, Bildflaeche::rand);
    Label1[0] = new Griff(elementname("Label1", 0), QStringLiteral("0"), gruen, zeigerMassstab, innen, Picture2);
    Label1[0]->setLeft(67.44);
    Label1[0]->setTop(68.99);
    Label1[1] = new Griff(elementname("Label1", 1), QStringLiteral("1"), rot, zeigerMassstab, innen, Picture2);
    Label1[1]->setLeft(68.99);
    Label1[1]->setTop(-72.09);
    Label1[1]->hide();
    Picture2->setzeElemente(Line1, {Label1[0], Label1[1]});

    // Mouse, finger and keys on the handles and the diagram become its notifications.
    auto *steuerung = new Ziehsteuerung(Picture2, this);
    steuerung->nimmGriff(Label1[2]);
    connect(steuerung, &Ziehsteuerung::dragOver, this, &Formzivor::Picture2_DragOver);
    connect(steuerung, &Ziehsteuerung::dragDrop, this, &Formzivor::Picture2_DragDrop);
    connect(steuerung, &Ziehsteuerung::mausBewegt, this, &Formzivor::Picture2_MouseMove);

    const std::array<QColor, 3> kurvenfarbe{QColor(0x00, 0xCC, 0x99), QColor(0xFF, 0x33, 0x00),
                                            QColor(0x33, 0x33, 0xCC)};
    for (int i = 0; i < 3; ++i) {
        Image2[i] = new Kurvenbild(elementname("Image2", i), kurvenfarbe[i], Picture1);
        Image2[i]->setVisible(i == 0);
    }
    Picture1->setzeKurven({Image2[0], Image2[2], Image2[1]}, Image2);
}

void Formzivor::baueKurvenzeilen()
{
    QWidget *klient = centralWidget();
    const std::array<QColor, 3> auswahlfarbe{gruen, rot, blauAuswahl};
    const std::array<QColor, 3> textfarbe{gruen, rot, blauText};
    const std::array<QString, 3> auswahltext{QStringLiteral("Funktion 1"), QStringLiteral("Funktion 2"),
                                             QStringLiteral("Gesamt:")};
    const std::array<QString, 3> startwert{QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("1")};
    const std::array<QString, 3> startwinkel{QStringLiteral("45°"), QStringLiteral("1"), QStringLiteral("1")};

    auto textbox = [&](QLineEdit *feld, int x, int y, int breite, const QColor &farbe) {
        feld->setGeometry(x, y, breite, 20);
        feld->setFont(schrift(9.75));
        feld->setReadOnly(true);
        feld->setTextMargins(0, 0, 0, 0);
        setzeFarben(feld, QPalette::Text, farbe, QPalette::Base, QColor());
    };

    for (int i = 0; i < 3; ++i) {
        Checklinie[i] = new QCheckBox(auswahltext[i], klient);
        Checklinie[i]->setObjectName(elementname("Checklinie", i));
        Checklinie[i]->setGeometry(6, zeilenTop[i], 97, 25);
        Checklinie[i]->setFont(schrift(9.75));
        Checklinie[i]->setAutoFillBackground(true);
        Checklinie[i]->setBackgroundRole(QPalette::Window);
        setzeFarben(Checklinie[i], QPalette::WindowText, auswahlfarbe[i], QPalette::Window, weiss);
        Checklinie[i]->setChecked(i == 0);
        connect(Checklinie[i], &QCheckBox::toggled, this, [this, i] { Checklinie_Click(i); });
    }
    // Back to front in each row: amplitude field, caption boxes, angle field.
    for (int i = 0; i < 3; ++i) {
        Textampl[i] = new Zahlenfeld(elementname("Textampl", i), klient);
        textbox(Textampl[i], 468, zeilenTop[i], 34, textfarbe[i]);
        Textampl[i]->setText(startwert[i]);
        Textampl[i]->setMaxLength(5);
        Textampl[i]->setTastenfilter([this, i](qint16 &code) { Textampl_KeyPress(i, code); });
    }
    for (int i = 0; i < 6; ++i) {
        const int zeile = i % 3;
        Text1[i] = new Lesefeld(elementname("Text1", i), klient);
        Text1[i]->setText(i < 3 ? QStringLiteral("Amplitude:") : QStringLiteral("Winkel:"));
        textbox(Text1[i], i < 3 ? 390 : 501, zeilenTop[zeile], 79, textfarbe[zeile]);
    }
    for (int i = 0; i < 3; ++i) {
        Textwinkel[i] = new Zahlenfeld(elementname("Textwinkel", i), klient);
        textbox(Textwinkel[i], 579, zeilenTop[i], 43, textfarbe[i]);
        Textwinkel[i]->setText(startwinkel[i]);
        Textwinkel[i]->setMaxLength(5);
        Textwinkel[i]->setTastenfilter([this, i](qint16 &code) { Textwinkel_KeyPress(i, code); });
    }
    for (int i = 1; i < 3; ++i) {
        Textampl[i]->hide();
        Textwinkel[i]->hide();
        Text1[i]->hide();
        Text1[i + 3]->hide();
    }
    Textf->raise(); // over the blanks of "Frequenz:         Hz"
}

void Formzivor::baueAufgabenfeld()
{
    Frame1 = new QGroupBox(centralWidget());
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(6, 519, 790, 88);
    Frame1->setAutoFillBackground(true);
    Frame1->setFocusPolicy(Qt::NoFocus);
    setzeFarben(Frame1, QPalette::WindowText, schwarz, QPalette::Window, weiss);

    // Named before its text is set: the text already asks for its accessible interface.
    Labelaufgabe = new QLabel(Frame1);
    Labelaufgabe->setObjectName(QStringLiteral("Labelaufgabe"));
    Labelaufgabe->setText(QStringLiteral("Aufgabe:"));
    Labelaufgabe->setGeometry(6, 12, 496, 43);
    Labelaufgabe->setFont(schrift(8.25));
    Labelaufgabe->setWordWrap(true);
    Labelaufgabe->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Labelaufgabe->setTextFormat(Qt::PlainText);
    // The task text's lines are separated by a carriage return; the label's text document
    // breaks lines there (and the learner may select the formula).
    Labelaufgabe->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Labelaufgabe->setFocusPolicy(Qt::NoFocus);

    auto knopf = [this](const QString &text, const char *name, int x, int y) {
        auto *k = new QPushButton(text, Frame1);
        k->setObjectName(QLatin1String(name));
        k->setGeometry(x, y, 85, 25);
        k->setFont(schrift(8.25));
        // Enter presses the focused button, as Space does.
        k->setAutoDefault(true);
        return k;
    };
    Command2 = knopf(QStringLiteral("Lösung"), "Command2", 699, 15);
    Command2->setEnabled(false);
    Command1 = knopf(QStringLiteral("Beenden"), "Command1", 699, 45);
    connect(Command2, &QPushButton::clicked, this, &Formzivor::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Formzivor::Command1_Click);

    static const std::array<int, 5> links{6, 96, 186, 276, 366};
    for (int i = 0; i < 5; ++i) {
        const QByteArray name = elementname("Commandaufgabe", i).toLatin1();
        Commandaufgabe[i] = knopf(i == 0 ? QStringLiteral("Aufgabe1") : QStringLiteral("Aufgabe2"),
                                  name.constData(), links[i], 57);
        Commandaufgabe[i]->setEnabled(i == 0);
        Commandaufgabe[i]->setVisible(i < 2);
        connect(Commandaufgabe[i], &QPushButton::clicked, this, [this, i] { Commandaufgabe_Click(i); });
    }
    Frame1->hide();
}

void Formzivor::setzeTabfolge()
{
    const std::vector<QWidget *> folge{
        Picture1, HScroll3, Picture2, Checklinie[0], Checklinie[1], Checklinie[2], Textf,
        Commandaufgabe[0], Command2, Command1, Commandaufgabe[1],
        Textampl[0], Textampl[1], Textampl[2],
        Text1[0], Text1[1], Text1[2], Text1[3], Text1[4], Text1[5],
        Textwinkel[0], Textwinkel[1], Textwinkel[2],
        Commandaufgabe[2], Commandaufgabe[3], Commandaufgabe[4]};
    for (std::size_t i = 1; i < folge.size(); ++i)
        QWidget::setTabOrder(folge[i - 1], folge[i]);
}

// ---------------------------------------------------------------------------------------
// Start-up, curve state and the time diagram

void Formzivor::Form_Load()
{
    frequenz = 50.0f;
    verschiebung[0] = -250.0f;
    verschiebung[1] = -150.0f;
    amplitude[0] = 10.0f;
    amplitude[1] = 10.0f;
    f_frequenzeinst();
}

float Formzivor::f_winkelumr(float s_winkel) const
{
    return winkelumr(s_winkel);
}

void Formzivor::f_frequenzeinst()
{
    for (int i = 0; i < 3; ++i) {
        const Kurvenplatz platz = kurvenplatz(frequenz, verschiebung[i], amplitude[i]);
        Image2[i]->setWidth(platz.width);
        Image2[i]->setLeft(platz.left);
        Image2[i]->setHeight(platz.height);
        Image2[i]->setTop(platz.top);
    }
    const QString text = QString::number(rundeGerade(frequenz));
    if (Textf->text() != text) {
        Textf->setText(text);
        Textf->repaint(); // follows the slider's thumb at once
    }
}

void Formzivor::Command1_Click()
{
    Frame1->hide();
    Textf->show();
    for (QCheckBox *c : Checklinie)
        c->show();
    Picture2->show();
    HScroll3->setEnabled(true);
    frequenz = 50.0f;
    Textf->setReadOnly(true);
    Textampl[0]->setReadOnly(true);
    Textwinkel[0]->setReadOnly(true);
}

// ---------------------------------------------------------------------------------------
// Curve selection

void Formzivor::Checklinie_Click(int index)
{
    if (index == 2 && Checklinie[2]->isChecked())
        Checklinie[1]->setChecked(true); // runs this handler for index 1 first
    for (int i = 0; i < 3; ++i) {
        const bool gezeigt = Checklinie[i]->isChecked();
        Line1[i]->setVisible(gezeigt);
        Image2[i]->setVisible(gezeigt);
        Label1[i]->setVisible(gezeigt);
        Textampl[i]->setVisible(gezeigt);
        Textwinkel[i]->setVisible(gezeigt);
        Text1[i]->setVisible(gezeigt);
        Text1[i + 3]->setVisible(gezeigt);
    }
}

// ---------------------------------------------------------------------------------------
// Dragging the phasor tips

void Formzivor::Picture2_DragOver(QObject *source, float x, float y)
{
    auto *griff = qobject_cast<Griff *>(source);
    if (griff == nullptr)
        return;
    griff->setzeOrt(x, y);
    bool ok = false;
    const uint tag = griff->tag().toUInt(&ok);
    if (!ok || tag > 1)
        return;
    zeigernummer = static_cast<quint8>(tag);
    const int n = zeigernummer;

    Line1[n]->setX2(x + 1.0f);
    Line1[n]->setY2(y - 1.0f);
    float r = spitzenabstand(x, y);
    amplitude[n] = r / einheitenJeAmplitude;
    float w = verschiebungsregel(x, y);
    verschiebung[n] = w;
    setzeText(Textampl[n], amplitudenText(r));
    setzeText(Textwinkel[n], winkelText(winkelAusVerschiebung(w)));

    const float sx = static_cast<float>(Line1[1]->x2()) + static_cast<float>(Line1[0]->x2());
    const float sy = static_cast<float>(Line1[1]->y2()) + static_cast<float>(Line1[0]->y2());
    Line1[2]->setX2(sx);
    Line1[2]->setY2(sy);

    if (!Checklinie[2]->isChecked()) {
        f_frequenzeinst();
        return;
    }
    w = verschiebungsregel(sx, sy);
    verschiebung[2] = w;
    r = spitzenabstand(sx, sy);
    amplitude[2] = r / einheitenJeAmplitude;
    setzeText(Textampl[2], amplitudenText(r));
    setzeText(Textwinkel[2], winkelText(summenwinkel(w, sx, sy)));
    f_frequenzeinst();
}

void Formzivor::Picture2_DragDrop(QObject *source, float x, float y)
{
    if (auto *griff = qobject_cast<Griff *>(source))
        griff->setzeOrt(x, y);
}

void Formzivor::Picture2_MouseMove(float x, float y)
{
    auto ganz = [](float v) {
        return std::isfinite(v) ? QString::number(static_cast<qint64>(std::floor(v))) : QStringLiteral("0");
    };
    Picture2->setToolTip(ganz(x) + QStringLiteral(", ") + ganz(y));
}

// ---------------------------------------------------------------------------------------
// Frequency slider and entry fields

void Formzivor::HScroll3_Scroll()
{
    frequenz = reglerfrequenz(HScroll3->sliderPosition());
    f_frequenzeinst();
}

void Formzivor::Textampl_KeyPress(int, qint16 &keyAscii)
{
    keyAscii = filterAmplitude(keyAscii);
}

void Formzivor::Textwinkel_KeyPress(int, qint16 &keyAscii)
{
    keyAscii = filterWinkel(keyAscii);
}

void Formzivor::Textf_KeyPress(qint16 &keyAscii)
{
    keyAscii = filterFrequenz(keyAscii);
}

void Formzivor::Textf_LostFocus()
{
    if (zahlenwert(Textf->text()) > groessteFrequenz)
        Textf->setText(zahlText(groessteFrequenz));
    if (zahlenwert(Textf->text()) < kleinsteFrequenz)
        Textf->setText(zahlText(kleinsteFrequenz));
}

// ---------------------------------------------------------------------------------------
// Menus

void Formzivor::menuaufgaben_Click()
{
    Frame1->show();
    menuaufgaben->setEnabled(false);
    // The keyboard goes where the exercises begin.
    Commandaufgabe[0]->setFocus(Qt::OtherFocusReason);
}

void Formzivor::menuhilfe_Click()
{
    setEnabled(false);
    m_hilfe = new frmzivorhilfe(this);
    // The disabled main window acts like the owner of a modal window: a click on it, or its
    // activation, brings the help window forward with the focus, which comes back afterwards.
    new Hilfevorn(this, m_hilfe);
    m_hilfe->show();
}

void Formzivor::menubeenden_Click()
{
    close();
}

void Formzivor::closeEvent(QCloseEvent *event)
{
    // While the help window is open the main window takes no input, closing included.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit geschlossen();
}

// ---------------------------------------------------------------------------------------
// Exercises

void Formzivor::Commandaufgabe_Click(int index)
{
    aufgabennummer = static_cast<quint8>(index);
    // The keyboard goes where the task is worked on: the phasors for task 1, the curve for
    // task 2; it moves before the button is disabled, so that it never lands on the panel's
    // "Beenden" on the way.
    if (index == 0)
        Picture2->setFocus(Qt::OtherFocusReason);
    else if (index == 1)
        Picture1->setFocus(Qt::OtherFocusReason);
    Commandaufgabe[index]->setEnabled(false);
    if (index + 1 < static_cast<int>(Commandaufgabe.size()))
        Commandaufgabe[index + 1]->setEnabled(true);
    if (index == 0)
        f_Aufgabe1();
    else if (index == 1)
        f_aufgabe2();
    Command2->setEnabled(true);
}

void Formzivor::f_zufall1()
{
    zielfrequenz = zielfrequenzAus(m_zufall());
    zeigerlaenge[0] = zeigerlaengeAus(m_zufall());
    zeigerwinkel[0] = zeigerwinkelAus(m_zufall());
}

void Formzivor::f_Aufgabe1()
{
    Textf->hide();
    for (QCheckBox *c : Checklinie)
        c->hide();
    Line1[1]->setVisible(false);
    Line1[2]->setVisible(false);
    Image2[2]->setVisible(false);
    Image2[1]->setVisible(false);
    Label1[1]->hide();
    for (QLineEdit *feld : Textampl)
        feld->hide();
    for (QLineEdit *feld : Textwinkel)
        feld->hide();
    for (QLineEdit *feld : Text1)
        feld->hide();
    f_zufall1();
    Labelaufgabe->setText(aufgabentext1({zielfrequenz, zeigerlaenge[0], zeigerwinkel[0]}));
}

void Formzivor::f_aufgabe2()
{
    for (QCheckBox *c : Checklinie)
        c->hide();
    for (const int i : {1, 2, 4, 5})
        Text1[i]->hide();
    Text1[0]->show();
    Text1[3]->show();
    Textampl[0]->show();
    Textwinkel[0]->show();
    Textampl[0]->setReadOnly(false);
    Textwinkel[0]->setReadOnly(false);
    for (const int i : {1, 2}) {
        Textampl[i]->hide();
        Textwinkel[i]->hide();
    }
    HScroll3->setEnabled(false);
    Textf->show();
    Textf->setReadOnly(false);
    Picture2->hide();
    // setText, unlike clear(), leaves nothing to undo: the emptied values stay hidden.
    Textampl[0]->setText(QString());
    Textwinkel[0]->setText(QString());
    f_zufall1();
    amplitude[0] = zeigerlaenge[0];
    frequenz = zielfrequenz;
    verschiebung[0] = f_winkelumr(zeigerwinkel[0]);
    f_frequenzeinst();
    Textf->setText(QString()); // Undo must not bring the target frequency back
    Labelaufgabe->setText(aufgabentext2);
}

void Formzivor::Command2_Click()
{
    // The steps after the evaluation follow once its box is closed (bewertungGeschlossen).
    if (aufgabennummer == 0)
        f_losung1();
    else if (aufgabennummer == 1)
        f_losung2();
    else
        bewertungGeschlossen();
}

void Formzivor::bewertungGeschlossen()
{
    // "Lösung" is disabled below, and the keyboard would go on to the panel's "Beenden", which a
    // second Enter presses. It moves before: to the next task's button, or after the last task
    // back where the task was worked on.
    // The window gets its keyboard back from the box only once it is active again.
    if (focusWidget() == Command2) {
        const int naechste = aufgabennummer + 1;
        QWidget *ziel = aufgabennummer == 0 ? static_cast<QWidget *>(Picture2) : Picture1;
        if (naechste < static_cast<int>(Commandaufgabe.size()) && Commandaufgabe[naechste]->isVisible()
            && Commandaufgabe[naechste]->isEnabled())
            ziel = Commandaufgabe[naechste];
        if (ziel->isVisible())
            ziel->setFocus(Qt::OtherFocusReason);
    }
    Commandaufgabe[aufgabennummer]->setEnabled(false);
    Command2->setEnabled(false);
}

void Formzivor::f_losung1()
{
    Textf->hide();
    for (QCheckBox *c : Checklinie)
        c->hide();
    const Antwort antwort{frequenz, verschiebung[0], amplitude[0], true};
    zeigeBewertung(1, bewerte({zielfrequenz, zeigerlaenge[0], zeigerwinkel[0]}, antwort, false, punktegesamt));
}

void Formzivor::f_losung2()
{
    Textf->hide();
    for (QCheckBox *c : Checklinie)
        c->hide();
    frequenz = static_cast<float>(zahlenwert(Textf->text()));
    if (frequenz == 0.0f)
        frequenz = 1.0f;
    const Zahlenwert winkel = liesZahl(Textwinkel[0]->text());
    verschiebung[0] = f_winkelumr(static_cast<float>(winkel.wert));
    if (verschiebung[0] == 0.0f)
        verschiebung[0] = 999.0f;
    amplitude[0] = static_cast<float>(zahlenwert(Textampl[0]->text()));
    if (amplitude[0] == 0.0f)
        amplitude[0] = 999.0f;
    // An angle field without any number is no answer and never scores.
    const Antwort antwort{frequenz, verschiebung[0], amplitude[0], winkel.hatZahl};
    zeigeBewertung(2, bewerte({zielfrequenz, zeigerlaenge[0], zeigerwinkel[0]}, antwort, true, punktegesamt));
}

void Formzivor::zeigeBewertung(int aufgabe, const Bewertung &b)
{
    emit bewertet({aufgabe, Textf->text(), Textwinkel[0]->text(), Textampl[0]->text(), b, punktegesamt});
    const QString &meldung = b.meldung;
    auto *box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Bewertung"), meldung, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("Bewertung"));
    box->setTextFormat(Qt::PlainText);
    // The lines are separated by carriage returns, which the label's text document breaks at.
    if (auto *text = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        text->setTextInteractionFlags(text->textInteractionFlags() | Qt::TextSelectableByMouse);
    Zugangsbericht::macheLesbar(*box, meldung);
#ifdef Q_OS_WASM
    // The browser's Qt runs no event loop inside another: the box is modal all the same, and the
    // steps after it follow when it is closed.
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &QDialog::finished, this, &Formzivor::bewertungGeschlossen);
    box->show();
#else
    box->exec();
    delete box;
    bewertungGeschlossen();
#endif
}

} // namespace zivor
