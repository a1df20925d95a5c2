#include "platform/pages/widgets/previewwidget.h"

#include "platform/pages/colors.h"
#include "platform/pages/engine.h"
#include "platform/pages/pagepainter.h"
#include "platform/pages/units.h"
#include "platform/pages/widgets/abortwindow.h"
#include "platform/pages/widgets/printdialog.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace pages {

namespace {

constexpr int Gap = 12;  // pixels around the sheet

int mouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int mouseButtons(Qt::MouseButtons buttons)
{
    return ((buttons & Qt::LeftButton) ? 1 : 0) | ((buttons & Qt::RightButton) ? 2 : 0)
           | ((buttons & Qt::MiddleButton) ? 4 : 0);
}

}  // namespace

PreviewWidget::PreviewWidget(QWidget *parent) : PreviewWidget(nullptr, parent)
{
}

PreviewWidget::PreviewWidget(Engine *engine, QWidget *parent) : QAbstractScrollArea(parent), m_engine(engine)
{
    if (!m_engine) {
        m_engine = new Engine(this);
        m_ownsEngine = true;
    }
    setObjectName(QStringLiteral("PreviewWidget"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    installDialogs();
    connectEngine();
    updateScrollBars();
}

PreviewWidget::~PreviewWidget() = default;

void PreviewWidget::installDialogs()
{
    // A preview on screen means a user who may choose a printer and stop printing.
    installPrintDialog(*m_engine);
    installAbortWindow(*m_engine);
}

void PreviewWidget::connectEngine()
{
    connect(m_engine, &Engine::documentChanged, this, [this] {
        updateScrollBars();
        viewport()->update();
    });
    // While a long report is laid out, the page on view is drawn once it is
    // finished; pages after it only change the count.
    connect(m_engine, &Engine::pagesGrew, this, [this](int finished) {
        if (finished == m_engine->PreviewPage()) {
            updateScrollBars();
            viewport()->update();
        }
    });
    connect(m_engine, &Engine::previewPageChanged, this, [this] {
        updateScrollBars();
        verticalScrollBar()->setValue(0);
        viewport()->update();
    });
    connect(m_engine, &Engine::viewChanged, this, [this] {
        applyFrame();
        updateScrollBars();
        viewport()->update();
    });
    applyFrame();
}

// BorderStyle 0 has no frame; Appearance 0 draws it flat, otherwise sunken.
void PreviewWidget::applyFrame()
{
    if (m_engine->BorderStyle() == 0) {
        setFrameStyle(QFrame::NoFrame);
    } else if (m_engine->Appearance() == 0) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
    } else {
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    }
    setEnabled(m_engine->Enabled());
}

const Page *PreviewWidget::pageOnView() const
{
    return m_engine->document().page(m_engine->PreviewPage());
}

QSize PreviewWidget::sheetSize() const
{
    const Page *page = pageOnView();
    return page ? page->size : QSize(m_engine->PageWidth(), m_engine->PageHeight());
}

double PreviewWidget::scale() const
{
    const QSize sheet = sheetSize();
    if (m_engine->Zoom() <= 0) {
        const QSize room = viewport()->size() - QSize(2 * Gap, 2 * Gap);
        return std::max(0.01, std::min(double(room.width()) / sheet.width(), double(room.height()) / sheet.height()));
    }
    return m_engine->Zoom() / 100.0 / TwipsPerPixel;
}

QSize PreviewWidget::sizeHint() const
{
    return QSize(640, 800);
}

void PreviewWidget::firstPage() { m_engine->setPreviewPage(1); }

void PreviewWidget::previousPage() { m_engine->setPreviewPage(std::max(1, m_engine->PreviewPage() - 1)); }

void PreviewWidget::nextPage()
{
    m_engine->setPreviewPage(std::min(std::max(1, m_engine->PageCount()), m_engine->PreviewPage() + 1));
}

void PreviewWidget::lastPage() { m_engine->setPreviewPage(std::max(1, m_engine->PageCount())); }

void PreviewWidget::zoomIn() { zoomBy(1.25, viewport()->rect().center()); }

void PreviewWidget::zoomOut() { zoomBy(0.8, viewport()->rect().center()); }

void PreviewWidget::fitWidth()
{
    // The vertical scroll bar the taller sheet will need takes its share.
    const int room = viewport()->width() - 2 * Gap
                     - (verticalScrollBar()->isVisible() ? 0 : verticalScrollBar()->sizeHint().width());
    const double pixelsPerTwip = double(std::max(1, room)) / std::max(1, sheetSize().width());
    m_engine->setZoom(std::clamp(int(pixelsPerTwip * TwipsPerPixel * 100.0), 10, 1000));
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void PreviewWidget::fitPage()
{
    m_engine->setZoom(0);
    updateScrollBars();
    viewport()->update();
}

void PreviewWidget::updateScrollBars()
{
    const QSize sheet = sheetSize();
    const double s = scale();
    const int width = int(std::ceil(sheet.width() * s)) + 2 * Gap;
    const int height = int(std::ceil(sheet.height() * s)) + 2 * Gap;
    const QSize room = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, width - room.width()));
    horizontalScrollBar()->setPageStep(room.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, height - room.height()));
    verticalScrollBar()->setPageStep(room.height());
    verticalScrollBar()->setSingleStep(20);
}

