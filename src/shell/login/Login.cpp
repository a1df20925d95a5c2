#include "Login.h"

#include "Maintenance.h"
#include "UserAdmin.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "data/StoreFailure.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/WorkstationNames.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

Login::Login(Store &store, QWidget *parent) : QWidget(parent), m_store(store)
{
    setObjectName(QStringLiteral("Login"));
    setWindowTitle(QStringLiteral("Δώστε κωδικό πρόσβασης. "));
    buildControls();

    for (size_t i = 0; i < m_command.size(); ++i) {
        if (QAbstractButton *button = m_command[i])
            connect(button, &QAbstractButton::clicked, this, [this, i] { Command1_Click(int(i)); });
    }
    connect(m_userList, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        showUser(item);
        enableChangeDelete(false);
    });
    connect(m_userList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        showUser(item);
        enableChangeDelete(true);
    });

    ui::ApplyColouring(this, QStringLiteral(" text1text2text3 list1 list2 dbcombo1 dbcombo2 dblist1 dblist2"),
                       palette().color(QPalette::Window));
    ui::InstallEnterAsTab(this);
    for (QLineEdit *box : m_text)
        box->clear();
    setAdministratorMode(false);
    enableChangeDelete(false);
    ui::CenterForm(this);
    m_text[0]->setFocus();
}

void Login::Command1_Click(int index)
{
    switch (index) {
    case 0:
        logIn();
        break;
    case 1:
        requestEnd();
        break;
    case 2:
        addUser();
        break;
    case 3:
        changeUser();
        break;
    case 4:
        deleteUser();
        break;
    case 5:
        unlock();
        break;
    case 6:
        closeMissingDays();
        break;
    case 7:
        deleteAllData();
        break;
    default:
        break;
    }
}

void Login::setAdministratorMode(bool on)
{
    m_administrator = on;
    m_usersFrame->setVisible(on);
    setFixedSize(ui::twipsToPixels(WidthTwips), ui::twipsToPixels(on ? AdministratorHeightTwips : NormalHeightTwips));
    if (on)
        refillUsers();
}

void Login::logIn()
{
    const QString name = m_text[0]->text();
    const QString password = m_text[1]->text();
    if (login::isAdministratorEntry(name, password)) {
        setAdministratorMode(true);
        return;
    }
    setAdministratorMode(false);

    std::optional<login::UserRow> user;
    try {
        // A second workstation may meet the file locked by one that writes:
        // it is told so and may try again, never that the data are missing.
        if (!storefailure::retryWhileLocked([&] { user = login::findUser(m_store.users(), name, password); }))
            return;
    } catch (const db::DbError &e) {
        storefailure::reportCannotOpen(e);
        return;
    }
    if (!user) {
        msg::information(QStringLiteral("Εισαγωγή Ονόματος / κωδικού"),
                         QStringLiteral("Εχετε δώσει λάθος Ονομα ή κωδικό "));
        m_text[0]->setFocus();
        return;
    }
    login::applyLogin(*user, workstation::userName(), workstation::machineName(), globals());
    m_loggedIn = true;
    Q_EMIT loginSucceeded();
    close();
}

login::UserRow Login::editedValues() const
{
    login::UserRow row;
    row.name = m_text[2]->text();
    row.password = m_text[3]->text();
    row.changeRecords = m_check[0]->isChecked();
    row.closeCash = m_check[1]->isChecked();
    row.groupsCodes = m_check[2]->isChecked();
    return row;
}

void Login::addUser()
{
    try {
        if (login::addUser(m_store.users(), editedValues()))
            refillUsers();
    } catch (const db::DbError &e) {
        reportFailure(e.message());
    }
}

void Login::changeUser()
{
    try {
        if (login::changeUser(m_store.users(), m_currentRowId, editedValues()))
            refillUsers();
    } catch (const db::DbError &e) {
        reportFailure(e.message());
    }
}

void Login::deleteUser()
{
    try {
        if (!login::deleteUser(m_store.users(), m_currentRowId))
            return;
    } catch (const db::DbError &e) {
        reportFailure(e.message());
        return;
    }
    refillUsers();
    for (QLineEdit *box : m_text)
        box->clear();
    enableChangeDelete(false);
}

void Login::unlock()
{
    login::unlockMarker(m_store.dataPath());
}

void Login::closeMissingDays()
{
    if (BusyGuard::isBusy(this))
        return;
    BusyGuard guard(this);
    try {
        login::CloseOpenCashDays(m_store.users());
    } catch (const db::DbError &e) {
        reportFailure(e.message());
    }
}

void Login::deleteAllData()
{
    QAbstractButton *button = m_command[7];
    button->setEnabled(false);
    try {
        login::DeleteAllData(m_store);
    } catch (const db::DbError &e) {
        reportFailure(e.message());
    }
    button->setEnabled(true);
}

void Login::refillUsers()
{
    m_userList->clear();
    try {
        for (const login::UserRow &row : login::listUsers(m_store.users())) {
            auto *item = new QListWidgetItem(row.name, m_userList);
            item->setData(Qt::UserRole, row.rowId);
        }
    } catch (const db::DbError &e) {
        reportFailure(e.message());
    }
}

void Login::showUser(QListWidgetItem *item)
{
    if (!item)
        return;
    const qint64 rowId = item->data(Qt::UserRole).toLongLong();
    try {
        for (const login::UserRow &row : login::listUsers(m_store.users())) {
            if (row.rowId != rowId)
                continue;
            m_currentRowId = rowId;
            m_text[2]->setText(row.name);
            m_text[3]->setText(row.password);
            m_check[0]->setChecked(row.changeRecords);
            m_check[1]->setChecked(row.closeCash);
            m_check[2]->setChecked(row.groupsCodes);
            return;
        }
    } catch (const db::DbError &e) {
        reportFailure(e.message());
    }
}

void Login::enableChangeDelete(bool enabled)
{
    m_command[3]->setEnabled(enabled);
    m_command[4]->setEnabled(enabled);
}

void Login::reportFailure(const QString &what)
{
    msg::critical(QStringLiteral("Προσοχή"),
                  QStringLiteral("Η εργασία δεν έγινε, τα στοιχεία έμειναν όπως ήταν.\n") + what);
}

void Login::requestEnd()
{
    if (!m_endRequested) {
        m_endRequested = true;
        Q_EMIT endRequested();
    }
    close();
}

void Login::closeEvent(QCloseEvent *event)
{
    if (!m_loggedIn && !m_endRequested) {
        m_endRequested = true;
        Q_EMIT endRequested();
    }
    event->accept();
}

bool Login::eventFilter(QObject *watched, QEvent *event)
{
    // Entering a box selects its whole text, so typing replaces it.
    if (event->type() == QEvent::FocusIn) {
        if (auto *box = qobject_cast<QLineEdit *>(watched))
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
    }
    return QWidget::eventFilter(watched, event);
}
