// The Windows program (dist/zivor.exe and its installer) under Wine, on the X display of
// mit_bildschirm.sh (Xvfb with openbox), driven by real X input (xdotool) and checked on
// screenshots of that display, beside the Linux program built from the same sources in this
// process. Wine runs in a prefix of its own, made and removed by this test; its font
// replacements map Arial, Times New Roman and Tahoma, which a bare prefix lacks, to the
// Liberation faces, and it runs with German settings, as the Linux program here does.

#include "app/formzivor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <functional>
#include <memory>
#include <queue>

namespace {

const QString hauptTitel = QStringLiteral("KAVO- Zeitfunktion und Bildebene");
const QString hilfeTitel = QStringLiteral("Hilfe zur Aufgabe \"komplexe Ebene\"");
constexpr QSize klient(808, 612);
// The two diagrams with their borders, in the client area.
constexpr QRect diagrammband(0, 18, 802, 390);
// Rows of the client area the X window shows under Wine (see fensterWieUnterLinux).
constexpr int sichtbareHoehe = 611;

// Pixels whose colours differ by more than this in a channel count as different.
constexpr int farbschwelle = 40;
// Text drawn by another rasteriser differs glyph by glyph; a difference no larger than this
// spot is taken for one.
constexpr QSize glyphenfleck(34, 24);

QString quellordner() { return QStringLiteral(ZIVOR_QUELLORDNER); }

// ---- Tools run by the test -------------------------------------------------------------

struct Lauf {
    int status = -1;
    QString ausgabe;
};

Lauf fuehreAus(const QString &programm, const QStringList &argumente, const QProcessEnvironment &umgebung,
               int sekunden = 60)
{
    QProcess p;
    p.setProcessEnvironment(umgebung);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programm, argumente);
    Lauf lauf;
    if (!p.waitForStarted(10000)) {
        lauf.ausgabe = p.errorString();
        return lauf;
    }
    if (!p.waitForFinished(sekunden * 1000)) {
        p.kill();
        p.waitForFinished(5000);
        lauf.ausgabe = QStringLiteral("did not end within %1 s").arg(sekunden);
        return lauf;
    }
    lauf.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    lauf.ausgabe = QString::fromLocal8Bit(p.readAll());
    return lauf;
}

QString xdotool(const QStringList &argumente)
{
    const Lauf l = fuehreAus(QStringLiteral("xdotool"), argumente, QProcessEnvironment::systemEnvironment(), 20);
    return l.status == 0 ? l.ausgabe.trimmed() : QString();
}

// X id of the shown window whose title is exactly the given one, waiting up to some seconds.
quint64 warteAufFenster(const QString &titel, int sekunden)
{
    const QString muster = QLatin1Char('^') + QRegularExpression::escape(titel) + QLatin1Char('$');
    QDeadlineTimer frist(sekunden * 1000);
    do {
        const QStringList ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--name"), muster})
                                    .split(u'\n', Qt::SkipEmptyParts);
        if (ids.size() == 1)
            return ids.first().toULongLong();
        QTest::qWait(200);
    } while (!frist.hasExpired());
    return 0;
}

bool fensterDa(const QString &titel) { return warteAufFenster(titel, 0) != 0; }

// The window's area on the screen, from the X server's own account of it.
QRect fensterlage(quint64 id)
{
    const Lauf l = fuehreAus(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(id)},
                             QProcessEnvironment::systemEnvironment(), 10);
    auto wert = [&](const char *name) {
        const QRegularExpression re(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(name)));
        return re.match(l.ausgabe).captured(1).toInt();
    };
    return {wert("Absolute upper-left X"), wert("Absolute upper-left Y"), wert("Width"), wert("Height")};
}

QList<quint64> wurzelliste(const char *eigenschaft)
{
    const Lauf l = fuehreAus(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-notype"),
                                                        QLatin1String(eigenschaft)},
                             QProcessEnvironment::systemEnvironment(), 10);
    QList<quint64> ids;
    static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    for (auto it = hex.globalMatch(l.ausgabe); it.hasNext();)
        ids << it.next().captured().toULongLong(nullptr, 16);
    return ids;
}

