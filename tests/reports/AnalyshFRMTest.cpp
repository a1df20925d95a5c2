#include "platform/desktop/Settings.h"
#include "shell/WindowTestHelpers.h"
#include "shell/analysis/widgets/AnalyshFRM.h"
#include "support/TestDataFolder.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class AnalyshFRMTest : public ::testing::Test
{
protected:
    AnalyshFRMTest()
    {
        settings::useFile(iniPath());
        folder.addCode(40, QStringLiteral("ΚΑΤΑΘΕΣΗ"), false);
        folder.addCode(41, QStringLiteral("ΑΝΑΛΗΨΗ"), true);
    }
    QString iniPath() const { return dir.filePath(QStringLiteral("Kelvora.ini")); }
    std::unique_ptr<AnalyshFRM> open()
    {
        auto w = std::make_unique<AnalyshFRM>(folder.main());
        w->load(QStringLiteral("05-03-2026"));
        w->show();
        return w;
    }
    static QLineEdit *slot(QWidget *w, int i) { return child<QLineEdit>(w, QStringLiteral("Text1(%1)").arg(i).toLatin1()); }
    static QGroupBox *frame(QWidget *w, int g) { return child<QGroupBox>(w, QStringLiteral("SSFrame1(%1)").arg(g).toLatin1()); }

    QTemporaryDir dir;
    TestDataFolder folder;
};

TEST_F(AnalyshFRMTest, WithoutSettingsFourDefaultGroupsAndEmptySlots)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Ανάλυση ταμείου ημέρας: 05-03-2026"));
    for (int g = 1; g <= 4; ++g)
        EXPECT_EQ(frame(w.get(), g)->title(), QStringLiteral("Ομαδα %1").arg(g));
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(slot(w.get(), i)->text().isEmpty());
        EXPECT_TRUE(slot(w.get(), i)->isReadOnly());
    }
    EXPECT_EQ(child<QLabel>(w.get(), "Label1(2)")->text(), QStringLiteral("Κωδ. εσόδου ομάδας"));
    EXPECT_EQ(child<QLabel>(w.get(), "Label1(3)")->text(), QStringLiteral("Κωδ. εξόδου ομάδας"));
}

TEST_F(AnalyshFRMTest, PickDeleteRenameSaveAndSeeItAgainAfterARestart)
{
    {
        auto w = open();
        // The picker lists every code by description and fills the slot with text and tag.
        w->chooseCode(2);
        auto *picker = child<QComboBox>(w.get(), "Combo1");
        ASSERT_TRUE(picker->isVisible());
        ASSERT_EQ(picker->count(), 2);
        EXPECT_EQ(picker->itemText(0), QStringLiteral("41 ΑΝΑΛΗΨΗ"));
        w->pickLine(0);
        EXPECT_FALSE(picker->isVisible());
        EXPECT_EQ(slot(w.get(), 2)->text(), QStringLiteral("41 ΑΝΑΛΗΨΗ"));
        EXPECT_EQ(slot(w.get(), 2)->property("Tag").toString(), QStringLiteral("41"));
        w->chooseCode(3);
        w->pickLine(1);
        // Typing is swallowed; Delete empties text and tag.
        typeText(slot(w.get(), 3), QStringLiteral("99"));
        EXPECT_EQ(slot(w.get(), 3)->text(), QStringLiteral("40 ΚΑΤΑΘΕΣΗ"));
        QTest::keyClick(slot(w.get(), 3), Qt::Key_Delete);
        EXPECT_TRUE(slot(w.get(), 3)->text().isEmpty());
        EXPECT_TRUE(slot(w.get(), 3)->property("Tag").toString().isEmpty());
        // Double click on a group frame edits its caption; Escape keeps the edit.
        QTest::mouseDClick(frame(w.get(), 2), Qt::LeftButton);
        auto *editor = child<QLineEdit>(w.get(), "Text2(0)");
        ASSERT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->selectedText(), QStringLiteral("Ομαδα 2"));
        typeText(editor, QStringLiteral("Τράπεζα Β"));
        QTest::keyClick(editor, Qt::Key_Escape);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(frame(w.get(), 2)->title(), QStringLiteral("Τράπεζα Β"));
        clickButton(child<QPushButton>(w.get(), "Command1(0)"));
        EXPECT_FALSE(w->isVisible());
        const analysis::AnalysisSetup setup = w->setup();
        EXPECT_EQ(setup.slotCode(2), 41);
        EXPECT_EQ(setup.slotCode(3), std::nullopt);
    }
    // Stored settings keep both sections as they were always spelled.
    QFile ini(iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString stored = QString::fromUtf8(ini.readAll());
    EXPECT_TRUE(stored.contains(QStringLiteral("[analyshfrm]"))) << stored.toStdString();
    EXPECT_TRUE(stored.contains(QStringLiteral("[anakyshfrm]")));
    EXPECT_EQ(settings::read(QStringLiteral("AnakyshFRM"), QStringLiteral("Kvd2")), QStringLiteral("41 ΑΝΑΛΗΨΗ"));
    EXPECT_EQ(settings::read(QStringLiteral("AnakyshFRM"), QStringLiteral("Kvd3")), QString());

    auto again = open();
    EXPECT_EQ(frame(again.get(), 2)->title(), QStringLiteral("Τράπεζα Β"));
    EXPECT_EQ(slot(again.get(), 2)->property("Tag").toString(), QStringLiteral("41"));
}

TEST_F(AnalyshFRMTest, AskShowsTheWindowModallyAndHandsBackWhatWasSaved)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        AnalyshFRM *w = AnalyshFRM::instance();
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isModal() && w->isVisible());
        w->chooseCode(0);
        w->pickLine(1);
        w->save();
        ran = true;
    });
    // A guard so a window left open fails the test instead of blocking it.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (AnalyshFRM *w = AnalyshFRM::instance(); w && w->isVisible()) {
            ADD_FAILURE() << "AnalyshFRM stayed open";
            w->reject();
        }
    });
    guard.start(5000);
    const analysis::AnalysisSetup setup = AnalyshFRM::ask(folder.main(), QStringLiteral("05-03-2026"));
    EXPECT_TRUE(ran);
    EXPECT_EQ(setup.slotCode(0), 40);
    EXPECT_EQ(setup.captions[0], QStringLiteral("Ομαδα 1"));
    delete AnalyshFRM::instance();
}

// A pick that was not saved is not the set-up: the report gets the stored one.
TEST_F(AnalyshFRMTest, ClosedWithoutSavingHandsBackTheStoredSetUp)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        AnalyshFRM *w = AnalyshFRM::instance();
        ASSERT_NE(w, nullptr);
        w->chooseCode(0);
        w->pickLine(1);
        w->reject(); // the close box
        ran = true;
    });
    const analysis::AnalysisSetup setup = AnalyshFRM::ask(folder.main(), QStringLiteral("05-03-2026"));
    EXPECT_TRUE(ran);
    EXPECT_EQ(setup.slotCode(0), std::nullopt);
    EXPECT_FALSE(AnalyshFRM::instance()->isVisible());
    delete AnalyshFRM::instance();
}

} // namespace
