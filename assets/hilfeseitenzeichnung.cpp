#include "assets/hilfeseitenzeichnung.h"

#include "model/massstab.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <QTransform>
#include <QtMath>

#include <cmath>
#include <numbers>

namespace zivor {
namespace {

// ---- Page layout, in twips from the page's top-left corner ----------------------------------

enum class Zeilenart { Titel, Text };

// One line of text; y is the top of its character cell.
struct Textzeile {
    int y;
    const char *text;
    Zeilenart art;
};

constexpr Textzeile textzeilen[] = {
    {0, "Harmonische Wechselgrößen als komplexe Zeiger", Zeilenart::Titel},
    {600, "In diesem Modul werden Sie mit dem Zusammenhang zwischen harmonischen (Sinus,",
     Zeilenart::Text},
    {874, "Cosinus) Funktionen deren Darstellung in einem Zeitdiagramm und der", Zeilenart::Text},
    {1152, "Zeigerdarstellung in der komplexen Ebene vertraut gemacht.", Zeilenart::Text},
    {1704, "Sie werden danach in der Lage sein, die Kenngrößen harmonischer Größen in einer",
     Zeilenart::Text},
    {1978, "Ebene durch Zeiger darzustellen und das Prinzip der Überlagerung zu verstehen.",
     Zeilenart::Text},
    {2530,
     "Die gewählten Darstellungen sind gleichwertig und beinhalten nur eine jeweils andere",
     Zeilenart::Text},
    {2808, "Betrachtungsweise desselben physikalischen Sachverhaltes.", Zeilenart::Text},
    {3082, "Das Zeigerdiagramm bietet jedoch durch Verwendung der komplexen Zahlenrechnung",
     Zeilenart::Text},
    {3360, "erhebliche Vereinfachungen und ist für das Verständnis am besten geeignet.",
     Zeilenart::Text},
    {3912, "Beispiel:", Zeilenart::Text},
    {4205, "Mathematische Formulierung :", Zeilenart::Text},
    {5078, "Zeitliche Darstellung:", Zeilenart::Text},
    {7286, "Zeigerdiagramm", Zeilenart::Text},
    {9768, "Die mit Re und Im bezeichneten Achsen repräsentieren die reelle und die imaginäre",
     Zeilenart::Text},
    {10046, "Komponente der komplexen Zeigerdarstellung der harmonischen Größe.", Zeilenart::Text},
    {10598, "Bedienung des Programmes:", Zeilenart::Text},
    {11150, "1) Mittels Auswahlflächen wählen Sie, welcher Zeiger und das zugangehörige",
     Zeilenart::Text},
    {11424, "Zeitdiagramm angezeigt werden soll.", Zeilenart::Text},
    {11702, "2) Mit der Maus können Sie die Spitze des grünen und des roten Zeigers im",
     Zeilenart::Text},
    {11976,
     "Zeigerdiagramm verschieben. Zeigen Sie auf die Spitzen und halten Sie zum Ziehen die",
     Zeilenart::Text},
    {12254, "linke Maus gedrückt.", Zeilenart::Text},
    {12528, "3) Der blaue Zeiger stellt die geometrische Summe der beiden Einzelzeiger dar.",
     Zeilenart::Text},
    {12806, "4) Mittels Slider an der Unterseite können Sie die Frequenz variieren.",
     Zeilenart::Text},
    {13358, "Aufgaben:", Zeilenart::Text},
    {13632, "1) Stellen Sie die grüne Kurve auf folgende mathematische Funktion ein:",
     Zeilenart::Text},
};

// Em heights in twips: the title about 14 pt, the body 12 pt.
constexpr double titelHoehe = 278.0;
constexpr double textHoehe = 240.0;
// Distance from one line to the next; the title's own row is taller.
constexpr double zeilenabstand = 276.0;
constexpr double titelZeile = 322.0;

// A filled bar under a heading: x from links to rechts, top at oben, dicke thick.
struct Balken {
    int links;
    int rechts;
    int oben;
    int dicke;
};

constexpr Balken unterstreichungen[] = {
    {0, 5909, 288, 29},   // title
    {0, 2933, 10843, 24}, // "Bedienung des Programmes:"
    {0, 1080, 13603, 24}, // "Aufgaben:"
};

struct Kasten {
    int links;
    int oben;
    int rechts;
    int unten;

