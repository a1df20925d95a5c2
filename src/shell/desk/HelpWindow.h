#pragma once

#include <QDialog>

class QTextBrowser;

// The user guide inside the program: the Markdown file shown by Qt, with its
// pictures, opened at the section of the window the user was in. One window
// is made and reused; it does not block the window it was opened from.
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Loads the guide; false (and a line saying where it was looked for)
    // when it is not found.
    bool load(const QString &path);
    // Scrolls to the first heading holding these words; false when none does.
    bool showSection(const QString &words);
    QTextBrowser *browser() const { return m_browser; }

    // Opens (or brings forward) the program's help window at the section of
    // the window `from`.
    static HelpWindow *open(QWidget *from);

private:
    QTextBrowser *m_browser;
};
