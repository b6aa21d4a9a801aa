// The program as a learner starts it in a Wayland session without X (run by mit_wayland.sh
// under a headless weston): Qt takes its Wayland platform plugin by itself, the compositor gets
// the main window with its title, and shows it. What the compositor got is in its log of the
// clients' requests, what it shows is on its screenshot.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The rectangle of the pure yellow (255, 255, 0) pixels of an image: the grid lines of the
// two diagrams, which nothing else on weston's screen has; empty when there are none.
QRect gelberBereich(const QImage &bild)
{
    QRect bereich;
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *zeile = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if ((zeile[x] & 0xffffff) == 0xffff00)
                bereich |= QRect(x, y, 1, 1);
    }
    return bereich;
}

// A screenshot of weston's screen (weston-screenshooter writes it into the current folder).
QImage bildschirmfoto(const QString &ordner)
{
    QProcess p;
    p.setWorkingDirectory(ordner);
    p.start(QStringLiteral("weston-screenshooter"), {});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return {};
    const QStringList bilder = QDir(ordner).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Time);
    if (bilder.isEmpty())
        return {};
    QImage bild(QDir(ordner).filePath(bilder.first()));
    for (const QString &name : bilder)
        QFile::remove(QDir(ordner).filePath(name));
    return bild;
}

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT
private slots:
    void hauptfensterErscheint();
};

void TestWayland::hauptfensterErscheint()
{
    const QString programm = qEnvironmentVariable("ZIVOR_PROGRAMM");
    const QString protokoll = qEnvironmentVariable("ZIVOR_WESTON_LOG");
    QVERIFY2(!programm.isEmpty() && !protokoll.isEmpty() && qEnvironmentVariableIsSet("WAYLAND_DISPLAY"),
             "runs under mit_wayland.sh, with the program in ZIVOR_PROGRAMM");

    // A Wayland session: no X display, and nothing that chooses the platform plugin for Qt.
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.remove(QStringLiteral("QT_QPA_PLATFORM"));
    umgebung.remove(QStringLiteral("DISPLAY"));
    umgebung.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    QProcess zivor;
    zivor.setProcessEnvironment(umgebung);
    zivor.setProcessChannelMode(QProcess::MergedChannels);
    zivor.start(programm, {});
    QVERIFY(zivor.waitForStarted());
    const auto ausgabe = [&] { return QString::fromLocal8Bit(zivor.readAll()); };

    // The main window as an xdg-shell toplevel of the program, with its title.
    const auto angemeldet = [&] {
        QFile log(protokoll);
        if (!log.open(QIODevice::ReadOnly))
            return false;
        const QByteArray text = log.readAll();
        return text.contains("set_title(\"KAVO- Zeitfunktion und Bildebene\")")
            && text.contains("set_app_id(\"zivor\")");
    };
    QTRY_VERIFY2_WITH_TIMEOUT(angemeldet() || zivor.state() != QProcess::Running,
                              "no toplevel with the main window's title in weston's log", 20000);
    QVERIFY2(zivor.state() == QProcess::Running, qPrintable(QStringLiteral("the program ended: ") + ausgabe()));
    QVERIFY(angemeldet());

    // On the screen: the yellow grid lines of both diagrams, side by side (390 + 412 pixels
    // wide, 390 high less their borders).
    QTemporaryDir ordner;
    QVERIFY(ordner.isValid());
    QImage schirm;
    QRect gitter;
    const auto sichtbar = [&] {
        schirm = bildschirmfoto(ordner.path());
        gitter = gelberBereich(schirm);
        return gitter.width() >= 760 && gitter.height() >= 360;
    };
    QTRY_VERIFY2_WITH_TIMEOUT(sichtbar(), qPrintable(QStringLiteral("screenshot %1 x %2, yellow grid %3 x %4")
                                                       .arg(schirm.width()).arg(schirm.height())
                                                       .arg(gitter.width()).arg(gitter.height())), 20000);
    schirm.save(QStringLiteral("wayland.png"));
    QVERIFY2(zivor.state() == QProcess::Running, qPrintable(ausgabe()));
    zivor.terminate();
    QVERIFY(zivor.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TestWayland)
#include "test_wayland.moc"