    constexpr QRectF pixel() const
    {
        return {links / twipsProPixel, oben / twipsProPixel, (rechts - links) / twipsProPixel,
                (unten - oben) / twipsProPixel};
    }
};

constexpr Kasten formelKasten{3259, 4181, 5947, 4531};
constexpr Kasten zeitbildKasten{3782, 4584, 7200, 6797};
constexpr Kasten zeigerbildKasten{3782, 7104, 6187, 9418};

// The formula U(t) = 10 · sin(ω · t + 45°), part by part. Parts marked with a gap get the
// space that the box leaves beyond the parts' own widths, shared out evenly before them.
struct Formelteil {
    const char *text;
    bool kursiv;
    bool abstandDavor;
};

constexpr Formelteil formel[] = {
    {"U", true, false},     {"(", false, false}, {"t", true, false},  {")", false, false},
    {"=", false, true},     {"10", false, true}, {"·", false, true},  {"sin(", false, true},
    {"ω", true, false},     {"·", false, true},  {"t", true, true},   {"+", false, true},
    {"45°)", false, true},
};

// ---- The two diagram pictures -----------------------------------------------------------------
// Each is a picture of one of the program's diagrams, given in the pixels of the original
// picture and fitted into its box on the page.

// One original picture: its box on the page, its size, the pixel of its origin, the pixels a
// unit spans in x and y, and the length and half width of its arrowheads.
struct Vorlage {
    Kasten kasten;
    double breite;
    double hoehe;
    double nullX;
    double nullY;
    double proX;
    double proY;
    double pfeilLaenge;
    double pfeilHalbbreite;
};

// Time diagram: 408 x 385, 8.16 px per millisecond, 19.3 px per amplitude unit, the vertical
// axis at column 42 and the time axis at row 193.
constexpr Vorlage zeitbild{zeitbildKasten, 408.0, 385.0, 42.0, 193.0, 8.16, 19.3, 6.0, 2.0};
constexpr double zeitbildVonMs = -5.1;
constexpr double zeitbildBisMs = 44.8;

// Phasor diagram: 227 x 218, 19.25 px per amplitude unit, the vertical axis at column 31 and
// the horizontal axis at row 192.
constexpr Vorlage zeigerbild{zeigerbildKasten, 227.0, 218.0, 31.0, 192.0, 19.25, 19.25, 7.0, 2.5};

// The axis lines run this far into their arrowheads.
constexpr double pfeilUeberlappung = 2.0;

// Labels of the phasor picture, as in the program's phasor diagram: left end of the base
// line in that diagram's units (10 per amplitude unit).
struct Beschriftung {
    const char *text;
    double x;
    double y;
};

constexpr Beschriftung zeigerbildBeschriftungen[] = {
    {"2", 17.06, -11.89},  {"4", 37.40, -11.89}, {"6", 56.88, -11.46}, {"8", 77.23, -11.89},
    {"8", -6.75, 75.43},   {"6", -6.75, 55.45},  {"4", -6.75, 35.90},  {"2", -6.75, 15.92},
    {"0", 1.04, -8.85},    {"Im", -12.38, 88.90}, {"Re", 86.32, -11.89},
};

// Arial em height of the diagram labels in the original pictures' pixels.
constexpr double diagrammSchrift = 16.0;

constexpr QColor gelb(255, 255, 0);
constexpr QColor kurvenfarbe(0, 204, 153);
constexpr QColor zeigerfarbe(0, 192, 0);
constexpr QColor schraffur(128, 128, 128);

// ---- Drawing helpers --------------------------------------------------------------------------

// A face at an exact em height in pixels. Fonts resolve at whole pixel sizes, so the rest is
// made up by scaling the painter while the text is drawn.
struct Schrift {
    QFont font;
    double skala;
};

Schrift schrift(const char *familie, double em, bool fett, bool kursiv)
{
    QFont f(QString::fromLatin1(familie));
    const int ganz = qMax(1, qCeil(em));
    f.setPixelSize(ganz);
    f.setBold(fett);
    f.setItalic(kursiv);
    return {f, em / ganz};
}

double oberlaenge(const Schrift &s)
{
    return QFontMetricsF(s.font).ascent() * s.skala;
}

double breite(const Schrift &s, const QString &text)
{
    return QFontMetricsF(s.font).horizontalAdvance(text) * s.skala;
}

// Text with the left end of its base line at grundlinie, narrowed horizontally by stauchung.
void schreibe(QPainter &p, const Schrift &s, QPointF grundlinie, const QString &text,
              double stauchung = 1.0)
{
    p.save();
    p.translate(grundlinie);
    p.scale(s.skala * stauchung, s.skala);
    p.setFont(s.font);
    p.drawText(QPointF(0.0, 0.0), text);
    p.restore();
}

// Middle of the pixel that contains v, where a 1-px line is drawn sharply.
double pixelmitte(double v)
{
    return std::floor(v) + 0.5;
}

QRectF ganzePixel(const QRectF &r)
{
    return QRectF(QPointF(std::round(r.left()), std::round(r.top())),
                  QPointF(std::round(r.right()), std::round(r.bottom())));
}

// Maps the pixels of an original picture of the given size onto the box.
QTransform aufKasten(double breiteBild, double hoeheBild, const QRectF &kasten)
{
    return QTransform(kasten.width() / breiteBild, 0.0, 0.0, kasten.height() / hoeheBild,
                      kasten.left(), kasten.top());
}

void strich(QPainter &p, const QColor &farbe, QPointF a, QPointF b, double dicke = 1.0)
{
    p.setPen(QPen(farbe, dicke, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QLineF(a, b));
}

void pfeilspitze(QPainter &p, QPointF spitze, QPointF basisA, QPointF basisB)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF{spitze, basisA, basisB});
    p.setBrush(Qt::NoBrush);
}

enum class Ausrichtung { Links, Mitte, Rechts };

void beschrifte(QPainter &p, const Schrift &s, double stauchung, QPointF grundlinie,
                const QString &text, Ausrichtung ausrichtung)
{
    const double b = breite(s, text) * stauchung;
    if (ausrichtung == Ausrichtung::Mitte)
        grundlinie.rx() -= b / 2.0;
    else if (ausrichtung == Ausrichtung::Rechts)
        grundlinie.rx() -= b;
    p.setPen(Qt::black);
    schreibe(p, s, grundlinie, text, stauchung);
}

// An original picture laid into its box: the box in whole pixels, the mapping of the
// picture onto it, and its origin with the axes through pixel centres.
struct Kleinbild {
    Vorlage vorlage;
    QRectF kasten;
    QTransform abbildung;
    QPointF null;
    double achseX;
    double achseY;

