#include "StoreFailure.h"

#include "platform/desktop/Messages.h"

#include <QFileInfo>

namespace storefailure {

Cause classify(const db::DbError &e)
{
    using Kind = db::DbError::Kind;
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
    case Kind::MissingTable:
        return Cause::MissingTable;
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
    case Cause::MissingTable:
        return QStringLiteral("Στο αρχείο λείπει πίνακας του προγράμματος.");
    case Cause::Other:
        break;
    }
    return QStringLiteral("Σφάλμα της βάσης.");
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