// The window manager stacks the window oben above unten and has oben active.
bool liegtVorn(quint64 oben, quint64 unten)
{
    const QList<quint64> stapel = wurzelliste("_NET_CLIENT_LIST_STACKING");
    const QList<quint64> aktiv = wurzelliste("_NET_ACTIVE_WINDOW");
    return stapel.indexOf(unten) >= 0 && stapel.indexOf(oben) > stapel.indexOf(unten) && aktiv.size() == 1
           && aktiv.first() == oben;
}

QString stapelBericht(quint64 oben, quint64 unten)
{
    QStringList stapel;
    for (const quint64 id : wurzelliste("_NET_CLIENT_LIST_STACKING"))
        stapel << QString::number(id, 16);
    return QStringLiteral("help %1 over main %2? stacking %3, active %4")
        .arg(QString::number(oben, 16), QString::number(unten, 16), stapel.join(u' '),
             QString::number(wurzelliste("_NET_ACTIVE_WINDOW").value(0), 16));
}

void bewegeMaus(QPoint p)
{
    xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
}

void klicke(QPoint p)
{
    xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
             QStringLiteral("click"), QStringLiteral("1")});
}

QImage bildschirm()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// ---- Comparing pictures --------------------------------------------------------------

// Pixels of two pictures of one size that differ, inside a rectangle and outside the
// rectangles left out, grouped into spots: differing pixels less than three pixels apart
// belong to one spot.
struct Vergleich {
    int pixel = 0;
    QList<QRect> flecken;

    QRect groessterFleck() const
    {
        QRect g;
        for (const QRect &f : flecken)
            if (f.width() * f.height() > g.width() * g.height())
                g = f;
        return g;
    }
    bool nurGlyphen() const
    {
        for (const QRect &f : flecken)
            if (f.width() > glyphenfleck.width() || f.height() > glyphenfleck.height())
                return false;
        return true;
    }
    QString bericht() const
    {
        const QRect g = groessterFleck();
        return QStringLiteral("%1 pixels differ in %2 spots, the largest %3x%4 at %5,%6")
            .arg(pixel).arg(flecken.size()).arg(g.width()).arg(g.height()).arg(g.x()).arg(g.y());
    }
};

Vergleich vergleiche(const QImage &a, const QImage &b, const QRect &bereich, const QList<QRect> &ohne = {})
{
    Vergleich v;
    const QRect r = bereich & a.rect() & b.rect();
    std::vector<char> anders(static_cast<size_t>(r.width()) * r.height(), 0);
    auto index = [&](int x, int y) { return static_cast<size_t>(y - r.top()) * r.width() + (x - r.left()); };
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            bool ausgenommen = false;
            for (const QRect &o : ohne)
                ausgenommen = ausgenommen || o.contains(x, y);
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (!ausgenommen && (qAbs(qRed(p) - qRed(q)) > farbschwelle || qAbs(qGreen(p) - qGreen(q)) > farbschwelle
                                 || qAbs(qBlue(p) - qBlue(q)) > farbschwelle)) {
                anders[index(x, y)] = 1;
                ++v.pixel;
            }
        }
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            if (anders[index(x, y)] != 1)
                continue;
            QRect fleck(x, y, 1, 1);
            std::queue<QPoint> offen;
            offen.push({x, y});
            anders[index(x, y)] = 2;
            while (!offen.empty()) {
                const QPoint p = offen.front();
                offen.pop();
                fleck |= QRect(p, QSize(1, 1));
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) {
                        const QPoint n = p + QPoint(dx, dy);
                        if (r.contains(n) && anders[index(n.x(), n.y())] == 1) {
                            anders[index(n.x(), n.y())] = 2;
                            offen.push(n);
                        }
                    }
            }
            v.flecken << fleck;
        }
    return v;
}

// How many pixels of a rectangle show text of a colour: antialiased text leaves pixels near
// the colour, whatever the face.
int farbpixel(const QImage &bild, const QRect &bereich, const std::function<bool(QRgb)> &farbe)
{
    int n = 0;
    for (int y = bereich.top(); y <= bereich.bottom(); ++y)
        for (int x = bereich.left(); x <= bereich.right(); ++x)
            n += farbe(bild.pixel(x, y)) ? 1 : 0;
    return n;
}

bool gruen(QRgb c) { return qGreen(c) > 120 && qRed(c) < 90 && qBlue(c) < 90; }
bool rot(QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; }
bool blau(QRgb c) { return qBlue(c) > 120 && qRed(c) < 90 && qGreen(c) < 90; }
bool dunkel(QRgb c) { return qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90; }

