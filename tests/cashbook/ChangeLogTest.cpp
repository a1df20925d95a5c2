#include "CashBookFixture.h"
#include "cashbook/ChangeLog.h"

using namespace cashbook;

namespace {

qint64 logRows(TestDataFolder &folder)
{
    return folder.main().scalar(QStringLiteral("SELECT count(*) FROM allages")).toLongLong();
}

} // namespace

class ChangeLogFixture : public CashBookFixture
{
protected:
    ChangeLogFixture()
    {
        globals().CurrentUserName = QStringLiteral("ΜΑΡΙΑ");
        globals().MachineName = QStringLiteral("TAMEIO-1");
        globals().NetUserName = QStringLiteral("maria");
    }
    QList<changelog::Entry> today() { return changelog::entries(folder.main(), QDate::currentDate(), QDate::currentDate()); }
};

TEST_F(ChangeLogFixture, ChangeAndDeleteEachWriteOneRowWithBeforeAndAfter)
{
    const qint64 aa = insert(day(10), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    EXPECT_EQ(logRows(folder), 0); // an insert is not a change

    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(ops.ChangeMovement(aa, entry(day(10), 10, QStringLiteral("80,00"), QStringLiteral("0"),
                                             QStringLiteral("ΔΙΟΡΘΩΣΗ"))));
    folder.closeDay(day(10));
    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(ops.DeleteMovement(aa));

    const QList<changelog::Entry> rows = today();
    ASSERT_EQ(rows.size(), 2);
    const changelog::Entry &deleted = rows[0], &changed = rows[1]; // newest first
    EXPECT_EQ(changed.kind, changelog::Kind::Change);
    EXPECT_EQ(changed.movement, aa);
    EXPECT_EQ(changed.day, day(10));
    EXPECT_EQ(changed.user, QStringLiteral("ΜΑΡΙΑ"));
    EXPECT_EQ(changed.workstation, QStringLiteral("TAMEIO-1 (maria)"));
    EXPECT_EQ(changed.before, QStringLiteral("10 ΚΙΝΗΣΗ, έσοδα 100,00, έξοδα 0,00, Λ τάξεως 0,00"));
    EXPECT_EQ(changed.after, QStringLiteral("10 ΔΙΟΡΘΩΣΗ, έσοδα 80,00, έξοδα 0,00, Λ τάξεως 0,00"));
    EXPECT_FALSE(changed.dayClosed);
    EXPECT_LE(qAbs(changed.when.secsTo(QDateTime::currentDateTime())), 60);

    EXPECT_EQ(deleted.kind, changelog::Kind::Delete);
    EXPECT_EQ(deleted.before, QStringLiteral("10 ΔΙΟΡΘΩΣΗ, έσοδα 80,00, έξοδα 0,00, Λ τάξεως 0,00"));
    EXPECT_TRUE(deleted.after.isEmpty());
    EXPECT_TRUE(deleted.dayClosed);
}

// Inserts are logged where closed days are touched: into a closed day (by a
// user with the right), and on an open day whose booking moves the balance of
// closed days after it; a change that moves them says so too.
TEST_F(ChangeLogFixture, InsertsTouchingClosedDaysAreLogged)
{
    insert(day(12), 10, QStringLiteral("7,00"), QStringLiteral("0"));
    folder.closeDay(day(12));
    folder.closeDay(day(20));

    const qint64 intoClosed = insert(day(12), 20, QStringLiteral("0"), QStringLiteral("3,00"));
    QList<changelog::Entry> rows = today();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].kind, changelog::Kind::Insert);
    EXPECT_EQ(rows[0].movement, intoClosed);
    EXPECT_EQ(rows[0].day, day(12));
    EXPECT_TRUE(rows[0].before.isEmpty());
    EXPECT_TRUE(rows[0].after.startsWith(QStringLiteral("20 ΚΙΝΗΣΗ, έσοδα 0,00, έξοδα 3,00")));
    EXPECT_TRUE(rows[0].dayClosed);

    const qint64 before = insert(day(10), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    rows = today();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].movement, before);
    EXPECT_FALSE(rows[0].dayClosed);
    EXPECT_TRUE(rows[0].after.endsWith(QStringLiteral("άλλαξε το υπόλοιπο 2 κλεισμένων ημερών, από την 12-03-2026")))
        << rows[0].after.toStdString();

    insert(day(25), 10, QStringLiteral("1,00"), QStringLiteral("0")); // after every closed day: not logged
    insert(day(10), 10, QStringLiteral("0"), QStringLiteral("0"));    // moves no balance: not logged
    EXPECT_EQ(logRows(folder), 2);

    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(ops.ChangeMovement(before, entry(day(10), 10, QStringLiteral("90,00"), QStringLiteral("0"))));
    EXPECT_TRUE(today()[0].after.endsWith(QStringLiteral("; άλλαξε το υπόλοιπο 2 κλεισμένων ημερών, από την 12-03-2026")));
}