QRect PreviewWidget::pageRectOnViewport() const
{
    const QSize sheet = sheetSize();
    const double s = scale();
    const int width = int(std::lround(sheet.width() * s));
    const int height = int(std::lround(sheet.height() * s));
    const QSize room = viewport()->size();
    const int x = width + 2 * Gap <= room.width() ? (room.width() - width) / 2 : Gap - horizontalScrollBar()->value();
    const int y = height + 2 * Gap <= room.height() ? (room.height() - height) / 2 : Gap - verticalScrollBar()->value();
    return QRect(x, y, width, height);
}

void PreviewWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), toQColor(m_engine->EmptyColor()));
    const Page *page = pageOnView();
    const QRect sheet = pageRectOnViewport();
    painter.fillRect(sheet.translated(4, 4), QColor(0, 0, 0, 90));
    painter.fillRect(sheet, toQColor(m_engine->BackColor()));
    if (!page)
        return;
    painter.translate(sheet.topLeft());
    const double s = scale();
    painter.scale(s, s);
    paintPage(painter, *page, PaintOptions{m_engine->PreviewMode() == 2, false});
}

void PreviewWidget::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PreviewWidget::scrollContentsBy(int, int)
{
    viewport()->update();
}

QPointF PreviewWidget::toTwips(QPointF viewportPoint) const
{
    const QRect sheet = pageRectOnViewport();
    const double s = scale();
    return QPointF((viewportPoint.x() - sheet.left()) / s, (viewportPoint.y() - sheet.top()) / s);
}

void PreviewWidget::zoomBy(double factor, QPoint around)
{
    const QPointF anchor = toTwips(around);
    const double current = scale() * TwipsPerPixel * 100.0;
    m_engine->setZoom(int(std::lround(std::clamp(current * factor, 10.0, 1000.0))));
    updateScrollBars();
    // Keep the point under the mouse where it was.
    const double s = scale();
    const QRect sheet = pageRectOnViewport();
    const QPointF now(sheet.left() + anchor.x() * s, sheet.top() + anchor.y() * s);
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + int(std::lround(now.x() - around.x())));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + int(std::lround(now.y() - around.y())));
    viewport()->update();
}

int PreviewWidget::shiftState(Qt::KeyboardModifiers mods) const
{
    return ((mods & Qt::ShiftModifier) ? 1 : 0) | ((mods & Qt::ControlModifier) ? 2 : 0)
           | ((mods & Qt::AltModifier) ? 4 : 0);
}

