#pragma once

#include <QDialog>

class QLabel;
class QTextBrowser;

// "Σχετικά": the program's version, the data folder in use and the licences
// of what the program ships.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(const QString &dataFolder, QWidget *parent = nullptr);

    QString versionText() const;
    QString dataFolderText() const;
    QString licencesText() const;

private:
    QLabel *m_version;
    QLabel *m_dataFolder;
    QTextBrowser *m_licences;
};
