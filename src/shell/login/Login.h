#pragma once

#include "LoginGate.h"
#include "LoginSearch.h"
#include "data/AuditLog.h"

#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTimer;
class QTreeWidget;
class QAbstractButton;
class Store;

// The login window: name and password checked against the users of
// mapcodes.mdb. A hidden administrator entry enlarges it to show the user
// administration, the maintenance functions, the installation's administrator
// code and the audit log. After five wrong tries in a row each further try
// waits (LoginThrottle); the wait is shown under the password.
//
// On success the globals (user, rights, workstation names) are set, then
// loginSucceeded() is emitted — the receiver builds and shows the main window
// at once — and the window closes itself. Closing the window or its end button
// before anyone logged in emits endRequested(): the program should end.
class Login : public QWidget
{
    Q_OBJECT
public:
    static constexpr int NormalHeightTwips = 2325;
    static constexpr int AdministratorHeightTwips = 6000;
    // The administrator mode also holds the security frame below the users.
    static constexpr int SecurityHeightTwips = 3900;
    static constexpr int WidthTwips = 6750;

    explicit Login(Store &store, QWidget *parent = nullptr);
    ~Login() override;

    // The clock of the log-in delay; tests set their own before the first try.
    void setThrottleClock(LoginThrottle::Clock clock) { m_clock = std::move(clock); }

    bool isAdministratorMode() const { return m_administrator; }
    bool hasLoggedIn() const { return m_loggedIn; }

    // The button handler, by element (as the buttons call it).
    void Command1_Click(int index);

Q_SIGNALS:
    void loginSucceeded();
    void endRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildSecurityFrame();
    void setAdministratorMode(bool on);

    void logIn();
    void addUser();
    void changeUser();
    void deleteUser();
    void unlock();
    void closeMissingDays();
    void deleteAllData();
    void showChangeLog();
    void setAdministratorCode();

    LoginGate &gate();
    void showWait();
    void refreshSecurity();

    void refillUsers();
    void showUser(QListWidgetItem *item);
    void enableChangeDelete(bool enabled);
    login::UserRow editedValues() const;
    auditlog::Author administrator() const;
    void emptySecretBox(QLineEdit *box);
    void requestEnd();

    Store &m_store;
    bool m_administrator = false;
    bool m_loggedIn = false;
    bool m_endRequested = false;
    qint64 m_currentRowId = 0;

    LoginThrottle::Clock m_clock;
    std::unique_ptr<LoginGate> m_gate;

    std::array<QLineEdit *, 6> m_text{};
    std::array<QCheckBox *, 3> m_check{};
    std::array<QAbstractButton *, 9> m_command{};
    QGroupBox *m_upperFrame = nullptr;
    QGroupBox *m_usersFrame = nullptr;
    QGroupBox *m_securityFrame = nullptr;
    QListWidget *m_userList = nullptr;
    QLabel *m_waitLabel = nullptr;
    QTimer *m_waitTimer = nullptr;
    QLabel *m_codeWarning = nullptr;
    QTreeWidget *m_auditList = nullptr;
};
