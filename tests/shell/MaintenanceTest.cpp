#include "shell/login/Maintenance.h"
#include "data/Schema.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "platform/db/DbError.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QList<QDate> closedDays(db::Database &users)
{
    QList<QDate> out;
    db::Statement st = users.prepare(QStringLiteral("SELECT Hmeraklhsimatos FROM KlhsimoTameioy ORDER BY 1"));
    while (st.next())
        out << st.date(0);
    return out;
}

QDate march(int day)
{
    return QDate(2026, 3, day);
}

qint64 rows(db::Database &db, const char *table)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(table)).toLongLong();
}

} // namespace

struct BulkCase
{
    QList<int> closed;   // days of March already closed
    QList<int> expected; // days of March closed afterwards
};

class BulkClosing : public ::testing::TestWithParam<BulkCase>
{
protected:
    TestDataFolder data;
    ScriptedMessages boxes;
};

TEST_P(BulkClosing, FillsTheGapsBetweenEarliestAndLatest)
{
    const BulkCase c = GetParam();
    for (int d : c.closed)
        data.closeDay(march(d));
    boxes.answerNext(msg::Answer::Yes);
    const int added = login::CloseOpenCashDays(data.users());

    QList<QDate> expected;
    for (int d : c.expected)
        expected << march(d);
    EXPECT_EQ(closedDays(data.users()), expected);
    EXPECT_EQ(added, int(c.expected.size() - c.closed.size()));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Κλείσιμο ταμείων"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Να κλείσουν όλα τα ανοικτά ταμεία μέχρι σήμερα;"));
    EXPECT_EQ(boxes.last().buttons, msg::Buttons::YesNo);
}

INSTANTIATE_TEST_SUITE_P(Cases, BulkClosing,
                         ::testing::Values(BulkCase{{1, 2, 5}, {1, 2, 3, 4, 5}}, BulkCase{{5, 1, 2}, {1, 2, 3, 4, 5}},
                                           BulkCase{{9}, {9}}, BulkCase{{}, {}}, BulkCase{{1, 2, 3}, {1, 2, 3}},
                                           BulkCase{{28, 31}, {28, 29, 30, 31}}));

TEST_F(BulkClosing, AnswerNoAddsNothing)
{
    data.closeDay(march(1));
    data.closeDay(march(5));
    boxes.answerNext(msg::Answer::No);
    EXPECT_EQ(login::CloseOpenCashDays(data.users()), 0);
    EXPECT_EQ(closedDays(data.users()).size(), 2);
}

TEST_F(BulkClosing, AFailingInsertLeavesNoDayAdded)
{
    data.closeDay(march(1));
    data.closeDay(march(6));
    data.users().executeScript(
        QStringLiteral("CREATE TRIGGER refuse_fourth BEFORE INSERT ON KlhsimoTameioy "
                       "WHEN NEW.Hmeraklhsimatos = '2026-03-04' BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
    boxes.answerNext(msg::Answer::Yes);
    EXPECT_THROW(login::CloseOpenCashDays(data.users()), db::DbError);
    EXPECT_EQ(closedDays(data.users()), (QList<QDate>{march(1), march(6)}));
}

class Unlock : public ::testing::Test
{
protected:
    QString markerPath() const { return datafolder::marker(data.path()); }
    TestDataFolder data;
    ScriptedMessages boxes;
};

TEST_F(Unlock, FreesTheMarkerKeepingTheHolderNames)
{
    InUseMarker(markerPath()).release(QString(), QString());
    ASSERT_EQ(InUseMarker(markerPath()).tryTake(QStringLiteral("anna"), QStringLiteral("pc1")),
              InUseMarker::TakeResult::Taken);
    login::unlockMarker(data.path());
    const InUseMarker::Record r = InUseMarker(markerPath()).read();
    EXPECT_TRUE(r.isFree());
    EXPECT_EQ(r.user, QStringLiteral("anna"));
    EXPECT_EQ(r.computer, QStringLiteral("pc1"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Ξεκλείδωμα βάσης"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Η βάση ξεκλείδωσε "));
    EXPECT_EQ(boxes.last().icon, msg::Icon::Exclamation);
}

TEST_F(Unlock, RewritesAMissingEmptyOrUnreadableFile)
{
    for (const QByteArray &held : {QByteArray(), QByteArray(""), QByteArray(100, 'x'), QByteArray(30, '1'),
                                   QByteArray("2") + QByteArray(50, ' ')}) {
        SCOPED_TRACE(held.size());
        QFile::remove(markerPath());
        if (!held.isNull()) {
            QFile f(markerPath());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(held);
        }
        EXPECT_TRUE(login::unlockMarker(data.path()));
        EXPECT_TRUE(InUseMarker(markerPath()).read().isFree());
        QFile f(markerPath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(bytes.size(), InUseMarker::RecordLength);
        EXPECT_EQ(bytes.left(1), QByteArray("0"));
    }
}

// The success message only when the file was written.
TEST_F(Unlock, AFileThatCannotBeWrittenIsReportedNotUnlocked)
{
    struct Case
    {
        const char *what;
        QString dataPath;
    };
    QFile::remove(markerPath());
    ASSERT_TRUE(QDir().mkdir(markerPath())); // the marker's name taken by a folder
    for (const Case &c : {Case{"a folder", data.path()}, Case{"a missing folder", data.path() + QStringLiteral("/gone")}}) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        EXPECT_FALSE(login::unlockMarker(c.dataPath));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().icon, msg::Icon::Critical);
        EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("Η βάση δεν ξεκλείδωσε"))) << boxes.last().text.toStdString();
    }
}

