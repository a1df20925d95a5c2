#pragma once

#include "LoginSearch.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QAbstractButton;
class Store;

// The login window: name and password checked against the users of
// mapcodes.mdb. A hidden administrator entry enlarges it to show the user
// administration and the maintenance functions.
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
    static constexpr int WidthTwips = 6750;

    explicit Login(Store &store, QWidget *parent = nullptr);

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
    void setAdministratorMode(bool on);

    void logIn();
    void addUser();
    void changeUser();
    void deleteUser();
    void unlock();
    void closeMissingDays();
    void deleteAllData();
    void showChangeLog();

    void refillUsers();
    void showUser(QListWidgetItem *item);
    void enableChangeDelete(bool enabled);
    login::UserRow editedValues() const;
    void reportFailure(const QString &what);
    void requestEnd();

    Store &m_store;
    bool m_administrator = false;
    bool m_loggedIn = false;
    bool m_endRequested = false;
    qint64 m_currentRowId = 0;

    std::array<QLineEdit *, 4> m_text{};
    std::array<QCheckBox *, 3> m_check{};
    std::array<QAbstractButton *, 8> m_command{};
    QGroupBox *m_upperFrame = nullptr;
    QGroupBox *m_usersFrame = nullptr;
    QListWidget *m_userList = nullptr;
};