// The geometry of a control of the Linux window in its client area.
QRect lage(const Formzivor &f, const QString &name)
{
    const auto *w = f.findChild<QWidget *>(name);
    if (w == nullptr)
        return {};
    return QRect(w->mapTo(f.centralWidget(), QPoint(0, 0)), w->size());
}

} // namespace

class TestWine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fensterWieUnterLinux();
    void ziehenWieUnterLinux();
    void hilfeVornUndDanachFrei();
    void installierenStartenEntfernen();
    void cleanupTestCase();

private:
    // zivor.exe started under Wine: its window's X id and client area on the screen.
    struct Programm {
        std::unique_ptr<QProcess> prozess;
        quint64 fenster = 0;
        QRect fensterRechteck;
        QPoint klientUrsprung; // screen point of the client area's top-left, below the menu bar
    };
    Programm starte(const QString &exe);
    void beende(Programm &programm);
    QString zwischenablage(QPoint feld);
    void speichere(const QImage &bild, const QString &name);
    QString windowsPfad(const QString &pfadImPrefix) const;
    Lauf wine(const QStringList &argumente, int sekunden = 120);

    QTemporaryDir m_ordner;
    QProcessEnvironment m_wine;
    QString m_prefix;
};

Lauf TestWine::wine(const QStringList &argumente, int sekunden)
{
    return fuehreAus(QStringLiteral("wine"), argumente, m_wine, sekunden);
}

void TestWine::speichere(const QImage &bild, const QString &name)
{
    // Kept for looking at beside the Linux screenshots.
    const QString ordner = QStringLiteral(ZIVOR_BILDERORDNER);
    QDir().mkpath(ordner);
    bild.save(ordner + QLatin1Char('/') + name);
}

QString TestWine::windowsPfad(const QString &pfadImPrefix) const
{
    return m_prefix + QStringLiteral("/drive_c/") + pfadImPrefix;
}

