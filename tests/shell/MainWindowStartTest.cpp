#include "FakePages.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "shell/mainwindow/kentrikh.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QFile>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

std::optional<schemaupgrade::OpeningBalance> noAnswer()
{
    return std::nullopt;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class MainWindowStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        globals() = AppGlobals{};
        globals().DataPath = data.path();
        globals().NetUserName = QStringLiteral("anna");
        globals().MachineName = QStringLiteral("pc1");
        InUseMarker(markerPath()).release(QStringLiteral("last"), QStringLiteral("pc9"));
    }
    QString markerPath() const { return datafolder::marker(data.path()); }

    void expectFatalAndMarkerUntouched(Store &store, const QString &cause)
    {
        const QByteArray before = fileBytes(markerPath());
        PageLog log;
        kentrikh window(store, fakeFactories(log));
        EXPECT_FALSE(window.initialise(noAnswer));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή στο Path"));
        EXPECT_EQ(boxes.last().text, QStringLiteral("Δεν βρέθηκε η βάση δεδομένων, ενημερώστε το registry\n") + cause);
        EXPECT_EQ(boxes.last().icon, msg::Icon::Critical);
        EXPECT_FALSE(window.state().OwnsMarker);
        EXPECT_EQ(log.count(QStringLiteral("ShowInitialDay")), 0);
        window.close(); // the caller ends the program; the marker stays as it was
        EXPECT_EQ(fileBytes(markerPath()), before);
    }

    TestDataFolder data;
    ScriptedMessages boxes;
};

TEST_F(MainWindowStart, UnusableDatabasesEndTheStartWithTheMessage)
{
    {
        SCOPED_TRACE("wrong key");
        Store wrongKey(data.path(), QStringLiteral("not the key"));
        expectFatalAndMarkerUntouched(
            wrongKey, QStringLiteral("kelvora.mdb: Το αρχείο δεν είναι κρυπτογραφημένο με το κλειδί του προγράμματος."));
    }
    {
        SCOPED_TRACE("missing mapcodes.mdb");
        boxes.clear();
        Store store(data.path(), globals().DbPassword);
        ASSERT_TRUE(QFile::remove(datafolder::usersDatabase(data.path())));
        expectFatalAndMarkerUntouched(store, QStringLiteral("mapcodes.mdb: Το αρχείο δεν υπάρχει."));
    }
    {
        SCOPED_TRACE("missing table");
        boxes.clear();
        data.main().executeScript(QStringLiteral("DROP TABLE omades;"));
        Store store(data.path(), globals().DbPassword);
        expectFatalAndMarkerUntouched(store, QStringLiteral("Στο αρχείο λείπει πίνακας του προγράμματος."));
    }
}

TEST_F(MainWindowStart, PageThatCannotReachItsDataEndsTheStart)
{
    const QByteArray before = fileBytes(markerPath());
    PageFactories f;
    f.cash = [](PageContext &, QWidget *) -> std::unique_ptr<CashSheetPage> {
        throw db::DbError(db::DbError::Kind::MissingTable, QStringLiteral("kinhseis"));
    };
    kentrikh window(data.store(), f);
    EXPECT_FALSE(window.initialise(noAnswer));
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(fileBytes(markerPath()), before);
}

