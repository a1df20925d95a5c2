#pragma once

#include "data/PathFile.h"

#include <QString>

// First start without any data: a new data folder with both empty databases,
// the installation's own administrator code, its first user holding every
// right, and DIADROMH.DAT naming it.
namespace startup {

struct NewDataFolderRequest
{
    QString folder;
    QString userName;
    QString password;
    QString passwordAgain;
    QString adminCode;
    QString adminCodeAgain;
};

// Checks the request, then creates the folder's databases and writes
// DIADROMH.DAT, and sets DataPath. Every refusal and failure is told to the
// user; false then, and nothing was created.
bool createNewDataFolder(const NewDataFolderRequest &request, const pathfile::Places &places);

} // namespace startup