void TestWine::initTestCase()
{
    for (const char *programm : {"wine", "wineserver", "xdotool", "xwininfo", "xprop", "localedef"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(programm)).isEmpty(),
                 qPrintable(QStringLiteral("%1 is missing (make test-windows installs it)").arg(QLatin1String(programm))));
    for (const char *datei : {ZIVOR_EXE, ZIVOR_SETUP})
        QVERIFY2(QFile::exists(QLatin1String(datei)), qPrintable(QStringLiteral("%1 is missing (make windows)").arg(QLatin1String(datei))));
    QVERIFY(m_ordner.isValid());
    m_prefix = m_ordner.filePath(QStringLiteral("prefix"));

    // German settings for the Windows program: Wine takes them from the locale, which it
    // finds only when the C library knows it; it is compiled into the test's own folder.
    const QString locales = m_ordner.filePath(QStringLiteral("locale"));
    QDir().mkpath(locales);
    const Lauf lokal = fuehreAus(QStringLiteral("localedef"),
                                 {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                                  locales + QStringLiteral("/de_DE.UTF-8")},
                                 QProcessEnvironment::systemEnvironment());
    QVERIFY2(lokal.status == 0, qPrintable(QStringLiteral("localedef: ") + lokal.ausgabe));

    m_wine = QProcessEnvironment::systemEnvironment();
    m_wine.insert(QStringLiteral("WINEPREFIX"), m_prefix);
    m_wine.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    // No Mono or Gecko to install, and no menu entries on this machine for what the
    // installer puts into the prefix's Start menu.
    m_wine.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml=;winemenubuilder.exe=d"));
    m_wine.insert(QStringLiteral("LOCPATH"), locales);
    m_wine.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    m_wine.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));

    const Lauf boot = fuehreAus(QStringLiteral("wineboot"), {QStringLiteral("--init")}, m_wine, 300);
    QVERIFY2(boot.status == 0 && QFile::exists(windowsPfad(QStringLiteral("windows/system32"))),
             qPrintable(QStringLiteral("wineboot --init: ") + boot.ausgabe));
    const QList<std::pair<QString, QString>> ersatz{{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
                                                    {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
                                                    {QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")}};
    for (const auto &[name, schrift] : ersatz) {
        const Lauf l = wine({QStringLiteral("reg"), QStringLiteral("add"), QStringLiteral("HKCU\\Software\\Wine\\Fonts\\Replacements"),
                             QStringLiteral("/v"), name, QStringLiteral("/t"), QStringLiteral("REG_SZ"), QStringLiteral("/d"), schrift,
                             QStringLiteral("/f")});
        QVERIFY2(l.status == 0, qPrintable(QStringLiteral("reg add: ") + l.ausgabe));
    }
    // The Linux program beside it uses German settings too.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    bewegeMaus({2, 2});
}

void TestWine::cleanupTestCase()
{
    if (!m_prefix.isEmpty())
        fuehreAus(QStringLiteral("wineserver"), {QStringLiteral("--kill")}, m_wine, 30);
}

TestWine::Programm TestWine::starte(const QString &exe)
{
    Programm p;
    p.prozess = std::make_unique<QProcess>();
    p.prozess->setProcessEnvironment(m_wine);
    p.prozess->setProcessChannelMode(QProcess::ForwardedChannels);
    p.prozess->start(QStringLiteral("wine"), {exe});
    p.fenster = warteAufFenster(hauptTitel, 60);
    if (p.fenster != 0) {
        QTest::qWait(1500); // drawn
        p.fensterRechteck = fensterlage(p.fenster);
        // The client area begins below the menu bar, whose height is the style's and the
        // face's: found by the top edge of the diagrams, a grey line across the window.
        const QImage schirm = bildschirm();
        const QRect r = p.fensterRechteck;
        for (int y = r.top(); y < r.top() + 40 && p.klientUrsprung.isNull(); ++y) {
            bool grau = true;
            for (int x = r.left() + 2; x < r.left() + 380 && grau; ++x)
                grau = QColor(schirm.pixel(x, y)) == QColor(128, 128, 128);
            if (grau)
                p.klientUrsprung = QPoint(r.left(), y - diagrammband.top());
        }
    }
    return p;
}

void TestWine::beende(Programm &programm)
{
    if (programm.prozess && programm.prozess->state() != QProcess::NotRunning) {
        programm.prozess->kill();
        programm.prozess->waitForFinished(10000);
    }
}

// The text of a field of the Windows program, copied by the learner's keys onto the
// clipboard, which Wine shares with the X display.
QString TestWine::zwischenablage(QPoint feld)
{
    const QString vorher = QStringLiteral("(nichts kopiert)");
    QGuiApplication::clipboard()->setText(vorher);
    klicke(feld);
    QTest::qWait(200);
    xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100"), QStringLiteral("ctrl+a"),
             QStringLiteral("ctrl+c")});
    QString text;
    QDeadlineTimer frist(10000);
    do {
        QTest::qWait(200);
        text = QGuiApplication::clipboard()->text();
    } while (text == vorher && !frist.hasExpired());
    return text;
}

// The window appears with its title, its client area below a menu bar, its icon, and looks
// like the Linux window (docs/hauptfenster.png) but for the faces of the text and the look
// of the controls that the toolkit draws in the style of the system.
void TestWine::fensterWieUnterLinux()
{
    Programm p = starte(QStringLiteral(ZIVOR_EXE));
    QVERIFY2(p.fenster != 0, "no window titled 'KAVO- Zeitfunktion und Bildebene' within 60 s");
    const QRect r = p.fensterRechteck;
    QCOMPARE(r.width(), klient.width());
    QVERIFY2(!p.klientUrsprung.isNull(), "no diagrams below a menu bar");
    const int menue = p.klientUrsprung.y() - r.top();
    QVERIFY2(menue >= 17 && menue <= 30, qPrintable(QStringLiteral("menu bar %1 pixels high").arg(menue)));
    // Under Wine with openbox the X window ends one row above the client area's last row
    // (Wine's idea of the dialog frame and the window manager's differ by a pixel); that row
    // is the white ground below the controls.
    QVERIFY2(r.bottom() - p.klientUrsprung.y() + 1 >= sichtbareHoehe,
             qPrintable(QStringLiteral("window %1x%2, client area from row %3").arg(r.width()).arg(r.height()).arg(menue)));
    bewegeMaus({2, 2});
    QTest::qWait(300);
    const QImage schirm = bildschirm();
    const QImage wine = schirm.copy(QRect(p.klientUrsprung, klient));
    speichere(schirm.copy(r), QStringLiteral("hauptfenster-wine.png"));

    QImage linuxBild(quellordner() + QStringLiteral("/docs/hauptfenster.png"));
    QVERIFY(!linuxBild.isNull());
    linuxBild = linuxBild.convertToFormat(QImage::Format_RGB32);
    const QImage linux = linuxBild.copy(QRect(QPoint(0, linuxBild.height() - klient.height()), klient));

    // The diagrams are the program's own drawing: only their labels' glyphs may differ.
    const Vergleich band = vergleiche(wine, linux, diagrammband);
    QVERIFY2(band.nurGlyphen() && band.pixel < 1500, qPrintable(band.bericht()));

    // Around them, what lies outside the controls is the same, and so is every hidden control.
    Formzivor f;
    const QStringList sichtbar{QStringLiteral("Checklinie(0)"), QStringLiteral("Checklinie(1)"), QStringLiteral("Checklinie(2)"),
                               QStringLiteral("Text1(0)"), QStringLiteral("Textampl(0)"), QStringLiteral("Text1(3)"),
                               QStringLiteral("Textwinkel(0)"), QStringLiteral("Label"), QStringLiteral("Textf"),
                               QStringLiteral("HScroll3")};
    QList<QRect> steuerelemente;
    for (const QString &name : sichtbar) {
        steuerelemente << lage(f, name);
        QVERIFY(!steuerelemente.last().isEmpty());
    }
    const Vergleich rest = vergleiche(wine, linux, QRect(0, 0, klient.width(), sichtbareHoehe),
                                      steuerelemente + QList<QRect>{diagrammband});
    QVERIFY2(rest.pixel == 0, qPrintable(rest.bericht()));

    // In the controls, the text in the curve's colour where Linux has it.
    const QList<std::pair<QString, std::function<bool(QRgb)>>> farben{
        {QStringLiteral("Checklinie(0)"), gruen}, {QStringLiteral("Checklinie(1)"), rot}, {QStringLiteral("Checklinie(2)"), blau},
        {QStringLiteral("Text1(0)"), gruen},      {QStringLiteral("Textampl(0)"), gruen}, {QStringLiteral("Text1(3)"), gruen},
        {QStringLiteral("Textwinkel(0)"), gruen}, {QStringLiteral("Label"), dunkel},      {QStringLiteral("Textf"), dunkel}};
    for (const auto &[name, farbe] : farben) {
        const QRect feld = lage(f, name).adjusted(2, 2, -2, -2);
        const int dort = farbpixel(wine, feld, farbe);
        QVERIFY2(dort >= 8, qPrintable(QStringLiteral("%1: %2 pixels of its text colour").arg(name).arg(dort)));
        QVERIFY2(farbpixel(linux, feld, farbe) >= 8, qPrintable(name + QStringLiteral(" in docs/hauptfenster.png")));
    }

    // The icon the window manager shows is the drawing rendered at 32 pixels.
    const Lauf symbol = fuehreAus(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(p.fenster), QStringLiteral("-notype"),
                                                             QStringLiteral("-f"), QStringLiteral("_NET_WM_ICON"), QStringLiteral("32c"),
                                                             QStringLiteral("=$0+"), QStringLiteral("_NET_WM_ICON")},
                                  QProcessEnvironment::systemEnvironment(), 10);
    QStringList zahlen = symbol.ausgabe.section(u'=', 1).split(u',', Qt::SkipEmptyParts);
    const QImage soll = QImage(QStringLiteral(ZIVOR_SYMBOLORDNER "/zivor-32.png")).convertToFormat(QImage::Format_ARGB32);
    bool gefunden = false;
    for (qsizetype i = 0; i + 1 < zahlen.size() && !gefunden;) {
        const int w = zahlen[i].trimmed().toInt();
        const int h = zahlen[i + 1].trimmed().toInt();
        if (w <= 0 || h <= 0)
            break;
        if (w == 32 && h == 32 && i + 2 + 32 * 32 <= zahlen.size()) {
            QImage ist(32, 32, QImage::Format_ARGB32);
            for (int k = 0; k < 32 * 32; ++k)
                ist.setPixel(k % 32, k / 32, static_cast<QRgb>(zahlen[i + 2 + k].trimmed().toUInt()));
            QCOMPARE(ist, soll);
            gefunden = true;
        }
        i += 2 + static_cast<qsizetype>(w) * h;
    }
    QVERIFY2(gefunden, qPrintable(QStringLiteral("no 32x32 icon in _NET_WM_ICON: ") + symbol.ausgabe.left(200)));
    beende(p);
}

