#include "Startup.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/PathFile.h"
#include "platform/desktop/Messages.h"

#include <QFileInfo>

namespace startup {

Outcome findDataFolder(const QString &programDir)
{
    return findDataFolder(pathfile::placesFor(programDir));
}

Outcome findDataFolder(const pathfile::Places &places)
{
    AppGlobals &g = globals();
    g.DataPath.clear();
    g.ThemeColour = 0x8000000F;
    g.HeaderCaption = QStringLiteral("Κεντρικό");

    const pathfile::Contents file = pathfile::read(places);
    g.DataPath = datafolder::normalise(file.dataPath);
    if (file.colour)
        g.ThemeColour = *file.colour;
    if (file.caption)
        g.HeaderCaption = *file.caption;

    if (pathfile::dataPathMissing(file)) {
        const QString notFound = QStringLiteral("Η διαδρομή για τη βάση δεν βρέθηκε, και ορίζετε ως τρέχουσα η "
                                                "διαδρομή του προγράμματος");
        g.DataPath = datafolder::normalise(places.programDir);
        // Written under the name it is read by: on a case-sensitive file system
        // another spelling would never be found and the message would return
        // at every start. When the program folder cannot be written (an
        // installed program) the file goes to the configuration folder.
        const pathfile::WriteResult written = pathfile::writeFolder(places, g.DataPath);
        if (written.ok)
            msg::information(QStringLiteral("Προσοχή"),
                             notFound + QStringLiteral("\r H διαδρομή φυλάσετε μέσα στο αρχείο diadromh.dat"));
        else
            msg::critical(QStringLiteral("Προσοχή"),
                          notFound + QStringLiteral("\rΤο αρχείο DIADROMH.DAT δεν μπόρεσε να γραφτεί (") +
                              written.path + QStringLiteral("): ") + written.error);
        return Outcome::End;
    }
    if (!QFileInfo::exists(datafolder::mainDatabase(g.DataPath))) {
        msg::critical(QStringLiteral("Προσοχή στη διαδρομή"),
                      QStringLiteral("Τα αρχεία του προγράμματος δεν βρέθηκαν. Ορίστε τη διαδρομή ξανά."));
        return Outcome::NoDatabase;
    }
    return Outcome::ShowLogin;
}

} // namespace startup
