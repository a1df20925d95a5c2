#include "platform/pages/widgets/previewtoolbar.h"

#include "platform/pages/engine.h"
#include "platform/pages/widgets/previewwidget.h"

#include <QAction>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>

namespace pages {

PreviewToolBar::PreviewToolBar(PreviewWidget *preview, QWidget *parent) : QToolBar(parent), m_preview(preview)
{
    setObjectName(QStringLiteral("previewToolBar"));
    setMovable(false);
    add("firstPage", QStringLiteral("|◀"), QStringLiteral("Πρώτη σελίδα (Home)"),
        {QKeySequence(Qt::Key_Home), QKeySequence(Qt::CTRL | Qt::Key_Home)}, &PreviewWidget::firstPage);
    add("previousPage", QStringLiteral("◀"), QStringLiteral("Προηγούμενη σελίδα (PgUp)"),
        {QKeySequence(Qt::Key_PageUp)}, &PreviewWidget::previousPage);

    m_pageBox = new QLineEdit(this);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setAlignment(Qt::AlignCenter);
    m_pageBox->setToolTip(QStringLiteral("Σελίδα: γράψτε τον αριθμό και πατήστε Enter"));
    m_pageBox->setFixedWidth(m_pageBox->fontMetrics().horizontalAdvance(QStringLiteral("00000 / 00000")) + 16);
    addWidget(m_pageBox);
    connect(m_pageBox, &QLineEdit::returnPressed, this, &PreviewToolBar::goToTypedPage);

    add("nextPage", QStringLiteral("▶"), QStringLiteral("Επόμενη σελίδα (PgDn)"), {QKeySequence(Qt::Key_PageDown)},
        &PreviewWidget::nextPage);
    add("lastPage", QStringLiteral("▶|"), QStringLiteral("Τελευταία σελίδα (End)"),
        {QKeySequence(Qt::Key_End), QKeySequence(Qt::CTRL | Qt::Key_End)}, &PreviewWidget::lastPage);
    addSeparator();
    add("zoomOut", QStringLiteral("−"), QStringLiteral("Σμίκρυνση (Ctrl+−)"),
        {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &PreviewWidget::zoomOut);
    add("zoomIn", QStringLiteral("+"), QStringLiteral("Μεγέθυνση (Ctrl++)"),
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &PreviewWidget::zoomIn);
    add("fitWidth", QStringLiteral("Πλάτος"), QStringLiteral("Όσο το πλάτος του παραθύρου"), {},
        &PreviewWidget::fitWidth);
    add("fitPage", QStringLiteral("Σελίδα"), QStringLiteral("Ολόκληρη η σελίδα"), {}, &PreviewWidget::fitPage);

    Engine *engine = m_preview->engine();
    connect(engine, &Engine::previewPageChanged, this, &PreviewToolBar::showPage);
    connect(engine, &Engine::documentChanged, this, &PreviewToolBar::showPage);
    connect(engine, &Engine::pagesGrew, this, &PreviewToolBar::showPage);
    showPage();
}

QAction *PreviewToolBar::add(const char *name, const QString &text, const QString &tip,
                             const QList<QKeySequence> &keys, void (PreviewWidget::*slot)())
{
    QAction *action = addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(tip);
    action->setShortcuts(keys);
    // The keys work wherever the focus is in the window, except in the page box,
    // which keeps Home and End for its own text.
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, m_preview, slot);
    return action;
}

QAction *PreviewToolBar::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

void PreviewToolBar::showPage()
{
    const Engine *engine = m_preview->engine();
    const int count = engine->PageCount();
    m_pageBox->setText(count == 0 ? QStringLiteral("0 / 0")
                                  : QStringLiteral("%1 / %2").arg(engine->PreviewPage()).arg(count));
}

void PreviewToolBar::goToTypedPage()
{
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*(\\d+)"));
    const QRegularExpressionMatch m = leadingNumber.match(m_pageBox->text());
    Engine *engine = m_preview->engine();
    if (m.hasMatch() && engine->PageCount() > 0)
        engine->setPreviewPage(std::clamp(m.captured(1).toInt(), 1, engine->PageCount()));
    showPage();  // a page out of range or no number shows where the view is
    m_preview->setFocus();
}

}  // namespace pages
