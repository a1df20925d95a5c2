#include "AboutWindow.h"

#include "platform/desktop/widgets/AccessibleNames.h"
#include "platform/desktop/widgets/WindowPlacement.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// What the program ships and under which terms: the program itself, and the
// libraries linked into it or required by its package.
const char *const Licences =
    "Kelvora — το πρόγραμμα και η βιβλιοθήκη Prynex.\n\n"
    "Qt 6 (QtCore, QtGui, QtWidgets, QtPrintSupport, QtNetwork): GNU Lesser General Public License v3 "
    "(LGPL-3.0-only). Οι βιβλιοθήκες Qt συνδέονται δυναμικά και μπορούν να αντικατασταθούν.\n\n"
    "SQLCipher (κρυπτογραφημένη SQLite, ενσωματωμένη στο πρόγραμμα): BSD 3-Clause License, "
    "Copyright (c) Zetetic LLC. Η SQLite είναι στο δημόσιο τομέα.\n\n"
    "OpenSSL libcrypto (κρυπτογράφηση και κατακερματισμός κωδικών): Apache License 2.0.\n\n"
    "Γραμματοσειρές των εκτυπώσεων (Liberation, DejaVu, από τη διανομή): SIL Open Font License 1.1 "
    "και η άδεια Bitstream Vera/DejaVu.\n\n"
    "Η ελληνική μετάφραση των παραθύρων του Qt (αρχεία, εκτύπωση, κουμπιά) είναι του προγράμματος.";

} // namespace

AboutWindow::AboutWindow(const QString &dataFolder, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("Σχετικά με το Kelvora"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Kelvora — Ταμείο"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    m_version = new QLabel(QStringLiteral("Έκδοση ") + QApplication::applicationVersion(), this);
    m_version->setObjectName(QStringLiteral("version"));
    layout->addWidget(m_version);
    m_dataFolder = new QLabel(QStringLiteral("Φάκελος δεδομένων: ") +
                                  (dataFolder.isEmpty() ? QStringLiteral("(δεν έχει οριστεί)")
                                                        : QDir::toNativeSeparators(dataFolder)),
                              this);
    m_dataFolder->setObjectName(QStringLiteral("dataFolder"));
    m_dataFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_dataFolder->setWordWrap(true);
    layout->addWidget(m_dataFolder);
    auto *licencesCaption = new QLabel(QStringLiteral("Άδειες χρήσης"), this);
    layout->addWidget(licencesCaption);
    m_licences = new QTextBrowser(this);
    m_licences->setObjectName(QStringLiteral("licences"));
    m_licences->setPlainText(QString::fromUtf8(Licences));
    licencesCaption->setBuddy(m_licences);
    layout->addWidget(m_licences, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Κλείσιμο"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 440);
    ui::CenterWhenShown(this);
    ui::NameControlsForAccessibility(this);
}

QString AboutWindow::versionText() const { return m_version->text(); }
QString AboutWindow::dataFolderText() const { return m_dataFolder->text(); }
QString AboutWindow::licencesText() const { return m_licences->toPlainText(); }
