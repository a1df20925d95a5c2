#pragma once

#include "data/PathFile.h"

#include <QString>

// From launch to the login window: finds the data folder through DIADROMH.DAT
// (beside the program, else in the user's configuration folder) and checks
// that the main database is there. Sets DataPath, ThemeColour and
// HeaderCaption in the globals.
namespace startup {

enum class Outcome {
    ShowLogin,        // go on to the login window
    NoDatabase,       // the user was told the files are missing; a new data folder may be offered
    End,              // the user was told why; the program ends
};

Outcome findDataFolder(const pathfile::Places &places);
Outcome findDataFolder(const QString &programDir);

} // namespace startup
