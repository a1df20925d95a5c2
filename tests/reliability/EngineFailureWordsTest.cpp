// Every way the store can fail under a booking, as the clerk reads it: Greek
// words with the cause, never the engine's own English; a data folder that
// goes away is said to be gone, and changes work again once it is back.
#include "FaultVfs.h"

#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "data/AppGlobals.h"
#include "data/StoreFailure.h"
#include "platform/regional/Clock.h"
#include "support/MovementEntries.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The engine's result codes (primary, and the extended one for a moved file).
constexpr int CodeError = 1, CodeBusy = 5, CodeReadOnly = 8, CodeFull = 13,
              CodeMoved = 8 | (4 << 8);

const QString NotDone = QStringLiteral("Η εργασία δεν ολοκληρώθηκε και δεν άλλαξε τίποτα στη βάση δεδομένων.\n");

// Latin letters left once the file's own name is taken out: the engine's English.
bool hasEnglish(QString text)
{
    text.remove(QStringLiteral("kelvora.mdb"));
    text.remove(QStringLiteral("mapcodes.mdb"));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    return text.contains(latin);
}

class EngineFailureWords : public ::testing::Test
{
protected:
    // Only files opened after the shim is installed pass through it.
    static void SetUpTestSuite() { faultvfs::install(); }

    EngineFailureWords()
    {
        Clock::setToday(QDate(2026, 3, 16));
        folder = std::make_unique<TestDataFolder>();
        folder->addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
    }
    ~EngineFailureWords() override
    {
        faultvfs::disarm();
        Clock::setToday(QDate());
    }

    // One booking through the cash book's own operation; the box it shows.
    QString book()
    {
        boxes.clear();
        cashbook::CashBook cash(folder->store());
        cashbook::CashOperations ops(cash);
        const auto aa = ops.InsertMovement(
            movementEntry(QDate(2026, 3, 2), 10, QStringLiteral("1,00"), {}, QStringLiteral("ΚΙΝΗΣΗ")));
        if (aa)
            return QString();
        return boxes.count() > 0 ? boxes.last().text : QStringLiteral("(no box)");
    }

    qint64 movements() { return folder->main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis")).toLongLong(); }

    ScriptedMessages boxes;
    std::unique_ptr<TestDataFolder> folder;
};

} // namespace

TEST_F(EngineFailureWords, AFullDiskAndALockAreToldInGreekWithTheirCause)
{
    faultvfs::arm(faultvfs::Kind::DiskFull, 1);
    const QString full = book();
    faultvfs::disarm();
    EXPECT_EQ(full, NotDone + QStringLiteral("kelvora.mdb: Ο δίσκος είναι γεμάτος."));
    EXPECT_EQ(movements(), 0);

    folder->main().setBusyTimeout(200);
    auto other = db::Database::open(folder->main().path(), globals().DbPassword);
    other->executeScript(QStringLiteral("BEGIN IMMEDIATE;")); // another workstation writing
    const QString locked = book();
    other->executeScript(QStringLiteral("COMMIT;"));
    EXPECT_EQ(locked, NotDone + QStringLiteral("kelvora.mdb: Το αρχείο το χρησιμοποιεί άλλος σταθμός εργασίας."));
    for (const QString &text : {full, locked})
        EXPECT_FALSE(hasEnglish(text)) << text.toStdString();

    EXPECT_EQ(book(), QString()); // and then it works
    EXPECT_EQ(movements(), 1);
}

TEST_F(EngineFailureWords, AFolderThatGoesAwayIsSaidToBeGoneUntilItIsBack)
{
    const QString path = folder->path();
    const QString away = path + QStringLiteral("-away");
    folder->main(); // open, as the running program has it
    ASSERT_TRUE(QDir().rename(path, away));

    const QString gone = book();
    const bool folderAllowed = storefailure::checkDataFolder(path);
    const QString refusal = boxes.count() > 0 ? boxes.last().text : QString();
    ASSERT_TRUE(QDir().rename(away, path));

    EXPECT_EQ(gone, NotDone + QStringLiteral("kelvora.mdb: Ο φάκελος των δεδομένων δεν βρίσκεται πια εκεί "
                                             "(αποσυνδέθηκε ή μετακινήθηκε)."));
    EXPECT_FALSE(folderAllowed);
    EXPECT_EQ(refusal, QStringLiteral("Ο φάκελος των δεδομένων ") + path
                           + QStringLiteral(" δεν βρίσκεται πια εκεί (αποσυνδέθηκε ή μετακινήθηκε).\n"
                                            "Καμία αλλαγή δεν γίνεται μέχρι να ξαναβρεθεί."));
    EXPECT_FALSE(hasEnglish(gone));

    boxes.clear();
    EXPECT_TRUE(storefailure::checkDataFolder(path));
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(book(), QString());
    EXPECT_EQ(movements(), 1);
}

// The engine's other refusals, by the result code it gives: each has its Greek words.
TEST(EngineFailureCauses, EveryResultCodeHasGreekWords)
{
    TestDataFolder folder;
    const QString file = folder.main().path();
    struct Case
    {
        int code;
        const char *english;
        QString line;
    };
    const Case cases[] = {
        {CodeReadOnly, "attempt to write a readonly database",
         QStringLiteral("kelvora.mdb: Δεν επιτρέπεται η εγγραφή στο αρχείο ή στον φάκελό του (μόνο ανάγνωση).")},
        {CodeFull, "database or disk is full", QStringLiteral("kelvora.mdb: Ο δίσκος είναι γεμάτος.")},
        {CodeBusy, "database is locked",
         QStringLiteral("kelvora.mdb: Το αρχείο το χρησιμοποιεί άλλος σταθμός εργασίας.")},
        {CodeError, "SQL logic error or missing database", QStringLiteral("kelvora.mdb: Σφάλμα της βάσης δεδομένων.")},
        {CodeMoved, "attempt to write a readonly database",
         QStringLiteral("kelvora.mdb: Το αρχείο δεν υπάρχει.")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.english);
        const db::DbError e = folder.main().errorFor(c.code, QString::fromLatin1(c.english));
        EXPECT_EQ(storefailure::causeLine(e), c.line);
    }
    // A file kept for reading only because it is damaged says so, not that rights are missing.
    folder.main().setReadOnly(true);
    EXPECT_EQ(storefailure::classify(folder.main().errorFor(CodeReadOnly, QString())),
              storefailure::Cause::ReadOnly);
    folder.main().setReadOnly(false);
}
