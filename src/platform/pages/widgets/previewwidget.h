#pragma once

// The preview the report window holds: shows the engine's page on view at
// the engine's Zoom, pages and scrolls with keys, wheel and mouse as the
// MousePage / MouseScroll / MouseZoom flags allow, and passes clicks, keys
// and mouse moves on as the engine's events. All state (page on view, zoom)
// lives in the engine, so report code talks to the engine only.

#include <QAbstractScrollArea>
#include <QPointer>

namespace pages {

class Engine;
struct Page;

class PreviewWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Without an engine the widget makes and owns one.
    explicit PreviewWidget(QWidget *parent = nullptr);
    explicit PreviewWidget(Engine *engine, QWidget *parent = nullptr);
    ~PreviewWidget() override;

    Engine *engine() const { return m_engine; }

    // Pixels per twip at the current zoom (Zoom 100: 15 twips a pixel).
    double scale() const;

    QSize sizeHint() const override;

    // What the tool bar and the keys do. Zooming from here keeps the middle
    // of the view where it was, so a page zoomed out stays centred.
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();
    void fitWidth();  // the sheet as wide as the view
    void fitPage();   // the whole sheet in view (Zoom 0)

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void connectEngine();
    void installDialogs();
    void applyFrame();
    const Page *pageOnView() const;
    QSize sheetSize() const;
    QPointF toTwips(QPointF viewportPoint) const;
    void updateScrollBars();
    QRect pageRectOnViewport() const;
    void zoomBy(double factor, QPoint around);
    int shiftState(Qt::KeyboardModifiers mods) const;
    struct MouseArgs;
    MouseArgs mouseArgs(const QMouseEvent *event, int button) const;

    Engine *m_engine = nullptr;
    bool m_ownsEngine = false;
    QPoint m_dragStart;
    QPoint m_scrollAtDragStart;
    bool m_dragging = false;
    bool m_moved = false;
};

}  // namespace pages
