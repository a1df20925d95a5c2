#pragma once

#include <QLabel>

namespace kelvora {

// The front copy of Label3D's caption. It alone takes the mouse and turns
// Qt's mouse events into the old control events with their arguments
// (button and shift masks, position in twips), and it draws the border.
class FrontLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FrontLabel(QWidget *parent = nullptr);

    void setBorder(bool fixedSingle);
    bool hasBorder() const;

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(qint16 button, qint16 shift, float x, float y);
    void mouseMove(qint16 button, qint16 shift, float x, float y);
    void mouseUp(qint16 button, qint16 shift, float x, float y);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The release that ends a double click raises MouseUp but no Click.
    bool m_releaseEndsDoubleClick = false;
    bool m_border = false;
};

} // namespace kelvora