// The unlock needs no log-in: a marker that is a link must not let anyone at
// the log-in window truncate the file it points to.
TEST_F(Unlock, AMarkerThatIsALinkIsRefusedAndItsTargetKept)
{
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("thesis.txt"));
    const QByteArray content = QByteArray("months of work\n").repeated(100);
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QFile::remove(markerPath());
    ASSERT_TRUE(QFile::link(target, markerPath()));
    EXPECT_FALSE(login::unlockMarker(data.path()));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("σύνδεσμος"))) << boxes.last().text.toStdString();
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), content);
}

class DeleteAll : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const int group = data.addGroup(QStringLiteral("Ενοίκια"));
        data.addCode(100, QStringLiteral("ΕΝΟΙΚΙΟ"), false, group);
        data.main().execute(
            QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda) VALUES (100, ?1, 'x', 10000)"),
            march(2));
        data.main().execute(QStringLiteral("INSERT INTO tameio (hmeromhnia, ypoloipo) VALUES (?1, 10000)"), march(2));
        data.closeDay(march(2));
    }
    void expectAllThere()
    {
        for (const char *t : {"kinhseis", "kvdikoi", "omades", "tameio"})
            EXPECT_EQ(rows(data.main(), t), 1) << t;
        EXPECT_EQ(rows(data.users(), "KlhsimoTameioy"), 1);
    }
    TestDataFolder data;
    ScriptedMessages boxes;
};

TEST_F(DeleteAll, AsksWithNoAsTheDefault)
{
    EXPECT_FALSE(login::DeleteAllData(data.store())); // the default answer
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή ΔΙΑΓΡΑΦΗ"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Είσαι σίγουρος ΝΑ ΓΙΝΕΙ Η ΔΙΑΓΡΑΦΗ ΤΗΣ ΒΑΣΗΣ ΚΑΙ ΤΩΝ ΣΤΟΙΧΕΊΩΝ;"));
    EXPECT_EQ(boxes.last().icon, msg::Icon::Critical);
    EXPECT_EQ(boxes.last().buttons, msg::Buttons::YesNo);
    EXPECT_EQ(boxes.last().defaultButton, msg::Answer::No);
    expectAllThere();
}

TEST_F(DeleteAll, YesEmptiesTheDataAndKeepsUsersAndVersion)
{
    boxes.answerNext(msg::Answer::Yes);
    EXPECT_TRUE(login::DeleteAllData(data.store()));
    for (const char *t : {"kinhseis", "kvdikoi", "omades", "tameio"})
        EXPECT_EQ(rows(data.main(), t), 0) << t;
    EXPECT_EQ(rows(data.users(), "KlhsimoTameioy"), 0);
    EXPECT_EQ(rows(data.users(), "codes"), 1);
    EXPECT_EQ(data.main().scalar(QStringLiteral("SELECT ariumos FROM taytothta")).toInt(), schema::CurrentVersion);
}

// Another workstation reading mapcodes.mdb keeps its commit from finishing:
// kelvora.mdb, which could commit, must not lose its rows alone.
TEST_F(DeleteAll, AFailingCommitOfTheSecondFileDeletesNothing)
{
    data.main().setBusyTimeout(200);
    data.users().setBusyTimeout(200);
    auto reader = db::Database::open(datafolder::usersDatabase(data.path()), globals().DbPassword);
    reader->execute(QStringLiteral("BEGIN"));
    ASSERT_EQ(reader->scalar(QStringLiteral("SELECT count(*) FROM KlhsimoTameioy")).toLongLong(), 1);
    boxes.answerNext(msg::Answer::Yes);
    EXPECT_THROW(login::DeleteAllData(data.store()), db::DbError);
    reader->rollback();
    expectAllThere();

    // Once the reader is gone the same operation goes through on both files.
    boxes.answerNext(msg::Answer::Yes);
    EXPECT_TRUE(login::DeleteAllData(data.store()));
    EXPECT_EQ(rows(data.main(), "kinhseis"), 0);
    EXPECT_EQ(rows(data.users(), "KlhsimoTameioy"), 0);
}

TEST_F(DeleteAll, AFailingStepInEitherFileDeletesNothing)
{
    // The last table of kelvora.mdb, then the table of mapcodes.mdb, go missing.
    data.main().executeScript(QStringLiteral("ALTER TABLE tameio RENAME TO tameio_kept;"));
    boxes.answerNext(msg::Answer::Yes);
    EXPECT_THROW(login::DeleteAllData(data.store()), db::DbError);
    data.main().executeScript(QStringLiteral("ALTER TABLE tameio_kept RENAME TO tameio;"));
    expectAllThere();

    data.users().executeScript(QStringLiteral("ALTER TABLE KlhsimoTameioy RENAME TO kept;"));
    boxes.answerNext(msg::Answer::Yes);
    EXPECT_THROW(login::DeleteAllData(data.store()), db::DbError);
    data.users().executeScript(QStringLiteral("ALTER TABLE kept RENAME TO KlhsimoTameioy;"));
    expectAllThere();
}