// The same drag of the green tip, by real X input under Wine and by mouse events on the Linux
// window, gives the same texts in the fields and the same diagrams.
void TestWine::ziehenWieUnterLinux()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QRect spitze = lage(f, QStringLiteral("Label1(0)"));
    const QPoint start = spitze.center();
    QList<QPoint> weg;
    for (int i = 1; i <= 12; ++i)
        weg << start + QPoint(-7 * i, -3 * i);
    QWidget *k = f.centralWidget();
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, k->mapTo(&f, start));
    for (const QPoint &p : weg)
        QTest::mouseMove(f.windowHandle(), k->mapTo(&f, p));
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, k->mapTo(&f, weg.last()));
    const QString amplitude = f.findChild<QLineEdit *>(QStringLiteral("Textampl(0)"))->text();
    const QString winkel = f.findChild<QLineEdit *>(QStringLiteral("Textwinkel(0)"))->text();
    QVERIFY2(amplitude != QLatin1String("10") && winkel != QLatin1String("45°"), "the drag on Linux changed nothing");
    QTest::qWait(100);
    const QImage linux = k->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect amplitudenfeld = lage(f, QStringLiteral("Textampl(0)"));
    const QRect winkelfeld = lage(f, QStringLiteral("Textwinkel(0)"));
    f.close();

    Programm p = starte(QStringLiteral(ZIVOR_EXE));
    QVERIFY2(p.fenster != 0, "zivor.exe showed no window");
    const QPoint o = p.klientUrsprung;
    bewegeMaus(o + start);
    QTest::qWait(200);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    for (const QPoint &punkt : weg) {
        QTest::qWait(40);
        bewegeMaus(o + punkt);
    }
    QTest::qWait(100);
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    bewegeMaus({2, 2});
    QTest::qWait(800);
    const QImage schirm = bildschirm();
    speichere(schirm.copy(p.fensterRechteck), QStringLiteral("gezogen-wine.png"));
    const Vergleich band = vergleiche(schirm.copy(QRect(o, klient)), linux, diagrammband);
    QVERIFY2(band.nurGlyphen() && band.pixel < 1500, qPrintable(band.bericht()));

    QCOMPARE(zwischenablage(o + amplitudenfeld.center()), amplitude);
    QCOMPARE(zwischenablage(o + winkelfeld.center()), winkel);
    beende(p);
}

