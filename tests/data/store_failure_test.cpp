// Why a data file cannot be used, as the user is told, and the waits of a
// second workstation.
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/StoreFailure.h"
#include "data/YearTotals.h"
#include "platform/db/Transaction.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using storefailure::Cause;

namespace {

// Movements enough to spread kelvora.mdb over many pages.
void fillBook(db::Database &main, int rows)
{
    db::Transaction t(main);
    for (int i = 0; i < rows; ++i)
        main.execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda) VALUES (1, ?1, ?2, 100)"),
                     QDate(2026, 1, 1).addDays(i % 300), QStringLiteral("ΚΙΝΗΣΗ %1 ").arg(i).repeated(4));
    t.commit();
}

db::DbError openFailure(Store &store)
{
    try {
        store.main();
        store.users();
    } catch (const db::DbError &e) {
        return e;
    }
    ADD_FAILURE() << "both files opened";
    return db::DbError(db::DbError::Kind::Sql, QString());
}

class ShortBusyTimeout : public ::testing::Test
{
protected:
    ShortBusyTimeout() { db::Database::setDefaultBusyTimeout(300); }
    ~ShortBusyTimeout() override { db::Database::setDefaultBusyTimeout(db::Database::DefaultBusyTimeoutMs); }
    TestDataFolder data;
    ScriptedMessages boxes;
};

} // namespace

// Every cause is told on its own line, naming the file.
TEST_F(ShortBusyTimeout, EachCauseOfAFileThatCannotBeOpenedIsNamed)
{
    struct Case
    {
        const char *what;
        std::function<void(const QString &folder)> spoil;
        QString key;
        Cause cause;
        QString line;
    };
    const QString ourKey = globals().DbPassword;
    std::unique_ptr<db::Database> writer;
    const Case cases[] = {
        {"another key", [](const QString &) {}, QStringLiteral("not ours"), Cause::NotOurKey,
         QStringLiteral("kelvora.mdb: Το αρχείο δεν είναι κρυπτογραφημένο με το κλειδί του προγράμματος.")},
        {"missing", [](const QString &f) { QFile::remove(datafolder::usersDatabase(f)); }, ourKey, Cause::Missing,
         QStringLiteral("mapcodes.mdb: Το αρχείο δεν υπάρχει.")},
        {"unreadable", [](const QString &f) {
             QFile::remove(datafolder::mainDatabase(f));
             QDir().mkdir(datafolder::mainDatabase(f));
         }, ourKey, Cause::Unreadable, QStringLiteral("kelvora.mdb: Το αρχείο δεν μπορεί να διαβαστεί.")},
        {"locked", [&writer, ourKey](const QString &f) {
             writer = db::Database::open(datafolder::mainDatabase(f), ourKey);
             writer->executeScript(QStringLiteral("BEGIN EXCLUSIVE;"));
         }, ourKey, Cause::Locked, QStringLiteral("kelvora.mdb: Το αρχείο το χρησιμοποιεί άλλος σταθμός εργασίας.")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestDataFolder folder;
        c.spoil(folder.path());
        Store store(folder.path(), c.key);
        const db::DbError e = openFailure(store);
        EXPECT_EQ(storefailure::classify(e), c.cause);
        EXPECT_EQ(storefailure::causeLine(e), c.line);
        boxes.clear();
        storefailure::reportCannotOpen(e);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή στο Path"));
        EXPECT_EQ(boxes.last().text, QStringLiteral("Δεν βρέθηκε η βάση δεδομένων, ενημερώστε το registry\n") + c.line);
        writer.reset();
    }
}

// Another workstation committing holds the file for a moment: the opening
// waits for it instead of failing with "database is locked" at once.
TEST_F(ShortBusyTimeout, OpeningWaitsForAWriterBeforeItsFirstRead)
{
    db::Database::setDefaultBusyTimeout(5000);
    data.main().executeScript(QStringLiteral("BEGIN EXCLUSIVE;"));
    std::thread writer([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        data.main().executeScript(QStringLiteral("COMMIT;"));
    });
    Store second(data.path(), globals().DbPassword);
    EXPECT_NO_THROW(second.main());
    writer.join();
}

// Locked past the timeout: the user is told another workstation uses the
// file and may try again; never that the data are missing.
TEST_F(ShortBusyTimeout, ALockPastTheTimeoutOffersToTryAgain)
{
    data.main().executeScript(QStringLiteral("BEGIN EXCLUSIVE;"));
    Store second(data.path(), globals().DbPassword);
    boxes.answerNext(msg::Answer::Ok);
    boxes.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(storefailure::retryWhileLocked([&] { second.main(); }));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Η βάση χρησιμοποιείται"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Τη βάση kelvora.mdb τη χρησιμοποιεί άλλος σταθμός εργασίας.\n"
                                                "Να γίνει νέα προσπάθεια;"));
    EXPECT_EQ(boxes.last().buttons, msg::Buttons::OkCancel);

    // The other workstation finishes while the question is shown; trying again opens.
    const msg::Presenter scripted = msg::install([this](const msg::Box &) {
        data.main().executeScript(QStringLiteral("COMMIT;"));
        return msg::Answer::Ok;
    });
    EXPECT_TRUE(storefailure::retryWhileLocked([&] { second.main(); }));
    msg::install(scripted);
}

