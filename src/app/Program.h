#pragma once

#include "data/Store.h"
#include "shell/contracts/Pages.h"

#include <QObject>
#include <memory>

class Login;
class kentrikh;

// The program's way from launch to the main window: data folder, login window,
// then the main window with its pages. Ends the application when the login
// window is closed, when the main window stops, or when its start fails.
class Program : public QObject
{
    Q_OBJECT
public:
    explicit Program(QString programDir);
    ~Program() override;

    // Finds the data folder and shows the login window; false when the program
    // must end (the user has been told why). At a first start (nothing names a
    // data folder yet) the user may create a new data folder first, unless
    // that offer is switched off.
    bool start();
    void setOfferNewDataFolder(bool offer) { m_offerNewDataFolder = offer; }

    Login *login() const { return m_login.get(); }
    kentrikh *mainWindow() const { return m_main.get(); }

Q_SIGNALS:
    void mainWindowShown();

private:
    void openMainWindow();

    QString m_programDir;
    bool m_offerNewDataFolder = true;
    std::unique_ptr<Store> m_store;
    PageFactories m_pages;
    std::unique_ptr<Login> m_login;
    std::unique_ptr<kentrikh> m_main;
};
