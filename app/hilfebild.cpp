#include "app/hilfebild.h"

#include "app/hilfebildzugang.h"

#include "assets/hilfeseitenzeichnung.h"
#include "model/massstab.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

namespace zivor {
namespace {

constexpr int rahmen = 1;
// Lines a page key moves the caret by: about what the window shows at once.
constexpr int zeilenJeSeite = 10;

// Starts of the text's lines, in order.
QList<int> zeilenanfaenge(const QString &text)
{
    QList<int> anfaenge{0};
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\n'))
            anfaenge << static_cast<int>(i + 1);
    return anfaenge;
}

} // namespace

Hilfebild::Hilfebild(QWidget *parent)
    : QWidget(parent)
{
    Hilfebildzugang::anmelden(); // before anything asks for the page's accessible interface
    setObjectName(QStringLiteral("Image1"));
    setAccessibleName(QStringLiteral("Hilfeseite"));
    resize(hilfeseiteBreite + 2 * rahmen, hilfeseiteHoehe + 2 * rahmen);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted, so a move only repaints the part that comes into view.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double Hilfebild::top() const
{
    return m_top;
}

void Hilfebild::setTop(double twips)
{
    m_top = twips;
    move(x(), qRound(twips / twipsProPixel));
}

const Lesetext &Hilfebild::lesetext() const
{
    static const Lesetext text = [] {
        Lesetext t = hilfeseitenLesetext();
        for (QRectF &r : t.zeichen)
            r.translate(rahmen, rahmen);
        return t;
    }();
    return text;
}

void Hilfebild::setzeSchreibmarke(int offset)
{
    const int neu = std::clamp(offset, 0, static_cast<int>(lesetext().text.size()));
    emit zeigeBereich(lesetext().zeilenband(neu));
    if (neu == m_schreibmarke)
        return;
    if (hasFocus())
        update(schreibmarkenRechteck());
    m_schreibmarke = neu;
    if (hasFocus())
        update(schreibmarkenRechteck());
    // Screen readers follow the caret, whoever moved it (a key, or the reader itself while it
    // reads the page aloud).
    QAccessibleTextCursorEvent ereignis(this, m_schreibmarke);
    QAccessible::updateAccessibility(&ereignis);
}

QRect Hilfebild::schreibmarkenRechteck() const
{
    const Lesetext &t = lesetext();
    if (t.zeichen.isEmpty())
        return {};
    const QRectF zeichen = t.zeichen[std::min<qsizetype>(m_schreibmarke, t.zeichen.size() - 1)];
    // Two pixels wide, right of the page's border where the caret stands at a line's start.
    const int x = std::max(rahmen + 1, static_cast<int>(std::floor(zeichen.left())));
    return QRect(x, static_cast<int>(std::floor(zeichen.top())) + 2, 2,
                 std::max(1, static_cast<int>(std::floor(zeichen.height())) - 4));
}

void Hilfebild::keyPressEvent(QKeyEvent *event)
{
    const QList<int> anfaenge = zeilenanfaenge(lesetext().text);
    const auto zeile = static_cast<int>(std::upper_bound(anfaenge.begin(), anfaenge.end(), m_schreibmarke)
                                        - anfaenge.begin()) - 1;
    const int letzte = static_cast<int>(anfaenge.size()) - 1;
    int ziel = zeile;
    switch (event->key()) {
    case Qt::Key_Up: ziel = zeile - 1; break;
    case Qt::Key_Down: ziel = zeile + 1; break;
    case Qt::Key_PageUp: ziel = zeile - zeilenJeSeite; break;
    case Qt::Key_PageDown: ziel = zeile + zeilenJeSeite; break;
    case Qt::Key_Home: ziel = event->modifiers() & Qt::ControlModifier ? 0 : zeile; break;
    case Qt::Key_End: ziel = event->modifiers() & Qt::ControlModifier ? letzte : zeile; break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    setzeSchreibmarke(anfaenge[std::clamp(ziel, 0, letzte)]);
}

void Hilfebild::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update(schreibmarkenRechteck());
}

void Hilfebild::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update(schreibmarkenRechteck());
}

void Hilfebild::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.setClipRect(event->rect());
    const int b = width();
    const int h = height();
    p.fillRect(0, 0, b, rahmen, Qt::black);
    p.fillRect(0, h - rahmen, b, rahmen, Qt::black);
    p.fillRect(0, 0, rahmen, h, Qt::black);
    p.fillRect(b - rahmen, 0, rahmen, h, Qt::black);

    p.save();
    p.translate(rahmen, rahmen);
    p.setClipRect(QRect(0, 0, hilfeseiteBreite, hilfeseiteHoehe), Qt::IntersectClip);
    zeichneHilfeseite(p);
    p.restore();

    // The caret shows where the keys read, while the page has the focus.
    if (hasFocus())
        p.fillRect(schreibmarkenRechteck(), palette().color(QPalette::Active, QPalette::Highlight));
}

} // namespace zivor
