#include "HelpWindow.h"

#include "HelpGuide.h"
#include "platform/desktop/widgets/AccessibleNames.h"
#include "platform/desktop/widgets/WindowPlacement.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Οδηγός χρήσης"));
    // Opened also from the modal windows of the reports, which block every
    // other window: it must be modal itself to be usable there.
    setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(this);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("guide"));
    m_browser->setAccessibleName(QStringLiteral("Οδηγός χρήσης"));
    m_browser->setOpenExternalLinks(true);
    layout->addWidget(m_browser, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Κλείσιμο"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    resize(760, 620);
    ui::RememberPlacement(this, QStringLiteral("HelpWindow"));
    ui::NameControlsForAccessibility(this);
}

bool HelpWindow::load(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        m_browser->setPlainText(QStringLiteral("Ο οδηγός χρήσης δεν βρέθηκε. Αναζητήθηκε στα:\n") +
                                help::guidePlaces().join(QLatin1Char('\n')));
        return false;
    }
    // The pictures are named relative to the guide.
    m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
    m_browser->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath() + QLatin1Char('/')));
    m_browser->setMarkdown(QString::fromUtf8(file.readAll()));
    return true;
}

bool HelpWindow::showSection(const QString &words)
{
    if (words.isEmpty()) {
        m_browser->moveCursor(QTextCursor::Start);
        return true;
    }
    for (QTextBlock b = m_browser->document()->begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() > 0 && b.text().contains(words)) {
            QTextCursor at(b);
            m_browser->setTextCursor(at);
            // The heading at the top of the view, not merely somewhere in it.
            m_browser->moveCursor(QTextCursor::End);
            m_browser->setTextCursor(at);
            m_browser->ensureCursorVisible();
            return true;
        }
    }
    return false;
}

HelpWindow *HelpWindow::open(QWidget *from)
{
    static QPointer<HelpWindow> window;
    const QString section = help::sectionFor(from ? from->window() : nullptr);
    if (!window) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->load(help::guidePath());
    }
    window->showSection(section);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
