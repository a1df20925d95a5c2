#include "Login.h"

#include "ChangeLogDialog.h"
#include "Maintenance.h"
#include "UserAdmin.h"
#include "data/AdministratorCode.h"
#include "data/AppGlobals.h"
#include "data/AuditLog.h"
#include "data/Store.h"
#include "data/StoreFailure.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/AccessibleNames.h"
#include "platform/desktop/WorkstationNames.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/security/SecretText.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QTreeWidget>

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
    ui::CenterWhenShown(this);
    ui::NameControlsForAccessibility(this);
    m_text[0]->setFocus();

    m_waitTimer = new QTimer(this);
    m_waitTimer->setInterval(1000);
    connect(m_waitTimer, &QTimer::timeout, this, &Login::showWait);
}

Login::~Login() = default;

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
    case 8:
        setAdministratorCode();
        break;
    default:
        break;
    }
}

void Login::setAdministratorMode(bool on)
{
    m_administrator = on;
    m_usersFrame->setVisible(on);
    m_securityFrame->setVisible(on);
    setFixedSize(ui::twipsToPixels(WidthTwips),
                 ui::twipsToPixels(on ? AdministratorHeightTwips + SecurityHeightTwips : NormalHeightTwips));
    // Grown downwards from where the small window stood, the administrator
    // mode would run off a small screen: the window is centred again.
    if (isVisible()) {
        ui::CenterForm(this);
        QTimer::singleShot(0, this, [this] { ui::CenterForm(this); });
    }
    if (on) {
        refillUsers();
        refreshSecurity();
    }
}

LoginGate &Login::gate()
{
    if (!m_gate)
        m_gate = std::make_unique<LoginGate>(m_store.users(), login::cutAtNul(workstation::machineName()), m_clock);
    return *m_gate;
}

void Login::logIn()
{
    LoginGate::Outcome outcome;
    bool checked = false;
    try {
        // A second workstation may meet the file locked by one that writes:
        // it is told so and may try again, never that the data are missing.
        checked =
            storefailure::retryWhileLocked([&] { outcome = gate().attempt(m_text[0]->text(), m_text[1]->text()); });
    } catch (const db::DbError &e) {
        emptySecretBox(m_text[1]);
        storefailure::reportCannotOpen(e);
        return;
    }
    // Whatever was decided, the password (or administrator code) is not kept:
    // a wrong one is typed again, a right one is no longer needed.
    emptySecretBox(m_text[1]);
    if (!checked)
        return;
    showWait();
    switch (outcome.result) {
    case LoginGate::Result::MustWait:
        msg::information(QStringLiteral("Εισαγωγή Ονόματος / κωδικού"),
                         QStringLiteral("Πολλές λάθος προσπάθειες. Δοκιμάστε ξανά σε %1 δευτερόλεπτα.")
                             .arg(outcome.waitSeconds));
        return;
    case LoginGate::Result::Administrator:
        setAdministratorMode(true);
        return;
    case LoginGate::Result::Wrong:
        setAdministratorMode(false);
        msg::information(QStringLiteral("Εισαγωγή Ονόματος / κωδικού"),
                         QStringLiteral("Εχετε δώσει λάθος Ονομα ή κωδικό "));
        m_text[0]->setFocus();
        return;
    case LoginGate::Result::LoggedIn:
        break;
    }
    setAdministratorMode(false);
    login::applyLogin(*outcome.user, workstation::userName(), workstation::machineName(), globals());
    m_loggedIn = true;
    Q_EMIT loginSucceeded();
    close();
}

// Empties a box that held a password or code. setText (unlike clear) also
// drops the box's record of the typed keys; the last copy of the text is then
// this one, and wiping it overwrites the characters before the memory is freed.
void Login::emptySecretBox(QLineEdit *box)
{
    QString held = box->text();
    box->setText(QString());
    secret::wipe(held);
}

// The wait before the next try, under the password; a timer counts it down.
void Login::showWait()
{
    const int seconds = m_gate ? m_gate->secondsToWait() : 0;
    m_waitLabel->setText(seconds > 0 ? QStringLiteral("Επόμενη προσπάθεια σε %1 δευτ.").arg(seconds) : QString());
    m_waitLabel->setVisible(seconds > 0);
    if (seconds > 0)
        m_waitTimer->start();
    else
        m_waitTimer->stop();
}

