#pragma once

#include <QString>

// From launch to the login window: finds the data folder through DIADROMH.DAT
// beside the program and checks that the main database is there. Sets
// DataPath, ThemeColour and HeaderCaption in the globals.
namespace startup {

enum class Outcome {
    ShowLogin,        // go on to the login window
    End,              // the user was told why; the program ends
};

Outcome findDataFolder(const QString &programDir);

} // namespace startup
