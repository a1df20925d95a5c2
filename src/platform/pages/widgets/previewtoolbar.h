#pragma once

// The tool bar every preview has: first, previous, next and last page, a page
// box "n / N" that takes a number, zoom in and out, fit width and fit page.
// Its actions carry the keys too (PgUp/PgDn, Home/End, Ctrl++/Ctrl+−), for
// the whole window the bar is in.

#include <QToolBar>

class QLineEdit;

namespace pages {

class PreviewWidget;

class PreviewToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit PreviewToolBar(PreviewWidget *preview, QWidget *parent = nullptr);

    QLineEdit *pageBox() const { return m_pageBox; }
    // By object name: "firstPage", "previousPage", "nextPage", "lastPage",
    // "zoomIn", "zoomOut", "fitWidth", "fitPage".
    QAction *action(const QString &name) const;

private:
    QAction *add(const char *name, const QString &text, const QString &tip, const QList<QKeySequence> &keys,
                 void (PreviewWidget::*slot)());
    void showPage();
    void goToTypedPage();

    PreviewWidget *m_preview;
    QLineEdit *m_pageBox = nullptr;
};

}  // namespace pages