    // A point given in the picture's units (milliseconds or amplitude units) on the page.
    QPointF punkt(double x, double y) const
    {
        return abbildung.map(
            QPointF(vorlage.nullX + vorlage.proX * x, vorlage.nullY - vorlage.proY * y));
    }
};

Kleinbild lege(const Vorlage &v)
{
    Kleinbild b{v, ganzePixel(v.kasten.pixel()), QTransform(), QPointF(), 0.0, 0.0};
    b.abbildung = aufKasten(v.breite, v.hoehe, b.kasten);
    b.null = b.punkt(0.0, 0.0);
    b.achseX = pixelmitte(b.null.x());
    b.achseY = pixelmitte(b.null.y());
    return b;
}

// Clips the painter to the picture's box, clears the box to white and draws both axes with
// their arrowheads. The caller saves the painter before and restores it after the picture.
void zeichneGrund(QPainter &p, const Kleinbild &b)
{
    const QRectF &k = b.kasten;
    const double laenge = b.vorlage.pfeilLaenge;
    const double halb = b.vorlage.pfeilHalbbreite;
    const double bis = laenge - pfeilUeberlappung;
    p.setClipRect(k, Qt::IntersectClip);
    p.fillRect(k, Qt::white);
    strich(p, Qt::black, QPointF(k.left(), b.achseY), QPointF(k.right() - bis, b.achseY));
    pfeilspitze(p, QPointF(k.right(), b.achseY), QPointF(k.right() - laenge, b.achseY - halb),
                QPointF(k.right() - laenge, b.achseY + halb));
    strich(p, Qt::black, QPointF(b.achseX, k.top() + bis), QPointF(b.achseX, k.bottom()));
    pfeilspitze(p, QPointF(b.achseX, k.top()), QPointF(b.achseX - halb, k.top() + laenge),
                QPointF(b.achseX + halb, k.top() + laenge));
}

// ---- Page parts -------------------------------------------------------------------------------

void zeichneTexte(QPainter &p, const QRectF &sichtbar)
{
    const Schrift titel = schrift("Times New Roman", titelHoehe / twipsProPixel, true, false);
    const Schrift text = schrift("Times New Roman", textHoehe / twipsProPixel, true, false);
    p.setPen(Qt::black);
    for (const Textzeile &z : textzeilen) {
        const bool istTitel = z.art == Zeilenart::Titel;
        const double hoehe = (istTitel ? titelZeile : zeilenabstand) / twipsProPixel;
        const QRectF zeile(0.0, z.y / twipsProPixel, hilfeseiteBreite, hoehe);
        if (!zeile.intersects(sichtbar))
            continue;
        const Schrift &s = istTitel ? titel : text;
        schreibe(p, s, QPointF(0.0, zeile.top() + oberlaenge(s)), QString::fromUtf8(z.text));
    }
    for (const Balken &b : unterstreichungen) {
        const QRectF r(b.links / twipsProPixel, b.oben / twipsProPixel,
                       (b.rechts - b.links) / twipsProPixel, b.dicke / twipsProPixel);
        if (r.intersects(sichtbar))
            p.fillRect(r, Qt::black);
    }
}

// The formula stands on the base line of the line "Mathematische Formulierung :".
void zeichneFormel(QPainter &p)
{
    const QRectF kasten = formelKasten.pixel();
    const double em = textHoehe / twipsProPixel;
    const Schrift gerade = schrift("Times New Roman", em, false, false);
    const Schrift kursiv = schrift("Times New Roman", em, false, true);
    const Schrift text = schrift("Times New Roman", em, true, false);
    const double grundlinie = 4205.0 / twipsProPixel + oberlaenge(text);

    double eigenbreite = 0.0;
    int luecken = 0;
    for (const Formelteil &t : formel) {
        eigenbreite += breite(t.kursiv ? kursiv : gerade, QString::fromUtf8(t.text));
        luecken += t.abstandDavor ? 1 : 0;
    }
    constexpr double rand = 1.0;
    const double luecke = qMax(0.0, (kasten.width() - 2.0 * rand - eigenbreite) / luecken);

    p.setPen(Qt::black);
    double x = kasten.left() + rand;
    for (const Formelteil &t : formel) {
        if (t.abstandDavor)
            x += luecke;
        const Schrift &s = t.kursiv ? kursiv : gerade;
        const QString teil = QString::fromUtf8(t.text);
        schreibe(p, s, QPointF(x, grundlinie), teil);
        x += breite(s, teil);
    }
}

void zeichneZeitbild(QPainter &p)
{
    const Kleinbild bild = lege(zeitbild);
    const QRectF &kasten = bild.kasten;

    p.save();
    zeichneGrund(p, bild);

    // The black line along the left edge.
    strich(p, Qt::black, QPointF(kasten.left() + 0.5, kasten.top()),
           QPointF(kasten.left() + 0.5, kasten.bottom()));

    // Yellow grid every 5 ms and every 2 amplitude units, none on an axis.
    for (int ms = 5; ms <= 40; ms += 5) {
        const double x = pixelmitte(bild.punkt(ms, 0.0).x());
        strich(p, gelb, QPointF(x, kasten.top()), QPointF(x, kasten.bottom()));
    }
    for (int wert = -8; wert <= 8; wert += 2) {
        if (wert == 0)
            continue;
        const double y = pixelmitte(bild.punkt(0.0, wert).y());
        strich(p, gelb, QPointF(kasten.left() + 1.0, y), QPointF(kasten.right(), y));
    }

    // Labels, condensed like those of the program's time diagram.
    const Schrift beschriftung = schrift("Arial", 7.0, false, false);
    constexpr double stauchung = 0.8;
    const double unterAchse = bild.achseY + 7.5;
    for (int ms = 5; ms <= 40; ms += 5)
        beschrifte(p, beschriftung, stauchung, QPointF(bild.punkt(ms, 0.0).x(), unterAchse),
                   QString::number(ms), Ausrichtung::Mitte);
    beschrifte(p, beschriftung, stauchung, QPointF(bild.achseX + 1.5, unterAchse),
               QStringLiteral("0"), Ausrichtung::Links);
    beschrifte(p, beschriftung, stauchung, QPointF(kasten.right() - 1.0, unterAchse),
               QStringLiteral("t/ms"), Ausrichtung::Rechts);
    for (int wert = 2; wert <= 8; wert += 2)
        beschrifte(p, beschriftung, stauchung,
                   QPointF(bild.achseX - 2.0, bild.punkt(0.0, wert).y() + 2.5),
                   QString::number(wert), Ausrichtung::Rechts);
    beschrifte(p, beschriftung, stauchung, QPointF(bild.achseX - 3.0, kasten.top() + 7.0),
               QStringLiteral("f(t)"), Ausrichtung::Rechts);

    // f(t) = 10 sin(2 pi 50 Hz t + 45 deg) over the whole width.
    constexpr int schritte = 400;
    QPolygonF kurve;
    kurve.reserve(schritte + 1);
    for (int i = 0; i <= schritte; ++i) {
        const double ms = zeitbildVonMs + (zeitbildBisMs - zeitbildVonMs) * i / schritte;
        const double phase = 2.0 * std::numbers::pi * 0.05 * ms + std::numbers::pi / 4.0;
        kurve << bild.punkt(ms, 10.0 * std::sin(phase));
    }
    p.setPen(QPen(kurvenfarbe, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(kurve);
    p.restore();
}

void zeichneZeigerbild(QPainter &p)
{
    const Kleinbild bild = lege(zeigerbild);
    const QRectF &kasten = bild.kasten;
    const QPointF null = bild.null;

    p.save();
    zeichneGrund(p, bild);

    // Yellow grid every 2 units.
    for (int einheit = 2; einheit <= 10; einheit += 2) {
        const double x = pixelmitte(bild.punkt(einheit, 0.0).x());
        const double y = pixelmitte(bild.punkt(0.0, einheit).y());
        if (x < kasten.right())
            strich(p, gelb, QPointF(x, kasten.top()), QPointF(x, kasten.bottom()));
        if (y > kasten.top())
            strich(p, gelb, QPointF(kasten.left(), y), QPointF(kasten.right(), y));
    }

    const double skala = bild.abbildung.m22();
    const Schrift beschriftung = schrift("Arial", diagrammSchrift * skala, false, false);
    for (const Beschriftung &b : zeigerbildBeschriftungen)
        beschrifte(p, beschriftung, 1.0, bild.punkt(b.x / 10.0, b.y / 10.0),
                   QString::fromLatin1(b.text), Ausrichtung::Links);

    // The green phasor: length 10 at 45 degrees, ending in a small square.
    const double r = 10.0 / std::sqrt(2.0);
    const QPointF spitze = bild.punkt(r, r);
    strich(p, zeigerfarbe, null, spitze, 1.5);
    p.fillRect(QRectF(spitze.x() - 2.0, spitze.y() - 2.0, 4.0, 4.0), zeigerfarbe);

    // The small grey-hatched square below and left of the origin.
    const QRectF quadrat(std::floor(null.x()) - 7.0, std::floor(null.y()) + 2.0, 6.0, 6.0);
    p.setClipRect(quadrat, Qt::IntersectClip);
    p.setPen(QPen(schraffur, 1.0));
    for (double d = -quadrat.height(); d < quadrat.width(); d += 2.0)
        p.drawLine(QLineF(quadrat.left() + d, quadrat.bottom(),
                          quadrat.left() + d + quadrat.height(), quadrat.top()));
    p.drawRect(quadrat.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

} // namespace

Lesetext hilfeseitenLesetext()
{
    // What a reader gets in place of the formula and the pictures beside the lines, and where
    // that stands on the page: spread over the formula's box and over each picture.
    struct Zusatz {
        int y;
        const char *text;
        Kasten kasten;
    };
    static constexpr Zusatz zusaetze[] = {
        {4205, " U(t) = 10 · sin(ω · t + 45°)", formelKasten},
        {5078, " (Bild: der Zeitverlauf f(t) = 10 · sin(2π · 50 Hz · t + 45°) in Grün über 0 bis 40 ms,"
               " Ausschläge bis 10 nach oben und unten)", zeitbildKasten},
        {7286, " (Bild: ein grüner Zeiger der Länge 10 unter 45° im ersten Viertel der komplexen Ebene"
               " mit den Achsen Re und Im)", zeigerbildKasten},
    };
    const Schrift titel = schrift("Times New Roman", titelHoehe / twipsProPixel, true, false);
    const Schrift normal = schrift("Times New Roman", textHoehe / twipsProPixel, true, false);

    Lesetext lesetext;
    // A line break stands, without width, at the right end of the line it ends.
    const auto umbruch = [&lesetext](const QRectF &zeile) {
        lesetext.text += QLatin1Char('\n');
        lesetext.zeichen << QRectF(zeile.right(), zeile.top(), 0.0, zeile.height());
    };
    QRectF vorige;
    bool ersteZeile = true;
    for (const Textzeile &z : textzeilen) {
        const bool istTitel = z.art == Zeilenart::Titel;
        const Schrift &s = istTitel ? titel : normal;
        const QRectF band(0.0, z.y / twipsProPixel, 0.0, (istTitel ? titelZeile : zeilenabstand) / twipsProPixel);
        // The page's empty lines are left out: a screen reader reading the page aloud can stall
        // on an utterance with nothing to say.
        if (!ersteZeile)
            umbruch(vorige);
        ersteZeile = false;
        const QString zeile = QString::fromUtf8(z.text);
        double links = 0.0;
        for (qsizetype i = 0; i < zeile.size(); ++i) {
            const double rechts = breite(s, zeile.left(i + 1));
            lesetext.zeichen << QRectF(links, band.top(), rechts - links, band.height());
            links = rechts;
        }
        lesetext.text += zeile;
        QRectF ende(0.0, band.top(), links, band.height());
        for (const Zusatz &zusatz : zusaetze) {
            if (zusatz.y != z.y)
                continue;
            const QString dazu = QString::fromUtf8(zusatz.text);
            const QRectF kasten = zusatz.kasten.pixel();
            const double je = kasten.width() / static_cast<double>(dazu.size());
            for (qsizetype i = 0; i < dazu.size(); ++i)
                lesetext.zeichen << QRectF(kasten.left() + je * i, kasten.top(), je, kasten.height());
            lesetext.text += dazu;
            ende = QRectF(QPointF(0.0, band.top()), QPointF(kasten.right(), band.bottom()));
        }
        vorige = ende;
    }
    return lesetext;
}

QString hilfeseitenText()
{
    return hilfeseitenLesetext().text;
}

void zeichneHilfeseite(QPainter &p)
{
    const QRectF seite(0.0, 0.0, hilfeseiteBreite, hilfeseiteHoehe);
    const QRectF sichtbar = p.hasClipping() ? p.clipBoundingRect() & seite : seite;
    if (sichtbar.isEmpty())
        return;

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(sichtbar, Qt::white);
    zeichneTexte(p, sichtbar);
    if (formelKasten.pixel().intersects(sichtbar))
        zeichneFormel(p);
    if (zeitbild.kasten.pixel().intersects(sichtbar))
        zeichneZeitbild(p);
    if (zeigerbild.kasten.pixel().intersects(sichtbar))
        zeichneZeigerbild(p);
    p.restore();
}

} // namespace zivor