TEST_F(ChangeLogFixture, CancelledOrRefusedChangesWriteNoRow)
{
    const qint64 aa = insert(day(10), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    messages.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(ops.ChangeMovement(aa, entry(day(10), 10, QStringLiteral("80,00"), QStringLiteral("0"))));
    messages.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(ops.DeleteMovement(aa));
    EXPECT_FALSE(ops.ChangeMovement(aa, entry(day(10), 10, QStringLiteral("80,00"), QStringLiteral("0"), QString())));
    EXPECT_EQ(logRows(folder), 0);
}

// The row is part of the operation: when any step fails, neither the change
// nor its row stays; when the row cannot be written, the change does not stay.
struct LogFailure
{
    const char *name;
    const char *trigger;
    bool deleting;
};

class ChangeLogAtomic : public ChangeLogFixture, public ::testing::WithParamInterface<LogFailure>
{};

TEST_P(ChangeLogAtomic, FailingStepLeavesNeitherChangeNorRow)
{
    const qint64 aa = insert(day(10), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    insert(day(20), 10, QStringLiteral("5,00"), QStringLiteral("0"));
    folder.main().executeScript(QString::fromUtf8(GetParam().trigger));
    messages.clear();
    messages.answerNext(msg::Answer::Ok);
    const bool done = GetParam().deleting
        ? ops.DeleteMovement(aa)
        : ops.ChangeMovement(aa, entry(day(10), 10, QStringLiteral("80,00"), QStringLiteral("0")));
    EXPECT_FALSE(done);
    EXPECT_FALSE(folder.main().inTransaction());
    ASSERT_TRUE(book.movement(aa).has_value());
    EXPECT_EQ(book.movement(aa)->esoda, euros(10000));
    EXPECT_EQ(balance(day(20)), euros(10500));
    EXPECT_EQ(logRows(folder), 0);
    ASSERT_FALSE(messages.shown().isEmpty());
    EXPECT_TRUE(messages.last().text.startsWith(
        QStringLiteral("Η εργασία δεν ολοκληρώθηκε και δεν άλλαξε τίποτα στη βάση δεδομένων.\n")))
        << qPrintable(messages.last().text);
}

INSTANTIATE_TEST_SUITE_P(
    CashBook, ChangeLogAtomic,
    ::testing::Values(
        LogFailure{"change_log_row_refused",
                   "CREATE TRIGGER r BEFORE INSERT ON allages BEGIN SELECT RAISE(ABORT, 'log refused'); END;", false},
        LogFailure{"delete_log_row_refused",
                   "CREATE TRIGGER r BEFORE INSERT ON allages BEGIN SELECT RAISE(ABORT, 'log refused'); END;", true},
        LogFailure{"change_later_days_refused",
                   "CREATE TRIGGER r BEFORE UPDATE OF ypoloipo ON tameio WHEN NEW.hmeromhnia > '2026-03-10' "
                   "BEGIN SELECT RAISE(ABORT, 'later days refused'); END;",
                   false},
        LogFailure{"delete_later_days_refused",
                   "CREATE TRIGGER r BEFORE UPDATE OF ypoloipo ON tameio WHEN NEW.hmeromhnia > '2026-03-10' "
                   "BEGIN SELECT RAISE(ABORT, 'later days refused'); END;",
                   true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ChangeLogFixture, DateFilterTakesWholeDays)
{
    for (const char *when : {"2026-03-09T23:59:59", "2026-03-10T00:00:00", "2026-03-11T18:30:00", "2026-03-12T00:00:00"})
        folder.main().execute(QStringLiteral("INSERT INTO allages (pote, eidos, kinhsh) VALUES (?1, 'Μεταβολή', 1)"),
                              QString::fromLatin1(when));
    const auto rows = changelog::entries(folder.main(), day(10), day(11));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].when, QDateTime(day(11), QTime(18, 30)));
    EXPECT_EQ(rows[1].when, QDateTime(day(10), QTime(0, 0)));
}

// A file still at version 3 (the opening balance not yet given) has no log:
// changes still work.
TEST_F(ChangeLogFixture, WithoutTheTableChangesStillWork)
{
    folder.main().execute(QStringLiteral("DROP TABLE allages"));
    const qint64 aa = insert(day(10), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(ops.ChangeMovement(aa, entry(day(10), 10, QStringLiteral("80,00"), QStringLiteral("0"))));
    EXPECT_TRUE(changelog::entries(folder.main(), day(1), QDate::currentDate()).isEmpty());
}
