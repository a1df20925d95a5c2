#include "Maintenance.h"

#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "data/Store.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"
#include "platform/desktop/Messages.h"

#include <QDate>
#include <QSet>

namespace login {

void unlockMarker(const QString &dataPath)
{
    const InUseMarker marker(datafolder::marker(dataPath));
    const InUseMarker::Record held = marker.read();
    marker.release(held.user, held.computer);
    msg::exclamation(QStringLiteral("Ξεκλείδωμα βάσης"), QStringLiteral("Η βάση ξεκλείδωσε "));
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

bool DeleteAllData(Store &store)
{
    const msg::Box question{QStringLiteral("Προσοχή ΔΙΑΓΡΑΦΗ"),
                            QStringLiteral("Είσαι σίγουρος ΝΑ ΓΙΝΕΙ Η ΔΙΑΓΡΑΦΗ ΤΗΣ ΒΑΣΗΣ ΚΑΙ ΤΩΝ ΣΤΟΙΧΕΊΩΝ;"),
                            msg::Icon::Critical, msg::Buttons::YesNo, msg::Answer::No};
    if (msg::ask(question) != msg::Answer::Yes)
        return false;

    db::Database &main = store.main();
    db::Database &users = store.users();
    // Both files stay in their transactions until every statement has run, so a
    // failing statement in either leaves both as they were.
    db::Transaction mainTx(main);
    for (const char *table : {"kinhseis", "kvdikoi", "omades", "tameio"})
        main.execute(QStringLiteral("DELETE FROM ") + QLatin1String(table));
    db::Transaction usersTx(users);
    users.execute(QStringLiteral("DELETE FROM KlhsimoTameioy"));
    mainTx.commit();
    usersTx.commit();
    return true;
}

} // namespace login
