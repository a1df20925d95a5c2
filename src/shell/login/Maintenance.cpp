#include "Maintenance.h"

#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "data/MovementWords.h"
#include "data/ServerBook.h"
#include "data/ServerMarker.h"
#include "data/Store.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"
#include "platform/desktop/Messages.h"

#include <QDate>
#include <QSet>

namespace login {

bool unlockMarker(const QString &dataPath)
{
    const InUseMarker marker(datafolder::marker(dataPath));
    const InUseMarker::Record held = marker.read();
    if (!marker.release(held.user, held.computer)) {
        // A marker that is a link is refused, never written through: say so.
        const InUseMarker::Record now = marker.read();
        const QString why = now.state == InUseMarker::Record::State::NotAFile
            ? QStringLiteral("\n") + InUseMarker::problemText(now)
            : QString();
        msg::critical(QStringLiteral("Ξεκλείδωμα βάσης"),
                      QStringLiteral("Η βάση δεν ξεκλείδωσε: το αρχείο κλειδώματος δεν γράφτηκε.\n") + marker.path()
                          + why);
        return false;
    }
    msg::exclamation(QStringLiteral("Ξεκλείδωμα βάσης"), QStringLiteral("Η βάση ξεκλείδωσε "));
    return true;
}

bool unlockMarker(Store &store)
{
    if (!serverbook::isConnection(store.dataPath()))
        return unlockMarker(store.dataPath());
    if (!ServerMarker(store.main()).unlockForAdministrator()) {
        msg::critical(QStringLiteral("Ξεκλείδωμα βάσης"),
                      QStringLiteral("Η βάση δεν ξεκλείδωσε: ο διακομιστής δεν επέτρεψε να κλείσει η σύνδεση "
                                     "του σταθμού που την κρατά."));
        return false;
    }
    msg::exclamation(QStringLiteral("Ξεκλείδωμα βάσης"), QStringLiteral("Η βάση ξεκλείδωσε "));
    return true;
}

int CloseOpenCashDays(db::Database &users)
{
    if (!msg::confirmYesNo(QStringLiteral("Κλείσιμο ταμείων"),
                           QStringLiteral("Να κλείσουν όλα τα ανοικτά ταμεία μέχρι σήμερα;")))
        return 0;

    db::Transaction t(users);
    QSet<QDate> closed;
    QDate earliest, latest;
    db::Statement st =
        users.prepare(QStringLiteral("SELECT Hmeraklhsimatos FROM KlhsimoTameioy ORDER BY Hmeraklhsimatos"));
    while (st.next()) {
        const QDate day = st.date(0);
        if (!day.isValid())
            continue;
        closed.insert(day);
        if (!earliest.isValid())
            earliest = day;
        latest = day;
    }

    int added = 0;
    for (QDate d = earliest; d.isValid() && d < latest; d = d.addDays(1)) {
        if (closed.contains(d))
            continue;
        users.execute(QStringLiteral("INSERT INTO KlhsimoTameioy (Hmeraklhsimatos) VALUES (?1)"), d);
        ++added;
    }
    t.commit();
    return added;
}

namespace {

// mapcodes.mdb attached to the connection of kelvora.mdb for as long as the
// object lives, so that one transaction covers both files: SQLite commits a
// transaction over attached files through a super-journal, all or nothing.
class AttachedUsers
{
public:
    static constexpr const char *Alias = "mapcodes";

    AttachedUsers(db::Database &main, const Store &store) : m_main(main)
    {
        m_main.attach(datafolder::usersDatabase(store.dataPath()), store.key(), QLatin1String(Alias));
    }
    ~AttachedUsers()
    {
        try {
            m_main.detach(QLatin1String(Alias));
        } catch (const db::DbError &) {
            // The next attach under the same name would fail and say so.
        }
    }
    AttachedUsers(const AttachedUsers &) = delete;
    AttachedUsers &operator=(const AttachedUsers &) = delete;

private:
    db::Database &m_main;
};

} // namespace

bool DeleteAllData(Store &store)
{
    const msg::Box question{QStringLiteral("Προσοχή ΔΙΑΓΡΑΦΗ"),
                            QStringLiteral("Είσαι σίγουρος ΝΑ ΓΙΝΕΙ Η ΔΙΑΓΡΑΦΗ ΤΗΣ ΒΑΣΗΣ ΚΑΙ ΤΩΝ ΣΤΟΙΧΕΊΩΝ;"),
                            msg::Icon::Critical, msg::Buttons::YesNo, msg::Answer::No};
    if (msg::ask(question) != msg::Answer::Yes)
        return false;

    db::Database &main = store.main();
    // A damaged file is kept for reading only; the attached copy must be too.
    if (main.isReadOnly() || store.users().isReadOnly())
        throw db::DbError(db::DbError::Kind::ReadOnly, QStringLiteral("a damaged file is open for reading only"));
    const AttachedUsers attached(main, store);
    db::Transaction t(main);
    for (const char *table : {"kinhseis", "kvdikoi", "omades", "tameio"})
        main.execute(QStringLiteral("DELETE FROM main.") + QLatin1String(table));
    if (movementwords::hasTable(main))
        main.execute(QStringLiteral("DELETE FROM main.kinhseis_lejeis"));
    main.execute(QStringLiteral("DELETE FROM %1.KlhsimoTameioy").arg(QLatin1String(AttachedUsers::Alias)));
    t.commit();
    return true;
}

} // namespace login
