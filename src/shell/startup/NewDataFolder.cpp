#include "NewDataFolder.h"

#include "data/AdministratorCode.h"
#include "data/StoreFailure.h"
#include "data/AppGlobals.h"
#include "data/AuditLog.h"
#include "data/FileModes.h"
#include "platform/desktop/WorkstationNames.h"
#include "data/DataFolder.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "tools/NewInstallation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace startup {
namespace {

const QString Title = QStringLiteral("Νέος φάκελος δεδομένων");

bool refuse(const QString &text)
{
    msg::information(Title, text);
    return false;
}

// A new data folder is one that does not exist yet or is empty: anything else
// may be another book, or files someone needs.
bool isNewOrEmpty(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return true;
    return info.isDir() && QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

} // namespace

bool createNewDataFolder(const NewDataFolderRequest &request, const pathfile::Places &places)
{
    const QString folder = datafolder::normalise(request.folder);
    if (folder.isEmpty())
        return refuse(QStringLiteral("Δεν δόθηκε ο φάκελος των δεδομένων."));
    if (!QDir::isAbsolutePath(folder))
        return refuse(QStringLiteral("Δώστε ολόκληρη τη διαδρομή του φακέλου, από το /."));
    if (!isNewOrEmpty(folder))
        return refuse(QStringLiteral("Ο φάκελος ") + folder +
                      QStringLiteral(" υπάρχει ήδη και δεν είναι κενός. Διαλέξτε νέο ή κενό φάκελο."));
    if (request.userName.trimmed().isEmpty())
        return refuse(QStringLiteral("Δεν δόθηκε το όνομα του χρήστη."));
    if (request.password.isEmpty())
        return refuse(QStringLiteral("Δεν δόθηκε ο κωδικός του χρήστη."));
    if (request.password != request.passwordAgain)
        return refuse(QStringLiteral("Οι δύο κωδικοί δεν είναι ίδιοι. Γράψτε τον κωδικό ξανά."));
    if (const QString refusal = admincode::refusal(request.adminCode, request.adminCodeAgain); !refusal.isEmpty())
        return refuse(refusal);

    const bool existed = QFileInfo::exists(folder);
    try {
        newinstall::createDatabases(folder, globals().DbPassword);
        auto users = db::Database::open(datafolder::usersDatabase(folder), globals().DbPassword);
        admincode::set(*users, request.adminCode);
        auditlog::record(*users, workstation::userName(), workstation::machineName(),
                         auditlog::action::AdministratorCodeSet);
        newinstall::addUser(*users, {request.userName.trimmed(), request.password});
    } catch (const db::DbError &e) {
        // Nothing half-made stays behind for the next try.
        for (const QString &f : {datafolder::mainDatabase(folder), datafolder::usersDatabase(folder),
                                 datafolder::marker(folder)})
            if (!filemodes::isSymLink(f))
                QFile::remove(f);
        if (!existed)
            QDir().rmdir(folder);
        msg::critical(Title, QStringLiteral("Τα αρχεία δεν δημιουργήθηκαν στο ") + folder + QStringLiteral(":\n") +
                                 storefailure::causeLine(e));
        return false;
    }
    globals().DataPath = folder;

    const pathfile::WriteResult written = pathfile::writeFolder(places, folder);
    if (!written.ok)
        msg::critical(Title, QStringLiteral("Τα αρχεία δημιουργήθηκαν, αλλά το αρχείο DIADROMH.DAT δεν μπόρεσε να "
                                            "γραφτεί (") +
                                 written.path + QStringLiteral("): ") + written.error +
                                 QStringLiteral("\rΣτην επόμενη εκκίνηση ο φάκελος δεν θα βρεθεί."));
    return true;
}

} // namespace startup