void PreviewWidget::wheelEvent(QWheelEvent *event)
{
    if (!m_engine->Enabled())
        return;
    const int delta = event->angleDelta().y();
    if ((event->modifiers() & Qt::ControlModifier) && m_engine->MouseZoom()) {
        zoomBy(delta > 0 ? 1.25 : 0.8, event->position().toPoint());
        return;
    }
    QScrollBar *bar = verticalScrollBar();
    if (m_engine->MousePage()) {
        // Wheeling past the end of a page turns it.
        if (delta < 0 && bar->value() >= bar->maximum() && m_engine->PreviewPage() < m_engine->PageCount()) {
            m_engine->setPreviewPage(m_engine->PreviewPage() + 1);
            bar->setValue(0);
            return;
        }
        if (delta > 0 && bar->value() <= bar->minimum() && m_engine->PreviewPage() > 1) {
            m_engine->setPreviewPage(m_engine->PreviewPage() - 1);
            bar->setValue(bar->maximum());
            return;
        }
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PreviewWidget::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    int shift = shiftState(event->modifiers());
    emit m_engine->KeyDown(key, shift);
    if (key == 0)
        return;  // a handler took the key
    if (!event->text().isEmpty()) {
        int ascii = event->text()[0].unicode();
        emit m_engine->KeyPress(ascii);
    }
    if (!m_engine->Enabled())
        return;
    switch (event->key()) {
    case Qt::Key_PageDown: m_engine->setPreviewPage(m_engine->PreviewPage() + 1); break;
    case Qt::Key_PageUp: m_engine->setPreviewPage(m_engine->PreviewPage() - 1); break;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier)
            m_engine->setPreviewPage(1);
        else
            verticalScrollBar()->setValue(0);
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier)
            m_engine->setPreviewPage(m_engine->PageCount());
        else
            verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        break;
    case Qt::Key_Plus: zoomIn(); break;
    case Qt::Key_Minus: zoomOut(); break;
    default: QAbstractScrollArea::keyPressEvent(event); break;
    }
}

void PreviewWidget::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    int shift = shiftState(event->modifiers());
    emit m_engine->KeyUp(key, shift);
    QAbstractScrollArea::keyReleaseEvent(event);
}

// The mouse as the engine's events report it: the button (1 left, 2 right,
// 4 middle), the shift state and the point in twips of the view. Handlers
// may change any of them, and the preview acts on what they leave.
struct PreviewWidget::MouseArgs {
    int button;
    int shift;
    float x;
    float y;
    QPoint pixel() const { return QPointF(x / TwipsPerPixel, y / TwipsPerPixel).toPoint(); }
};

PreviewWidget::MouseArgs PreviewWidget::mouseArgs(const QMouseEvent *event, int button) const
{
    const QPointF at = event->position() * TwipsPerPixel;
    return {button, shiftState(event->modifiers()), float(at.x()), float(at.y())};
}

void PreviewWidget::mousePressEvent(QMouseEvent *event)
{
    MouseArgs mouse = mouseArgs(event, mouseButton(event->button()));
    emit m_engine->MouseDown(mouse.button, mouse.shift, mouse.x, mouse.y);
    if (!m_engine->Enabled())
        return;
    m_moved = false;
    if (mouse.button == 1 && m_engine->MouseScroll()) {
        m_dragging = true;
        m_dragStart = mouse.pixel();
        m_scrollAtDragStart = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    }
}

void PreviewWidget::mouseMoveEvent(QMouseEvent *event)
{
    MouseArgs mouse = mouseArgs(event, mouseButtons(event->buttons()));
    emit m_engine->MouseMove(mouse.button, mouse.shift, mouse.x, mouse.y);
    if (!m_dragging)
        return;
    const QPoint delta = mouse.pixel() - m_dragStart;
    if (delta.manhattanLength() > 3) {
        m_moved = true;
        viewport()->setCursor(Qt::ClosedHandCursor);
    }
    horizontalScrollBar()->setValue(m_scrollAtDragStart.x() - delta.x());
    verticalScrollBar()->setValue(m_scrollAtDragStart.y() - delta.y());
}

void PreviewWidget::mouseReleaseEvent(QMouseEvent *event)
{
    MouseArgs mouse = mouseArgs(event, mouseButton(event->button()));
    emit m_engine->MouseUp(mouse.button, mouse.shift, mouse.x, mouse.y);
    const bool wasDrag = m_moved;
    m_dragging = false;
    m_moved = false;
    viewport()->unsetCursor();
    if (!wasDrag)
        emit m_engine->Click();
    if (!m_engine->Enabled() || wasDrag || !m_engine->MouseZoom())
        return;
    // A click zooms in, a right click (or shift-click) zooms out.
    const bool out = mouse.button == 2 || (mouse.shift & 1);
    if (mouse.button == 1 || mouse.button == 2)
        zoomBy(out ? 1 / 1.5 : 1.5, mouse.pixel());
}

void PreviewWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit m_engine->DblClick();
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

}  // namespace pages