// Who changes users: only the administrator entry reaches them.
auditlog::Author Login::administrator() const
{
    return {QStringLiteral("rootdesk"), login::cutAtNul(workstation::machineName())};
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
        if (!login::addUser(m_store.users(), editedValues(), administrator()))
            return;
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
        return;
    }
    emptySecretBox(m_text[3]); // stored as a hash; the box need not keep it
    refillUsers();
    refreshSecurity();
}

void Login::changeUser()
{
    try {
        if (!login::changeUser(m_store.users(), m_currentRowId, editedValues(), administrator()))
            return;
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
        return;
    }
    emptySecretBox(m_text[3]);
    refillUsers();
    refreshSecurity();
}

void Login::deleteUser()
{
    try {
        if (!login::deleteUser(m_store.users(), m_currentRowId, administrator()))
            return;
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
        return;
    }
    refillUsers();
    refreshSecurity();
    m_text[0]->clear();
    m_text[2]->clear();
    emptySecretBox(m_text[1]);
    emptySecretBox(m_text[3]);
    enableChangeDelete(false);
}

void Login::unlock()
{
    login::unlockMarker(m_store);
    try {
        gate().log(m_administrator ? QStringLiteral("rootdesk") : QString(), auditlog::action::Unlock);
    } catch (const db::DbError &e) {
        qWarning("unlock not logged: %s", e.what());
    }
    if (m_administrator)
        refreshSecurity();
}

void Login::closeMissingDays()
{
    if (BusyGuard::isBusy(this))
        return;
    BusyGuard guard(this);
    try {
        if (const int added = login::CloseOpenCashDays(m_store.users()); added > 0) {
            gate().log(QStringLiteral("rootdesk"), auditlog::action::CloseOpenDays + QStringLiteral(" (%1)").arg(added));
            refreshSecurity();
        }
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
    }
}

void Login::deleteAllData()
{
    QAbstractButton *button = m_command[7];
    button->setEnabled(false);
    try {
        if (login::DeleteAllData(m_store)) {
            gate().log(QStringLiteral("rootdesk"), auditlog::action::DeleteAll);
            refreshSecurity();
        }
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
    }
    button->setEnabled(true);
}

void Login::showChangeLog()
{
    ChangeLogDialog dialog(m_store, this);
    dialog.exec();
}

void Login::setAdministratorCode()
{
    const QString title = QStringLiteral("Κωδικός διαχειριστή");
    const QString refusal = admincode::refusal(m_text[4]->text(), m_text[5]->text());
    if (!refusal.isEmpty()) {
        msg::information(title, refusal);
        return;
    }
    try {
        admincode::set(m_store.users(), m_text[4]->text());
        gate().log(QStringLiteral("rootdesk"), auditlog::action::AdministratorCodeSet);
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
        return;
    }
    emptySecretBox(m_text[4]);
    emptySecretBox(m_text[5]);
    msg::information(title, QStringLiteral("Ο κωδικός διαχειριστή ορίστηκε."));
    refreshSecurity();
}

// The warning while the installation has no code of its own, and the log.
void Login::refreshSecurity()
{
    m_auditList->clear();
    try {
        m_codeWarning->setVisible(admincode::acceptsFixedCode(m_store.users()));
        for (const auditlog::Entry &e : auditlog::recent(m_store.users(), 500)) {
            auto *row = new QTreeWidgetItem(m_auditList);
            row->setText(0, e.when.toString(QStringLiteral("dd-MM-yyyy HH:mm:ss")));
            row->setText(1, e.user);
            row->setText(2, e.workstation);
            row->setText(3, e.what);
        }
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
    }
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
        storefailure::reportNotDone(e);
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
            m_text[3]->clear(); // a password is never shown; typing one replaces it
            m_check[0]->setChecked(row.changeRecords);
            m_check[1]->setChecked(row.closeCash);
            m_check[2]->setChecked(row.groupsCodes);
            return;
        }
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
    }
}

void Login::enableChangeDelete(bool enabled)
{
    m_command[3]->setEnabled(enabled);
    m_command[4]->setEnabled(enabled);
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