// Alt+H opens the help in front of the main window, which takes no clicks while it is open;
// once the help is closed, a click on "Funktion 2" shows the red curve's fields.
void TestWine::hilfeVornUndDanachFrei()
{
    Formzivor f;
    const QRect funktion2 = lage(f, QStringLiteral("Checklinie(1)"));
    const QRect roteAmplitude = lage(f, QStringLiteral("Text1(1)")); // "Amplitude:" in red
    Programm p = starte(QStringLiteral(ZIVOR_EXE));
    QVERIFY2(p.fenster != 0, "zivor.exe showed no window");
    const QPoint o = p.klientUrsprung;
    auto rotSichtbar = [&] {
        return farbpixel(bildschirm(), roteAmplitude.translated(o).adjusted(2, 2, -2, -2), rot) >= 8;
    };
    QVERIFY(!rotSichtbar());

    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(p.fenster)});
    xdotool({QStringLiteral("key"), QStringLiteral("alt+h")});
    const quint64 hilfe = warteAufFenster(hilfeTitel, 20);
    QVERIFY2(hilfe != 0, "Alt+H opened no window titled 'Hilfe zur Aufgabe \"komplexe Ebene\"'");
    QTRY_VERIFY2(liegtVorn(hilfe, p.fenster),
                 qPrintable(QStringLiteral("help %1, main %2, stacking %3, active %4").arg(hilfe).arg(p.fenster)
                                .arg(QString::number(wurzelliste("_NET_CLIENT_LIST_STACKING").size()))
                                .arg(wurzelliste("_NET_ACTIVE_WINDOW").value(0))));
    QCOMPARE(fensterlage(hilfe).size(), QSize(631, 331));
    QTest::qWait(500);
    speichere(bildschirm().copy(fensterlage(hilfe)), QStringLiteral("hilfe-wine.png"));

    // A click on "Funktion 2" of the disabled main window does nothing, and the help stays
    // above it. (Under Wine, openbox still hands the input focus to the window clicked on,
    // which Windows itself would not.)
    klicke(o + QPoint(funktion2.left() + 8, funktion2.center().y()));
    QTest::qWait(500);
    const QList<quint64> stapel = wurzelliste("_NET_CLIENT_LIST_STACKING");
    QVERIFY2(stapel.indexOf(hilfe) > stapel.indexOf(p.fenster), qPrintable(stapelBericht(hilfe, p.fenster)));
    QVERIFY(!rotSichtbar());

    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(hilfe)});
    xdotool({QStringLiteral("key"), QStringLiteral("alt+F4")});
    QTRY_VERIFY_WITH_TIMEOUT(!fensterDa(hilfeTitel), 10000);
    klicke(o + QPoint(funktion2.left() + 8, funktion2.center().y()));
    QTRY_VERIFY_WITH_TIMEOUT(rotSichtbar(), 5000);
    beende(p);
}

