#include "NewDataFolderDialog.h"

#include "data/AdministratorCode.h"
#include "platform/desktop/widgets/OneLineText.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NewDataFolderDialog::NewDataFolderDialog(pathfile::Places places, QWidget *parent)
    : QDialog(parent), m_places(std::move(places))
{
    setObjectName(QStringLiteral("NewDataFolderDialog"));
    setWindowTitle(QStringLiteral("Νέος φάκελος δεδομένων"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("Δεν υπάρχουν ακόμη αρχεία του προγράμματος. Μπορείτε να δημιουργήσετε "
                                            "ένα νέο φάκελο δεδομένων με τον πρώτο χρήστη, που θα έχει όλα τα "
                                            "δικαιώματα. Ο κωδικός διαχειριστή (τουλάχιστον %1 χαρακτήρες) "
                                            "ανοίγει τη διαχείριση χρηστών από το παράθυρο εισόδου· φυλάξτε τον. "
                                            "Αν τα αρχεία υπάρχουν σε άλλο φάκελο ή στο δίκτυο, πατήστε Άκυρο.")
                                 .arg(admincode::MinimumLength),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    auto *folderRow = new QHBoxLayout;
    m_folder = new QLineEdit(QDir::home().filePath(QStringLiteral("Kelvora")), this);
    m_folder->setObjectName(QStringLiteral("folder"));
    auto *browseButton = new QPushButton(QStringLiteral("Αναζήτηση..."), this);
    browseButton->setObjectName(QStringLiteral("browse"));
    browseButton->setAutoDefault(false);
    browseButton->setFocusPolicy(Qt::ClickFocus); // Enter in the folder box goes on to the user, not to a file window
    connect(browseButton, &QPushButton::clicked, this, &NewDataFolderDialog::browse);
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browseButton);
    form->addRow(QStringLiteral("Φάκελος δεδομένων"), folderRow);

    m_user = new QLineEdit(this);
    ui::SetOneLineText(m_user);
    m_user->setObjectName(QStringLiteral("user"));
    m_user->setMaxLength(25);
    form->addRow(QStringLiteral("Όνομα χρήστη"), m_user);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("password"));
    m_passwordAgain = new QLineEdit(this);
    m_passwordAgain->setObjectName(QStringLiteral("passwordAgain"));
    for (QLineEdit *e : {m_password, m_passwordAgain}) {
        e->setEchoMode(QLineEdit::Password);
        e->setMaxLength(25);
    }
    form->addRow(QStringLiteral("Κωδικός"), m_password);
    form->addRow(QStringLiteral("Κωδικός ξανά"), m_passwordAgain);
    m_adminCode = new QLineEdit(this);
    m_adminCode->setObjectName(QStringLiteral("adminCode"));
    m_adminCodeAgain = new QLineEdit(this);
    m_adminCodeAgain->setObjectName(QStringLiteral("adminCodeAgain"));
    for (QLineEdit *e : {m_adminCode, m_adminCodeAgain})
        e->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Κωδικός διαχειριστή"), m_adminCode);
    form->addRow(QStringLiteral("Κωδικός διαχειριστή ξανά"), m_adminCodeAgain);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(this);
    auto *ok = buttons->addButton(QStringLiteral("Δημιουργία"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("create"));
    auto *cancel = buttons->addButton(QStringLiteral("Άκυρο"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &NewDataFolderDialog::create);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // Enter goes to the next field, as in every window of the program; only a
    // focused button is pressed by it.
    for (QPushButton *b : findChildren<QPushButton *>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    ui::InstallEnterAsTab(this);

    resize(ui::twipsToPixels(7200), sizeHint().height());
    ui::CenterForm(this);
    m_user->setFocus();
}

bool NewDataFolderDialog::create()
{
    const startup::NewDataFolderRequest request{m_folder->text(),    m_user->text(),
                                                m_password->text(),  m_passwordAgain->text(),
                                                m_adminCode->text(), m_adminCodeAgain->text()};
    if (!startup::createNewDataFolder(request, m_places))
        return false;
    accept();
    return true;
}

void NewDataFolderDialog::browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, windowTitle(), m_folder->text());
    if (!chosen.isEmpty())
        m_folder->setText(chosen);
}
