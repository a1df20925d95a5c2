#include "MainWindowRules.h"

#include "data/Store.h"
#include "data/StoreFailure.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/regional/GreekFormats.h"

#include <QDebug>
#include <QList>

namespace mainwindow {

TabInfo tabInfo(int tab)
{
    switch (tab) {
    case CashTab:
        return {QStringLiteral("Ημερήσια κίνηση "), QStringLiteral("Εισαγωγή εσόδων και εξόδων")};
    case CodesTab:
        return {QStringLiteral("Κωδικοί κινήσεων "), QStringLiteral("Εισαγωγή και μεταβολή κωδικών - ομάδων")};
    case ReportsTab:
        return {QStringLiteral("Εκτυπώσεις "), QStringLiteral("Εκτύπωση ταμείου και καρτελών")};
    case ExitTab:
        return {QStringLiteral("Εξοδος "), QStringLiteral("Εξοδος από το πρόγραμμα")};
    default:
        return {};
    }
}

const QList<ButtonInfo> &buttonTable()
{
    static const QList<ButtonInfo> table = {
        {0, CashTab, QStringLiteral("Εισαγωγή"), QStringLiteral("Εισαγωγή των στοιχείων της αγοράς"), true, Qt::Key_F5},
        {1, ReportsTab, QStringLiteral("Εκτύπωση"), QString(), false, Qt::Key_F5},
        {2, CashTab, QStringLiteral("Μεταβολή"), QStringLiteral("Μεταβολή των στοιχείων της αγοράς"), true, Qt::Key_F6},
        {3, CashTab, QStringLiteral("Διαγραφή"), QStringLiteral("Διαγραφή της αγοράς"), true, Qt::Key_F7},
        {4, CashTab, QStringLiteral("Εξοδος"), QStringLiteral("Τερματισμός του προγράμματος"), false, Qt::Key_F10},
        {5, CodesTab, QStringLiteral("Εισαγωγή"), QStringLiteral("Εισαγωγή κωδικού στη λίστα"), false, Qt::Key_F5},
        {6, CodesTab, QStringLiteral("Μεταβολή"), QStringLiteral("Μεταβολή των στοιχείων του κωδικού"), true, Qt::Key_F6},
        {7, CodesTab, QStringLiteral("Διαγραφή"), QStringLiteral("Διαγραφή του κωδικού"), true, Qt::Key_F7},
        {8, CashTab, QStringLiteral("Κλείσιμο ταμείου"), QStringLiteral("Οριστικό κλήσιμο ταμείου"), true, Qt::Key_F8},
        {9, CodesTab, QStringLiteral("Εξοδος"), QStringLiteral("Τερματισμός του προγράμματος"), false, Qt::Key_F10},
        {10, CodesTab, QStringLiteral("Επεξεργασία "), QStringLiteral("Επεξεργασία ομάδων κωδικών"), true, Qt::Key_F9},
    };
    return table;
}

bool needsMarkerTest(int element)
{
    for (const ButtonInfo &b : buttonTable())
        if (b.element == element)
            return b.markerTest;
    return false;
}

DateRange reportDateRange(const QDate &today)
{
    return {QStringLiteral("01-") + today.toString(QStringLiteral("MM-yyyy")), regional::formatDate(today)};
}

bool askEndProgram()
{
    return msg::confirmOkCancel(QStringLiteral("Εξοδος από το πρόγραμμα"),
                                QStringLiteral("Να τερματιστεί το πρόγραμμα;"));
}

void reportNewDamage(Store &store)
{
    for (const Store::Damage &damage : store.takeNewDamage()) {
        qWarning().noquote() << "damaged:" << damage.file << damage.problem;
        storefailure::reportDamaged(damage);
    }
}

bool openDatabases(Store &store)
{
    try {
        if (!storefailure::retryWhileLocked([&store] {
                store.main();
                store.users();
            }))
            return false;
    } catch (const db::DbError &e) {
        qWarning().noquote() << "databases not usable:" << e.message();
        storefailure::reportCannotOpen(e);
        return false;
    }
    reportNewDamage(store);
    return true;
}

void upgradeSchemaIgnoringErrors(Store &store, const schemaupgrade::AskOpeningBalance &ask)
{
    try {
        schemaupgrade::UpgradeSchema(store.main(), ask);
    } catch (const db::DbError &e) {
        qWarning().noquote() << "schema upgrade skipped:" << e.message();
    }
}

bool checkDatabases(Store &store)
{
    try {
        store.checkTables();
        reportNewDamage(store);
        return true;
    } catch (const db::DbError &e) {
        qWarning().noquote() << "databases not usable:" << e.message();
        storefailure::reportCannotOpen(e);
        return false;
    }
}

} // namespace mainwindow
