#include "controls/label3d/front_label.h"

#include "controls/label3d/twips.h"
#include "controls/propertybag/ole_color.h"

#include <QMouseEvent>
#include <QPainter>

namespace kelvora {

namespace {

// Button masks of the old mouse events: left 1, right 2, middle 4.
qint16 buttonMask(Qt::MouseButtons buttons)
{
    qint16 mask = 0;
    if (buttons & Qt::LeftButton)
        mask |= 1;
    if (buttons & Qt::RightButton)
        mask |= 2;
    if (buttons & Qt::MiddleButton)
        mask |= 4;
    return mask;
}

// Shift masks: Shift 1, Ctrl 2, Alt 4.
qint16 shiftMask(Qt::KeyboardModifiers modifiers)
{
    qint16 mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= 1;
    if (modifiers & Qt::ControlModifier)
        mask |= 2;
    if (modifiers & Qt::AltModifier)
        mask |= 4;
    return mask;
}

float twipsX(const QMouseEvent *event)
{
    return float(event->position().x() * kTwipsPerPixel);
}
float twipsY(const QMouseEvent *event)
{
    return float(event->position().y() * kTwipsPerPixel);
}

} // namespace

FrontLabel::FrontLabel(QWidget *parent) : QLabel(parent)
{
    // MouseMove is raised with no button held as well.
    setMouseTracking(true);
}

void FrontLabel::setBorder(bool fixedSingle)
{
    m_border = fixedSingle;
    update();
}

bool FrontLabel::hasBorder() const
{
    return m_border;
}

void FrontLabel::mousePressEvent(QMouseEvent *event)
{
    m_releaseEndsDoubleClick = false;
    emit mouseDown(buttonMask(event->button()), shiftMask(event->modifiers()), twipsX(event), twipsY(event));
    event->accept();
}

void FrontLabel::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(buttonMask(event->buttons()), shiftMask(event->modifiers()), twipsX(event), twipsY(event));
    event->accept();
}

void FrontLabel::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(buttonMask(event->button()), shiftMask(event->modifiers()), twipsX(event), twipsY(event));
    const bool click =
        event->button() == Qt::LeftButton && !m_releaseEndsDoubleClick && rect().contains(event->position().toPoint());
    m_releaseEndsDoubleClick = false;
    event->accept();
    if (click)
        emit clicked();
}

void FrontLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the left button double-clicks; another button's second press is
    // an ordinary press.
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    m_releaseEndsDoubleClick = true;
    event->accept();
    emit doubleClicked();
}

void FrontLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_border)
        return;
    // Drawn over the caption rather than as a QFrame frame: a frame would
    // indent the front text and part it from the back copy it must stay one
    // pixel from. The colour is the window-frame colour, as a label's
    // border has, whatever the caption's colour.
    QPainter painter(this);
    painter.setPen(systemcolour::WindowFrame.toColor(palette()));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kelvora