TEST_F(MainWindowStart, TwoInstancesOnOneDataFolder)
{
    PageLog log1, log2;
    kentrikh first(data.store(), fakeFactories(log1));
    ASSERT_TRUE(first.initialise(noAnswer));
    EXPECT_TRUE(first.state().OwnsMarker);
    EXPECT_EQ(first.windowTitle(), QStringLiteral("Kelvora"));

    // The second workstation: its own connection and names.
    globals().NetUserName = QStringLiteral("babis");
    globals().MachineName = QStringLiteral("pc2");
    Store otherStore(data.path(), globals().DbPassword);
    {
        kentrikh second(otherStore, fakeFactories(log2));
        ASSERT_TRUE(second.initialise(noAnswer));
        EXPECT_FALSE(second.state().OwnsMarker);
        EXPECT_EQ(second.windowTitle(),
                  QStringLiteral("Kelvora  -  Η βάση χρησιμοποιήτε από τον (την) anna στον Η/Υ pc1"));
        second.close();
    }
    // The second one's stop leaves the first one's marker alone.
    InUseMarker::Record r = InUseMarker(markerPath()).read();
    EXPECT_TRUE(r.isTaken());
    EXPECT_EQ(r.user, QStringLiteral("anna"));

    globals().NetUserName = QStringLiteral("anna");
    globals().MachineName = QStringLiteral("pc1");
    first.close();
    EXPECT_TRUE(InUseMarker(markerPath()).read().isFree());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(MainWindowStart, ThemeColourBelow1000IsReplacedByTheWindowBackground)
{
    globals().ThemeColour = 500;
    PageLog log;
    kentrikh window(data.store(), fakeFactories(log));
    ASSERT_TRUE(window.initialise(noAnswer));
    const QColor own = window.palette().color(QPalette::Window);
    EXPECT_EQ(globals().ThemeColour, qint64(own.red()) | (qint64(own.green()) << 8) | (qint64(own.blue()) << 16));
    window.close();
}

TEST_F(MainWindowStart, FreshDatabaseReachesTheCurrentVersionAskingOnce)
{
    TestDataFolder fresh(TestDataFolder::Schema::Fresh);
    int asked = 0;
    auto ask = [&asked]() -> std::optional<schemaupgrade::OpeningBalance> {
        ++asked;
        return schemaupgrade::OpeningBalance{QStringLiteral("01-01-2026"), QStringLiteral("100,00")};
    };
    PageLog log;
    kentrikh window(fresh.store(), fakeFactories(log));
    ASSERT_TRUE(window.initialise(ask));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(schemaupgrade::currentVersion(fresh.main()), 3);
    window.close();
}

// 11820 x 8115 twips is the outer size, frame included, and the window is
// centred once shown, when its frame is known.
TEST_F(MainWindowStart, OuterSizeIncludesTheFrameAndTheWindowIsCentredWhenShown)
{
    EXPECT_EQ(ui::ClientSizeForFrame(QSize(788, 541), QMargins(4, 30, 4, 4)), QSize(780, 507));
    PageLog log;
    kentrikh window(data.store(), fakeFactories(log));
    ASSERT_TRUE(window.initialise(noAnswer));
    window.move(0, 0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.frameGeometry().size(), QSize(788, 541));
    const QRect area = window.screen()->availableGeometry();
    EXPECT_EQ(window.frameGeometry().left(), area.left() + (area.width() - 788) / 2);
    EXPECT_EQ(window.frameGeometry().top(), area.top() + (area.height() - 541) / 2);
    window.close();
}

TEST_F(MainWindowStart, ADamagedFileIsReportedAndOpenedForReadingOnly)
{
    {
        db::Transaction t(data.main());
        for (int i = 0; i < 3000; ++i)
            data.main().execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES (?1)"),
                                QStringLiteral("ΟΜΑΔΑ %1 ").arg(i).repeated(4));
        t.commit();
    }
    TestDataFolder::damageMiddle(datafolder::mainDatabase(data.path()));
    Store store(data.path(), globals().DbPassword);
    PageLog log;
    kentrikh window(store, fakeFactories(log));
    window.initialise(noAnswer);
    ASSERT_GE(boxes.count(), 1);
    EXPECT_EQ(boxes.shown().first().title, QStringLiteral("Κατεστραμμένο αρχείο"));
    EXPECT_TRUE(boxes.shown().first().text.startsWith(QStringLiteral("Το αρχείο kelvora.mdb είναι κατεστραμμένο.\n")));
    EXPECT_TRUE(store.main().isReadOnly());
    window.close();
}
