#include "Startup.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/PathFile.h"
#include "data/ServerBook.h"
#include "platform/desktop/Messages.h"

#include <QDir>
#include <QFileInfo>

namespace startup {
namespace {

const QString NotFound = QStringLiteral("Η διαδρομή για τη βάση δεν βρέθηκε, και ορίζετε ως τρέχουσα η "
                                        "διαδρομή του προγράμματος");

void setGlobals(const pathfile::Contents &file)
{
    AppGlobals &g = globals();
    g.DataPath = serverbook::isConnection(file.dataPath) ? file.dataPath.trimmed() : datafolder::normalise(file.dataPath);
    g.ThemeColour = file.colour.value_or(0x8000000F);
    g.HeaderCaption = file.caption.value_or(QStringLiteral("Κεντρικό"));
}

bool holdsBook(const QString &folder)
{
    return QFileInfo::exists(datafolder::mainDatabase(folder));
}

// The program folder becomes the data folder, and DIADROMH.DAT says so from
// now on. Written under the name it is read by: on a case-sensitive file
// system another spelling would never be found. A program in a system folder
// never writes beside itself; the file then goes to the configuration folder.
bool takeProgramFolder(const pathfile::Places &places)
{
    AppGlobals &g = globals();
    g.DataPath = datafolder::normalise(places.programDir);
    const pathfile::WriteResult written = pathfile::writeFolder(places, g.DataPath);
    if (written.ok) {
        msg::information(QStringLiteral("Προσοχή"),
                         NotFound + QStringLiteral("\r H διαδρομή φυλάσετε μέσα στο αρχείο diadromh.dat"));
        return true;
    }
    msg::critical(QStringLiteral("Προσοχή"), NotFound + QStringLiteral("\rΤο αρχείο DIADROMH.DAT δεν μπόρεσε να γραφτεί (")
                                                 + written.path + QStringLiteral("): ") + written.error);
    return false;
}

// The folder is named but holds no book: say which, and let the user try again
// (after mounting the share, or correcting DIADROMH.DAT). Enter alone ends
// the program, as the old box did.
bool askTryAgain(const QString &pathFile)
{
    return msg::ask({QStringLiteral("Προσοχή στη διαδρομή"),
                     QStringLiteral("Τα αρχεία του προγράμματος δεν βρέθηκαν. Ορίστε τη διαδρομή ξανά.\n")
                         + folderWithoutBook(globals().DataPath, pathFile)
                         + QStringLiteral("\nΝα γίνει νέα προσπάθεια;"),
                     msg::Icon::Critical, msg::Buttons::YesNo, msg::Answer::No})
        == msg::Answer::Yes;
}

} // namespace

QString folderWithoutBook(const QString &folder, const QString &pathFile)
{
    const QFileInfo info(folder);
    const QString named = QStringLiteral("Ο φάκελος ") + folder + QStringLiteral(", που ορίζει το αρχείο ") + pathFile;
    if (!info.exists() || !info.isDir() || !QDir(folder).isReadable())
        return named + QStringLiteral(", δεν είναι προσβάσιμος. Αν είναι φάκελος του δικτύου, συνδέστε τον.");
    return named + QStringLiteral(", δεν περιέχει βάση (kelvora.mdb). Αν η βάση είναι σε άλλο φάκελο, διορθώστε το "
                                  "αρχείο.");
}

Outcome findDataFolder(const pathfile::Places &places)
{
    for (;;) {
        const pathfile::Contents file = pathfile::read(places);
        setGlobals(file);
        if (file.source.isEmpty()) {
            // No DIADROMH.DAT at all. A book beside a program in a folder of
            // its own is what the old program found: take it, in one start.
            if (!pathfile::isSystemFolder(places.programDir) && holdsBook(places.programDir))
                return takeProgramFolder(places) ? Outcome::ShowLogin : Outcome::End;
            return Outcome::FirstStart;
        }
        if (file.unreadable) {
            msg::critical(QStringLiteral("Προσοχή στη διαδρομή"),
                          QStringLiteral("Το αρχείο ") + file.source
                              + QStringLiteral(" υπάρχει αλλά δεν διαβάζεται. Ελέγξτε τα δικαιώματά του."));
            return Outcome::End;
        }
        if (pathfile::dataPathMissing(file)) {
            // An installed program's folder is never a data folder.
            if (pathfile::isSystemFolder(places.programDir)) {
                msg::critical(QStringLiteral("Προσοχή στη διαδρομή"),
                              QStringLiteral("Το αρχείο ") + file.source
                                  + QStringLiteral(" δεν ορίζει φάκελο δεδομένων. Διορθώστε το, ή διαγράψτε το για "
                                                   "να δημιουργηθεί νέος φάκελος δεδομένων."));
                return Outcome::End;
            }
            if (!takeProgramFolder(places))
                return Outcome::End;
        }
        const QString pathFile = file.source;
        if (serverbook::isConnection(globals().DataPath)) {
            if (serverbook::holdsPassword(globals().DataPath)) {
                msg::critical(QStringLiteral("Προσοχή στη διαδρομή"),
                              QStringLiteral("Το αρχείο ") + pathFile
                                  + QStringLiteral(" περιέχει κωδικό πρόσβασης για τον διακομιστή. Διαγράψτε τον: ο "
                                                   "κωδικός δίνεται από το αρχείο .pgpass ή το αρχείο υπηρεσιών."));
                return Outcome::End;
            }
            const serverbook::Reach reach = serverbook::probe(globals().DataPath);
            if (reach == serverbook::Reach::Book)
                return Outcome::ShowLogin;
            if (msg::ask({QStringLiteral("Προσοχή στη διαδρομή"),
                           serverbook::reachText(reach, globals().DataPath)
                               + QStringLiteral("\nΝα γίνει νέα προσπάθεια;"),
                           msg::Icon::Critical, msg::Buttons::YesNo, msg::Answer::No})
                != msg::Answer::Yes)
                return Outcome::End;
            continue;
        }
        if (holdsBook(globals().DataPath))
            return Outcome::ShowLogin;
        if (!askTryAgain(pathFile))
            return Outcome::End;
    }
}

} // namespace startup
