// Benchmarks of what the learner waits for: one drag step with the repaint of both
// diagrams, one slider thumb step with its repaint, and the first frame of the window.
// Run with `make bench`; the figures are per iteration.

#include "app/formzivor.h"

#include <QLocale>
#include <QScrollBar>
#include <QTest>

class BenchZivor : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void ziehschritt();
    void reglerschritt();
    void erstesBild();
};

void BenchZivor::ziehschritt()
{
    Formzivor f;
    f.findChild<QWidget *>(QStringLiteral("Checklinie(2)"))->setProperty("checked", true);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QObject *griff = f.findChild<QObject *>(QStringLiteral("Label1(0)"));
    int schritt = 0;
    QBENCHMARK {
        const float x = 20.0f + static_cast<float>(schritt % 60);
        const float y = 60.0f - static_cast<float>(schritt % 45);
        ++schritt;
        f.Picture2_DragOver(griff, x, y);
        // One pass of the window's repaint, as the event loop does it after a mouse move:
        // everything that changed (both diagrams, the fields) is painted once.
        QCoreApplication::sendPostedEvents(&f, QEvent::UpdateRequest);
    }
}

void BenchZivor::reglerschritt()
{
    Formzivor f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto *regler = f.findChild<QScrollBar *>(QStringLiteral("HScroll3"));
    regler->setSliderDown(true);
    int schritt = 0;
    QBENCHMARK {
        regler->setSliderPosition(800 + (schritt++ * 37) % 2400);
        QCoreApplication::sendPostedEvents(&f, QEvent::UpdateRequest);
    }
    regler->setSliderDown(false);
}

void BenchZivor::erstesBild()
{
    QBENCHMARK {
        Formzivor f;
        f.show();
        f.grab();
    }
}

QTEST_MAIN(BenchZivor)
#include "bench_zivor.moc"
