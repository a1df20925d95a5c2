#include "Startup.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/PathFile.h"
#include "platform/desktop/Messages.h"

#include <QFileInfo>

namespace startup {

Outcome findDataFolder(const QString &programDir)
{
    AppGlobals &g = globals();
    g.DataPath.clear();
    g.ThemeColour = 0x8000000F;
    g.HeaderCaption = QStringLiteral("Κεντρικό");

    const pathfile::Contents file = pathfile::read(programDir);
    g.DataPath = datafolder::normalise(file.dataPath);
    if (file.colour)
        g.ThemeColour = *file.colour;
    if (file.caption)
        g.HeaderCaption = *file.caption;

    if (pathfile::dataPathMissing(file)) {
        msg::information(QStringLiteral("Προσοχή"),
                         QStringLiteral("Η διαδρομή για τη βάση δεν βρέθηκε, και ορίζετε ως τρέχουσα η διαδρομή του "
                                        "προγράμματος\r H διαδρομή φυλάσετε μέσα στο αρχείο diadromh.dat"));
        g.DataPath = datafolder::normalise(programDir);
        // Written under the name it is read by: on a case-sensitive file system
        // another spelling would never be found and the message would return
        // at every start.
        pathfile::writeFolder(programDir, g.DataPath);
        return Outcome::End;
    }
    if (!QFileInfo::exists(datafolder::mainDatabase(g.DataPath))) {
        msg::critical(QStringLiteral("Προσοχή στη διαδρομή"),
                      QStringLiteral("Τα αρχεία του προγράμματος δεν βρέθηκαν. Ορίστε τη διαδρομή ξανά."));
        return Outcome::End;
    }
    return Outcome::ShowLogin;
}

} // namespace startup
