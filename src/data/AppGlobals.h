#pragma once

#include <QString>

// The program-wide values: each is set in one place (start-up, login) and
// read everywhere else.
struct AppGlobals
{
    QString DataPath;                        // data folder, no trailing separator
    QString DbPassword = QStringLiteral("VentoKeeper");
    qint64 ThemeColour = 0x8000000F;         // background of controls that are not input fields
    QString HeaderCaption = QStringLiteral("Κεντρικό");

    QString CurrentUserName;
    QString CurrentUserPassword;
    bool RightChangeRecords = false;         // may change records of closed days
    bool RightCloseCash = false;             // may close the cash
    bool RightGroupsCodes = false;           // may change groups and codes

    QString NetUserName;                     // written into the in-use marker
    QString MachineName;
};

AppGlobals &globals();
