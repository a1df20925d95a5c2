#include "StoreFailure.h"

#include "platform/desktop/Messages.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace storefailure {

namespace {

// A file whose folder is not there any more: whatever the engine answered
// (moved, cannot open the journal, I/O error), the cause is the folder.
bool folderGone(const QString &file)
{
    return !file.isEmpty() && !QFileInfo(file).absoluteDir().exists();
}

} // namespace

Cause classify(const db::DbError &e)
{
    using Kind = db::DbError::Kind;
    if (e.kind() == Kind::Unreachable)
        return Cause::ServerUnreachable;
    if (e.kind() == Kind::LoginRefused)
        return Cause::LoginRefused;
    if (e.kind() != Kind::MissingFile && folderGone(e.file()))
        return Cause::FolderGone;
    switch (e.kind()) {
    case Kind::NotEncrypted:
    case Kind::WrongKey:
        return Cause::NotOurKey;
    case Kind::Damaged:
        return Cause::Damaged;
    case Kind::Busy:
        return Cause::Locked;
    case Kind::MissingFile:
        return Cause::Missing;
    case Kind::Unreadable:
        return Cause::Unreadable;
    case Kind::ReadOnly:
        return Cause::ReadOnly;
    case Kind::NoWriteAccess:
        return Cause::NoWriteAccess;
    case Kind::DiskFull:
        return Cause::DiskFull;
    case Kind::FileGone:
        return Cause::Missing;
    case Kind::MissingTable:
        return Cause::MissingTable;
    case Kind::Unreachable:
    case Kind::LoginRefused:
    case Kind::Conversion:
    case Kind::Sql:
        break;
    }
    return Cause::Other;
}

QString causeText(Cause cause)
{
    switch (cause) {
    case Cause::NotOurKey:
        return QStringLiteral("Το αρχείο δεν είναι κρυπτογραφημένο με το κλειδί του προγράμματος.");
    case Cause::Damaged:
        return QStringLiteral("Το αρχείο είναι κατεστραμμένο.");
    case Cause::Locked:
        return QStringLiteral("Το αρχείο το χρησιμοποιεί άλλος σταθμός εργασίας.");
    case Cause::Missing:
        return QStringLiteral("Το αρχείο δεν υπάρχει.");
    case Cause::Unreadable:
        return QStringLiteral("Το αρχείο δεν μπορεί να διαβαστεί.");
    case Cause::ReadOnly:
        return QStringLiteral("Το αρχείο είναι ανοιχτό μόνο για ανάγνωση.");
    case Cause::NoWriteAccess:
        return QStringLiteral("Δεν επιτρέπεται η εγγραφή στο αρχείο ή στον φάκελό του (μόνο ανάγνωση).");
    case Cause::DiskFull:
        return QStringLiteral("Ο δίσκος είναι γεμάτος.");
    case Cause::FolderGone:
        return QStringLiteral("Ο φάκελος των δεδομένων δεν βρίσκεται πια εκεί (αποσυνδέθηκε ή μετακινήθηκε).");
    case Cause::MissingTable:
        return QStringLiteral("Στο αρχείο λείπει πίνακας του προγράμματος.");
    case Cause::ServerUnreachable:
        return QStringLiteral("Ο διακομιστής της βάσης δεδομένων δεν απαντά (δίκτυο ή διακομιστής εκτός λειτουργίας).");
    case Cause::LoginRefused:
        return QStringLiteral("Ο διακομιστής της βάσης δεδομένων αρνήθηκε τη σύνδεση (χρήστης, δικαιώματα ή όνομα βάσης).");
    case Cause::Other:
        break;
    }
    return QStringLiteral("Σφάλμα της βάσης δεδομένων.");
}

QString causeLine(const db::DbError &e)
{
    const QString text = causeText(classify(e));
    if (e.file().isEmpty())
        return text;
    return QFileInfo(e.file()).fileName() + QStringLiteral(": ") + text;
}

void reportCannotOpen(const db::DbError &e)
{
    msg::critical(QStringLiteral("Προσοχή στο Path"),
                  QStringLiteral("Δεν βρέθηκε η βάση δεδομένων, ενημερώστε το registry\n") + causeLine(e));
}

void reportReadError(const db::DbError &e)
{
    msg::critical(QStringLiteral("Προσοχή"),
                  QStringLiteral("Τα στοιχεία δεν διαβάστηκαν όλα από τη βάση· όσα φαίνονται δεν είναι πλήρη.\n")
                      + causeLine(e));
}

void reportDamaged(const Store::Damage &damage)
{
    msg::critical(QStringLiteral("Κατεστραμμένο αρχείο"),
                  QStringLiteral("Το αρχείο ") + QFileInfo(damage.file).fileName()
                      + QStringLiteral(" είναι κατεστραμμένο.\nΑνοίχτηκε μόνο για ανάγνωση: καμία αλλαγή δεν θα "
                                       "γραφτεί σε αυτό. Επαναφέρετε το αντίγραφο ασφαλείας."));
}

void reportNotDone(const db::DbError &e)
{
    qWarning().noquote() << "store failure:" << e.message();
    if (e.outcomeUnknown()) {
        // Saying "nothing changed" here could have the work done twice.
        msg::critical(QStringLiteral("Προσοχή"),
                      QStringLiteral("Η σύνδεση με τον διακομιστή χάθηκε τη στιγμή της αποθήκευσης: δεν είναι βέβαιο "
                                     "αν η εργασία καταχωρίστηκε.\nΔείτε την ημέρα, όταν ο διακομιστής απαντήσει ξανά, "
                                     "πριν την επαναλάβετε.\n")
                          + causeLine(e));
        return;
    }
    msg::critical(QStringLiteral("Προσοχή"),
                  QStringLiteral("Η εργασία δεν ολοκληρώθηκε και δεν άλλαξε τίποτα στη βάση δεδομένων.\n")
                      + causeLine(e));
}

void reportNotDone(const std::exception &e)
{
    if (const auto *store = dynamic_cast<const db::DbError *>(&e)) {
        reportNotDone(*store);
        return;
    }
    qWarning() << "operation failed:" << e.what();
    msg::critical(QStringLiteral("Προσοχή"), QStringLiteral("Η εργασία δεν έγινε από σφάλμα του προγράμματος."));
}

bool checkDataFolder(const QString &dataPath)
{
    if (QFileInfo(dataPath).isDir())
        return true;
    msg::critical(QStringLiteral("Προσοχή"),
                  QStringLiteral("Ο φάκελος των δεδομένων ") + dataPath
                      + QStringLiteral(" δεν βρίσκεται πια εκεί (αποσυνδέθηκε ή μετακινήθηκε).\n"
                                       "Καμία αλλαγή δεν γίνεται μέχρι να ξαναβρεθεί."));
    return false;
}

bool retryWhileLocked(const std::function<void()> &work)
{
    for (;;) {
        try {
            work();
            return true;
        } catch (const db::DbError &e) {
            if (classify(e) != Cause::Locked)
                throw;
            const QString file = e.file().isEmpty() ? QString() : QFileInfo(e.file()).fileName() + QStringLiteral(" ");
            if (!msg::confirmOkCancel(QStringLiteral("Η βάση χρησιμοποιείται"),
                                      QStringLiteral("Τη βάση ") + file
                                          + QStringLiteral("τη χρησιμοποιεί άλλος σταθμός εργασίας.\n"
                                                           "Να γίνει νέα προσπάθεια;")))
                return false;
        }
    }
}

} // namespace storefailure
