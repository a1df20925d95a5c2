// Every user operation under every storage fault it can meet: for each kind
// (a failed write, sync or lock, a full disk) and each N up to the number of
// such calls the operation makes, the Nth call fails. Each time the user must
// be told the work was not done and the book must be exactly as before, or,
// when the operation says it is done, exactly as a clean run leaves it. Then
// the same program, on the same connections, must do the operation again.
#include "AgreeingMessages.h"
#include "BookInspection.h"
#include "FaultVfs.h"
#include "UserOperations.h"

#include "data/AppGlobals.h"
#include "data/Store.h"
#include "platform/db/DbError.h"
#include "support/TestDataFolder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using faultvfs::Kind;
using reliability::UserOperation;

namespace {

struct Outcome
{
    bool reportedDone = false;
    bool told = false;        // a thrown store error or a failure box
    QString detail;
};

Outcome runOperation(const UserOperation &op, Store &store, AgreeingMessages &messages)
{
    messages.clear();
    Outcome out;
    try {
        out.reportedDone = op.run(store);
        out.told = messages.failureShown();
        out.detail = messages.lastText();
    } catch (const db::DbError &e) {
        out.told = true;
        out.detail = e.message();
    }
    return out;
}

class StorageFaultTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        faultvfs::install();
        sample = new TestDataFolder();
        AgreeingMessages quiet;
        reliability::makeSampleBook(sample->store());
        pristine = new QString(inspect::snapshot(sample->path()));
    }
    static void TearDownTestSuite()
    {
        delete pristine;
        delete sample;
    }

    // A copy of the sample book with the program's connections open.
    struct Copy
    {
        Copy()
        {
            reliability::copyBook(sample->path(), dir.path());
            store = std::make_unique<Store>(dir.path(), globals().DbPassword);
            store->main();
            store->users();
        }
        QTemporaryDir dir;
        std::unique_ptr<Store> store;
    };

    static TestDataFolder *sample;
    static QString *pristine;
    AgreeingMessages messages;
};

TestDataFolder *StorageFaultTest::sample = nullptr;
QString *StorageFaultTest::pristine = nullptr;

TEST_F(StorageFaultTest, EveryFaultPointOfEveryOperationIsReportedAndChangesNothing)
{
    int points = 0, reportedUnchanged = 0, doneDespiteFault = 0;
    QStringList failures;
    for (const UserOperation &op : reliability::userOperations()) {
        // A clean run says what the operation writes and how many calls it makes.
        Copy clean;
        faultvfs::disarm();
        faultvfs::resetCounts();
        const Outcome cleanOutcome = runOperation(op, *clean.store, messages);
        const faultvfs::Counts calls = faultvfs::counts();
        ASSERT_TRUE(cleanOutcome.reportedDone) << op.name << ": " << cleanOutcome.detail.toStdString();
        const QString done = inspect::snapshot(clean.dir.path());
        ASSERT_NE(done, *pristine) << op.name << " wrote nothing";

        for (Kind kind : {Kind::Write, Kind::Sync, Kind::Lock, Kind::DiskFull}) {
            for (int n = 1; n <= calls.of(kind); ++n) {
                const QString where = QStringLiteral("%1, %2 #%3: ").arg(QString::fromUtf8(op.name),
                                                                          QString::fromUtf8(faultvfs::name(kind)))
                                          .arg(n);
                Copy copy;
                faultvfs::arm(kind, n);
                const Outcome faulted = runOperation(op, *copy.store, messages);
                const bool fired = faultvfs::fired();
                faultvfs::disarm();
                if (!fired)
                    continue; // the operation took another path and made fewer calls
                ++points;
                const QString after = inspect::snapshot(copy.dir.path());
                if (faulted.reportedDone) {
                    ++doneDespiteFault;
                    if (after != done)
                        failures << where + QStringLiteral("reported done but the book differs from a clean run");
                } else if (!faulted.told) {
                    failures << where + QStringLiteral("neither done nor reported");
                } else if (after != *pristine) {
                    failures << where + QStringLiteral("reported failure but the book changed");
                } else {
                    ++reportedUnchanged;
                }
                const QStringList faults = inspect::consistencyFaults(copy.dir.path());
                if (!faults.isEmpty())
                    failures << where + faults.join(QStringLiteral("; "));
                if (faulted.reportedDone)
                    continue;
                // The program goes on: the same connections do the work now.
                const Outcome again = runOperation(op, *copy.store, messages);
                if (!again.reportedDone)
                    failures << where + QStringLiteral("the retry failed: ") + again.detail;
                else if (inspect::snapshot(copy.dir.path()) != done)
                    failures << where + QStringLiteral("the retry wrote something else than a clean run");
            }
        }
    }
    std::printf("storage faults: %d fault points, %d reported and left the book unchanged, "
                "%d completed despite the fault, %d failures\n",
                points, reportedUnchanged, doneDespiteFault, int(failures.size()));
    EXPECT_GT(points, 100);
    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
}

} // namespace
