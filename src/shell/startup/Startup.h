#pragma once

#include "data/PathFile.h"

#include <QString>

// From launch to the login window: finds the data folder through DIADROMH.DAT
// (beside the program, else in the user's configuration folder) and checks
// that the main database is there. Sets DataPath, ThemeColour and
// HeaderCaption in the globals.
//
// Only a first start (no DIADROMH.DAT anywhere, and no book beside a program
// in a folder of its own) may lead to a new book. When the file names a folder
// that cannot be reached or holds no book, the user is told so and may try
// again: that folder is often a network share not mounted yet, and a new
// empty book there would split the business's book in two.
namespace startup {

enum class Outcome {
    ShowLogin,        // go on to the login window
    FirstStart,       // nothing names a data folder yet: a new one may be made (nothing was shown)
    End,              // the user was told why; the program ends
};

Outcome findDataFolder(const pathfile::Places &places);

// The words for a folder named by DIADROMH.DAT that holds no kelvora.mdb:
// whether the folder itself cannot be reached or it is there without a book.
QString folderWithoutBook(const QString &folder, const QString &pathFile);

} // namespace startup
