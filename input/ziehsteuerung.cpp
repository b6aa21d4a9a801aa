#include "input/ziehsteuerung.h"

#include "diagrams/griff.h"
#include "diagrams/zeigerdiagramm.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTouchEvent>

#include <algorithm>
#include <cmath>

namespace zivor {

namespace {

// How far from a handle's middle a finger still takes it, in logical pixels.
constexpr double fingerreichweite = 20.0;

} // namespace

Ziehsteuerung::Ziehsteuerung(Zeigerdiagramm *diagramm, QObject *parent)
    : QObject(parent), m_diagramm(diagramm)
{
    m_diagramm->installEventFilter(this);
    m_diagramm->setAttribute(Qt::WA_AcceptTouchEvents);
    for (Griff *g : m_diagramm->griffe())
        nimmGriff(g);
}

void Ziehsteuerung::nimmGriff(Griff *griff)
{
    if (griff == nullptr || std::find(m_griffe.begin(), m_griffe.end(), griff) != m_griffe.end())
        return;
    m_griffe.push_back(griff);
    griff->installEventFilter(this);
}

bool Ziehsteuerung::eventFilter(QObject *objekt, QEvent *ereignis)
{
    const QEvent::Type art = ereignis->type();
    const bool maus = art == QEvent::MouseButtonPress || art == QEvent::MouseMove
                      || art == QEvent::MouseButtonRelease || art == QEvent::MouseButtonDblClick;
    if (objekt == m_diagramm) {
        if (art == QEvent::MouseMove && m_zieht == nullptr) {
            const QPointF p = m_diagramm->punktBei(static_cast<QMouseEvent *>(ereignis)->position());
            emit mausBewegt(static_cast<float>(p.x()), static_cast<float>(p.y()));
        } else if (art == QEvent::KeyPress) {
            return taste(static_cast<QKeyEvent *>(ereignis));
        } else if (art == QEvent::TouchBegin || art == QEvent::TouchUpdate || art == QEvent::TouchEnd
                   || art == QEvent::TouchCancel) {
            return beruehrung(static_cast<QTouchEvent *>(ereignis));
        }
        return false;
    }
    if (!maus)
        return false;
    // The handle is found by its address; an object being destroyed is no handle any more.
    const auto stelle = std::find_if(m_griffe.begin(), m_griffe.end(),
                                     [objekt](const Griff *g) { return static_cast<const QObject *>(g) == objekt; });
    return stelle != m_griffe.end() && griffMaus(*stelle, static_cast<QMouseEvent *>(ereignis));
}

bool Ziehsteuerung::griffMaus(Griff *griff, QMouseEvent *ereignis)
{
    switch (ereignis->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (ereignis->button() != Qt::LeftButton || m_zieht != nullptr)
            return m_zieht != nullptr;
        m_zieht = griff;
        punktGlobal(ereignis->globalPosition(), &m_zeigerDrueber);
        return true;
    case QEvent::MouseMove: {
        if (m_zieht != griff)
            return false; // hover: the diagram shows the pointer position
        // A release that never arrived (the window was disabled meanwhile) ends the drag.
        if (!(ereignis->buttons() & Qt::LeftButton)) {
            beenden();
            return true;
        }
        bool drueber = false;
        const QPointF p = punktGlobal(ereignis->globalPosition(), &drueber);
        // The position at which the pointer leaves the diagram is reported like any other;
        // after that nothing until the pointer comes back.
        if (drueber || m_zeigerDrueber)
            emit dragOver(griff, static_cast<float>(p.x()), static_cast<float>(p.y()));
        m_zeigerDrueber = drueber;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (m_zieht != griff || ereignis->button() != Qt::LeftButton)
            return m_zieht != nullptr;
        bool drueber = false;
        const QPointF p = punktGlobal(ereignis->globalPosition(), &drueber);
        if (drueber)
            emit dragDrop(griff, static_cast<float>(p.x()), static_cast<float>(p.y()));
        beenden();
        return true;
    }
    default:
        return false;
    }
}

void Ziehsteuerung::beenden()
{
    Griff *griff = m_zieht;
    m_zieht = nullptr;
    m_zeigerDrueber = false;
    emit gesetzt(griff);
}

Griff *Ziehsteuerung::griffInReichweite(QPointF pixel) const
{
    Griff *naechster = nullptr;
    double abstand = fingerreichweite;
    for (Griff *g : m_diagramm->griffe()) {
        if (g == nullptr || g->isHidden())
            continue;
        const QPointF d = QRectF(g->geometry()).center() - pixel;
        const double hier = std::hypot(d.x(), d.y());
        // Strictly nearer: of two as near, the first (green) stays.
        if (hier < abstand || (naechster == nullptr && hier <= abstand)) {
            naechster = g;
            abstand = hier;
        }
    }
    return naechster;
}

void Ziehsteuerung::zieheZu(QPointF ecke, bool loslassen)
{
    const bool drueber = m_diagramm->isVisible() && QRectF(m_diagramm->rect()).contains(ecke);
    const QPointF p = m_diagramm->punktBei(ecke);
    const float x = static_cast<float>(p.x());
    const float y = static_cast<float>(p.y());
    if (loslassen) {
        if (drueber)
            emit dragDrop(m_zieht, x, y);
        m_finger = -1;
        beenden();
        return;
    }
    if (drueber || m_zeigerDrueber)
        emit dragOver(m_zieht, x, y);
    m_zeigerDrueber = drueber;
}

bool Ziehsteuerung::beruehrung(QTouchEvent *ereignis)
{
    const QList<QEventPoint> &punkte = ereignis->points();
    if (ereignis->type() == QEvent::TouchBegin) {
        const bool bildschirm = ereignis->device() != nullptr
                                && ereignis->device()->type() == QInputDevice::DeviceType::TouchScreen;
        Griff *griff = bildschirm && m_zieht == nullptr && m_diagramm->isVisible() && !punkte.isEmpty()
                           ? griffInReichweite(punkte.first().position())
                           : nullptr;
        if (griff == nullptr)
            return false; // Qt turns it into a mouse press, as without touch
        m_zieht = griff;
        m_finger = punkte.first().id();
        m_versatz = QPointF(griff->pos()) - punkte.first().position();
        m_zeigerDrueber = true;
        ereignis->accept();
        return true;
    }
    if (m_finger < 0)
        return false;
    if (ereignis->type() == QEvent::TouchCancel) {
        m_finger = -1;
        beenden();
        return true;
    }
    for (const QEventPoint &punkt : punkte) {
        if (punkt.id() != m_finger)
            continue; // a second finger changes nothing
        const bool los = ereignis->type() == QEvent::TouchEnd || punkt.state() == QEventPoint::Released;
        zieheZu(punkt.position() + m_versatz, los);
        break;
    }
    return true;
}

bool Ziehsteuerung::taste(QKeyEvent *ereignis)
{
    if (m_zieht != nullptr || !m_diagramm->isVisible())
        return false;
    const int schritt = ereignis->modifiers() & Qt::ShiftModifier ? 10 : 1;
    QPoint richtung;
    switch (ereignis->key()) {
    case Qt::Key_Left: richtung = {-schritt, 0}; break;
    case Qt::Key_Right: richtung = {schritt, 0}; break;
    case Qt::Key_Up: richtung = {0, -schritt}; break;
    case Qt::Key_Down: richtung = {0, schritt}; break;
    case Qt::Key_Space: {
        // The next shown tip handle, green before red.
        const auto &griffe = m_diagramm->griffe();
        Griff *jetzt = m_diagramm->markierterGriff();
        const auto stelle = std::find(griffe.begin(), griffe.end(), jetzt);
        for (std::size_t i = 1; jetzt != nullptr && i <= griffe.size(); ++i) {
            Griff *g = griffe[(static_cast<std::size_t>(stelle - griffe.begin()) + i) % griffe.size()];
            if (g != nullptr && !g->isHidden()) {
                m_diagramm->markiere(g);
                emit markiert(g);
                break;
            }
        }
        return true;
    }
    default:
        return false;
    }
    Griff *griff = m_diagramm->markierterGriff();
    if (griff == nullptr)
        return true;
    // The handle's corner moves by whole pixels and stays inside the diagram's inner area;
    // the step is what a mouse reports at that pixel.
    const QRect innen = m_diagramm->innenRechteck().toRect();
    const QPoint ziel(std::clamp(griff->x() + richtung.x(), innen.left(), innen.right()),
                      std::clamp(griff->y() + richtung.y(), innen.top(), innen.bottom()));
    const QPointF p = m_diagramm->punktBei(QPointF(ziel));
    const float x = static_cast<float>(p.x());
    const float y = static_cast<float>(p.y());
    emit dragOver(griff, x, y);
    emit dragDrop(griff, x, y);
    emit gesetzt(griff);
    return true;
}

QPointF Ziehsteuerung::punktGlobal(QPointF global, bool *drueber) const
{
    const QPointF lokal = m_diagramm->mapFromGlobal(global);
    *drueber = m_diagramm->isVisible() && QRectF(m_diagramm->rect()).contains(lokal);
    return m_diagramm->punktBei(lokal);
}

} // namespace zivor
