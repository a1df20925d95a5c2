#include "GroupOperations.h"

#include "GroupQueries.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"
#include "platform/desktop/Messages.h"

namespace groups {
namespace {

const QString Attention = QStringLiteral("Προσοχή");

// Another workstation may have deleted the group since it was listed here.
void reportGroupGone()
{
    msg::information(Attention, QStringLiteral("Η ομάδα δεν υπάρχει πια: ίσως τη διέγραψε άλλος σταθμός εργασίας. "
                                               "Δεν άλλαξε τίποτα."));
}

} // namespace

bool insertGroup(db::Database &db, const QString &typed)
{
    const QString name = typed.trimmed();
    if (name.isEmpty()) {
        msg::information(Attention, QStringLiteral("Δεν έχετε δώσει την ονομασία της ομάδας"));
        return false;
    }
    if (findGroupByName(db, name)) {
        msg::information(Attention, QStringLiteral("Η περιγραφή υπάρχει ήδη καταχωρημένη"));
        return false;
    }
    {
        // Checked once more under the write lock: another workstation may
        // have added the name since.
        db::Transaction t(db);
        if (!findGroupByName(db, name)) {
            db.execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES (?1)"), name);
            t.commit();
            return true;
        }
    }
    msg::information(Attention, QStringLiteral("Η περιγραφή υπάρχει ήδη καταχωρημένη"));
    return false;
}

bool renameGroup(db::Database &db, qint64 aa, const QString &typed)
{
    const QString name = typed.trimmed();
    if (name.isEmpty()) {
        msg::information(Attention, QStringLiteral("Δεν έχετε δώσει την περιγραφή της ομάδας"));
        return false;
    }
    if (!msg::confirmOkCancel(QStringLiteral("Μεταβολή στοιχείων"), QStringLiteral("Να γίνει η μεταβολή των στοιχείων;")))
        return false;

    // The group row and the copies of its name in the codes change together:
    // a failure half-way leaves both with the old name.
    db::Transaction t(db);
    if (db.execute(QStringLiteral("UPDATE omades SET perigrafh = ?1 WHERE aa = ?2"), name, aa) == 0) {
        reportGroupGone();
        return false;
    }
    db.execute(QStringLiteral("UPDATE kvdikoi SET omada = ?1 WHERE aa_omadas = ?2"), name, aa);
    t.commit();
    return true;
}

bool deleteGroup(db::Database &db, qint64 aa)
{
    const msg::Box confirm{QStringLiteral("Διαγραφή ομάδας"), QStringLiteral("Να γίνει η διαγραφή της ομάδας;"),
                           msg::Icon::Critical, msg::Buttons::OkCancel, msg::Answer::Ok};
    if (msg::ask(confirm) != msg::Answer::Ok)
        return false;

    // Deleting the row and releasing its codes is one step, so no code is ever
    // left pointing at a group that no longer exists.
    db::Transaction t(db);
    if (db.execute(QStringLiteral("DELETE FROM omades WHERE aa = ?1"), aa) == 0) {
        reportGroupGone();
        return false;
    }
    db.execute(QStringLiteral("UPDATE kvdikoi SET aa_omadas = 0, omada = ' ' WHERE aa_omadas = ?1"), aa);
    t.commit();
    return true;
}

} // namespace groups
