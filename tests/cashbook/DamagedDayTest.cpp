// A day whose rows sit on a damaged page of the book must never show as a day
// with zero money: the read error reaches the user.
#include "cashbook/widgets/CashSheetPage.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/YearTotals.h"
#include "platform/db/Transaction.h"
#include "platform/regional/Clock.h"
#include "shell/contracts/MainWindowState.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QListWidget>
#include <gtest/gtest.h>
#include <map>

TEST(DamagedBook, AnUnreadableDayIsSaidAndShowsNoBalance)
{
    const QDate day(2026, 3, 16);
    Clock::setToday(day);
    globals().RightChangeRecords = true;
    TestDataFolder folder;
    folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
    {
        // The search's words table, the indexes of the amounts and the cheque flag, the read
        // indexes and the year sums would share the middle of the file with the movements; the
        // damage is aimed at theirs.
        folder.main().executeScript(QStringLiteral("DROP INDEX kinhseis_esoda; DROP INDEX kinhseis_ejoda; "
                                                   "DROP INDEX kinhseis_epitagh; DROP TABLE kinhseis_lejeis; "
                                                   "DROP INDEX kinhseis_hmeromhnia_posa; DROP INDEX kinhseis_omada_posa; "
                                                   "DROP INDEX kinhseis_epitagh_posa;"));
        yeartotals::remove(folder.main());
        // The day's movements fill most of the file, so its middle is theirs.
        db::Transaction t(folder.main());
        for (int i = 0; i < 3000; ++i)
            folder.main().execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda) "
                                                 "VALUES (10, ?1, ?2, 10000)"),
                                  day, QStringLiteral("ΕΙΣΠΡΑΞΗ %1 ").arg(i).repeated(4));
        t.commit();
    }
    TestDataFolder::damageMiddle(datafolder::mainDatabase(folder.path()));

    ScriptedMessages boxes;
    Store store(folder.path(), globals().DbPassword);
    MainWindowState state;
    state.store = &store;
    PageContext context;
    context.state = &state;
    std::map<int, QString> panels;
    context.setStatusPanel = [&panels](int panel, const QString &text) { panels[panel] = text; };
    context.setButtonVisible = [](int, bool) {};
    QWidget host;
    std::unique_ptr<CashSheetPage> page = cashbook::makeCashSheetPage(context, &host);
    page->ShowInitialDay();

    bool told = false;
    for (const msg::Box &b : boxes.shown())
        told = told || b.text.startsWith(QStringLiteral("Τα στοιχεία δεν διαβάστηκαν όλα από τη βάση"));
    EXPECT_TRUE(told) << boxes.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(host.findChild<QListWidget *>(QStringLiteral("List1"))->count(), 0); // no "carried 0" line
    EXPECT_EQ(panels[6], QString());
    page.reset();
    Clock::setToday(QDate());
}