// A damaged book is opened for reading only and listed; what can be read is
// read, a damaged page says so, and nothing more is written into the file.
TEST(DamagedBook, IsOpenedReadOnlyAndItsReadsSayDamaged)
{
    TestDataFolder data;
    // The search's words table, the indexes of the amounts and the cheque flag, the read indexes and the year sums
    // would share the middle of the file with the movements; the damage is aimed at theirs.
    data.main().executeScript(QStringLiteral("DROP INDEX kinhseis_esoda; DROP INDEX kinhseis_ejoda; "
                                             "DROP INDEX kinhseis_epitagh; DROP INDEX kinhseis_hmeromhnia_posa; DROP INDEX kinhseis_omada_posa; "
                                             "DROP INDEX kinhseis_epitagh_posa; "
                                             "DROP TABLE kinhseis_lejeis;"));
    yeartotals::remove(data.main());
    fillBook(data.main(), 3000);
    const QString path = datafolder::mainDatabase(data.path());
    TestDataFolder::damageMiddle(path);
    const QByteArray before = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    Store store(data.path(), globals().DbPassword);
    db::Database &main = store.main();
    ASSERT_EQ(store.damagedFiles().size(), 1);
    EXPECT_EQ(store.damagedFiles().first().file, path);
    EXPECT_TRUE(main.isReadOnly());
    EXPECT_EQ(store.takeNewDamage().size(), 1);
    EXPECT_TRUE(store.takeNewDamage().isEmpty());
    EXPECT_FALSE(store.users().isReadOnly());

    try {
        main.scalar(QStringLiteral("SELECT sum(esoda) FROM kinhseis"));
        ADD_FAILURE() << "the whole table was read";
    } catch (const db::DbError &e) {
        EXPECT_EQ(storefailure::classify(e), Cause::Damaged);
    }
    try {
        main.execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES ('x')"));
        ADD_FAILURE() << "written into a damaged file";
    } catch (const db::DbError &e) {
        EXPECT_EQ(storefailure::classify(e), Cause::ReadOnly);
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

// A server lost at the moment of its COMMIT may have kept the work: the user
// is told to look before doing it again, never that nothing changed.
TEST(NotDone, ACommitOfUnknownOutcomeIsNotToldAsNothingChanged)
{
    ScriptedMessages boxes;
    storefailure::reportNotDone(db::DbError(db::DbError::Kind::Unreachable, QStringLiteral("server closed")));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("Η εργασία δεν ολοκληρώθηκε και δεν άλλαξε τίποτα")));

    db::DbError atCommit(db::DbError::Kind::Unreachable, QStringLiteral("server closed in: COMMIT"));
    storefailure::reportNotDone(atCommit.setOutcomeUnknown());
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_FALSE(boxes.last().text.contains(QStringLiteral("δεν άλλαξε τίποτα"))) << boxes.last().text.toStdString();
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("δεν είναι βέβαιο αν η εργασία καταχωρίστηκε")));
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("Ο διακομιστής της βάσης δεδομένων δεν απαντά")));
}