// The installer puts the program, its licence, a Start-menu entry and an uninstaller in place
// without a question; the Start-menu entry starts the program; the uninstaller removes it all.
void TestWine::installierenStartenEntfernen()
{
    const Lauf setup = wine({QStringLiteral(ZIVOR_SETUP), QStringLiteral("/S")});
    QVERIFY2(setup.status == 0, qPrintable(QStringLiteral("setup /S: %1 %2").arg(setup.status).arg(setup.ausgabe)));
    const QString ordner = windowsPfad(QStringLiteral("Program Files/Zivor"));
    const QString eintrag = windowsPfad(QStringLiteral("ProgramData/Microsoft/Windows/Start Menu/Programs/Zivor.lnk"));
    QFile installiert(ordner + QStringLiteral("/zivor.exe"));
    QFile gebaut(QStringLiteral(ZIVOR_EXE));
    QVERIFY(installiert.open(QIODevice::ReadOnly) && gebaut.open(QIODevice::ReadOnly));
    QVERIFY2(installiert.readAll() == gebaut.readAll(), "the installed zivor.exe is not the one built");
    QVERIFY(QFile::exists(ordner + QStringLiteral("/LICENSE.txt")));
    QVERIFY(QFile::exists(ordner + QStringLiteral("/uninstall.exe")));
    QVERIFY(QFile::exists(eintrag));
    const QString schluessel = QStringLiteral("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zivor");
    const Lauf version = wine({QStringLiteral("reg"), QStringLiteral("query"), schluessel, QStringLiteral("/v"),
                               QStringLiteral("DisplayVersion")});
    QVERIFY2(version.ausgabe.contains(QStringLiteral(ZIVOR_VERSION)), qPrintable(version.ausgabe));

    // Started the way the Start menu starts it: through its entry.
    const Lauf start = wine({QStringLiteral("start"), QStringLiteral("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Zivor.lnk")});
    QVERIFY2(start.status == 0, qPrintable(start.ausgabe));
    const quint64 fenster = warteAufFenster(hauptTitel, 60);
    QVERIFY2(fenster != 0, "the Start-menu entry started no Zivor window");
    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(fenster)});
    xdotool({QStringLiteral("key"), QStringLiteral("alt+F4")});
    QTRY_VERIFY_WITH_TIMEOUT(!fensterDa(hauptTitel), 10000);

    // The uninstaller copies itself away and returns at once; the removal follows.
    const Lauf entfernen = wine({windowsPfad(QStringLiteral("Program Files/Zivor/uninstall.exe")), QStringLiteral("/S")});
    QVERIFY2(entfernen.status == 0, qPrintable(entfernen.ausgabe));
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(ordner), 60000);
    QVERIFY(!QFile::exists(eintrag));
    QVERIFY(wine({QStringLiteral("reg"), QStringLiteral("query"), schluessel}).status != 0);
}

QTEST_MAIN(TestWine)
#include "test_wine.moc"
