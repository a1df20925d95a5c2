#include "cashbook/codes/CodeQueries.h"
#include "cashbook/codes/widgets/CodesPageFactory.h"
#include "groups/widgets/OmadaKvdikvn.h"
#include "support/ModalSteps.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class CodesPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rent = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
        other = folder.addGroup(QStringLiteral("ΛΟΙΠΑ"));
        folder.addCode(20, QStringLiteral("Ρεύμα"), false, other);
        folder.addCode(7, QStringLiteral("Ενοίκιο"), true, rent, false);
        folder.addCode(3, QStringLiteral("Διάφορα"), false);
    }

    void open()
    {
        state.store = &folder.store();
        context.state = &state;
        context.setButtonVisible = [this](int element, bool visible) { buttons[element] = visible; };
        host.resize(788, 400);
        auto *layout = new QVBoxLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        page = makeCodesPage(context, &host);
        layout->addWidget(page->widget());
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    template <typename T> T *child(const QString &name)
    {
        auto *w = host.findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QListWidget *list(int i) { return child<QListWidget>(QStringLiteral("DBList1(%1)").arg(i)); }
    QLineEdit *text(int i) { return child<QLineEdit>(QStringLiteral("Text1(%1)").arg(i)); }
    QCheckBox *check(int i) { return child<QCheckBox>(QStringLiteral("SSCheck%1").arg(i)); }

    static QStringList texts(QListWidget *l)
    {
        QStringList t;
        for (int i = 0; i < l->count(); ++i)
            t << l->item(i)->text();
        return t;
    }
    // Press and release, then the double-click press and its release, as a mouse sends them.
    static void clickRow(QListWidget *l, int row, bool twice)
    {
        const QPoint at = l->visualItemRect(l->item(row)).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, at);
        }
    }
    bool editButtonsShown() { return buttons.value(6) && buttons.value(7); }
    bool editButtonsHidden() { return buttons.contains(6) && !buttons.value(6) && buttons.contains(7) && !buttons.value(7); }

    TestDataFolder folder;
    ScriptedMessages messages;
    int rent = 0;
    int other = 0;
    MainWindowState state;
    PageContext context;
    QMap<int, bool> buttons; // Command1 element -> shown
    QWidget host;
    std::unique_ptr<CodesPage> page;
};

TEST_F(CodesPageTest, ListsShowAllCodesTheGroupsAndTheCodesWithoutAGroup)
{
    open();
    EXPECT_EQ(texts(list(0)), (QStringList{QStringLiteral("    3 Διάφορα"), QStringLiteral("    7 Ενοίκιο"),
                                           QStringLiteral("   20 Ρεύμα")}));
    EXPECT_EQ(texts(list(1)), (QStringList{QStringLiteral("ΕΝΟΙΚΙΑ"), QStringLiteral("ΛΟΙΠΑ")}));
    EXPECT_EQ(texts(list(2)), QStringList{QStringLiteral("    3 Διάφορα")});
    EXPECT_TRUE(QFontInfo(list(0)->font()).fixedPitch());
    EXPECT_TRUE(QFontInfo(list(1)->font()).fixedPitch());
}

TEST_F(CodesPageTest, SingleClickLoadsACodeAndDoubleClickOffersChangeAndDelete)
{
    open();
    clickRow(list(0), 1, true);
    EXPECT_TRUE(editButtonsShown());
    EXPECT_EQ(text(4)->text(), QStringLiteral("7"));
    EXPECT_EQ(text(5)->text(), QStringLiteral("Ενοίκιο"));
    EXPECT_EQ(text(6)->text(), QStringLiteral("ΕΝΟΙΚΙΑ"));
    EXPECT_TRUE(check(1)->isChecked());
    EXPECT_FALSE(check(2)->isChecked());

    clickRow(list(0), 0, false);
    EXPECT_TRUE(editButtonsHidden());
    EXPECT_EQ(text(4)->text(), QStringLiteral("3"));
    EXPECT_TRUE(text(6)->text().isEmpty());
    EXPECT_FALSE(check(1)->isChecked());
    EXPECT_TRUE(check(2)->isChecked());
}

TEST_F(CodesPageTest, ArrowKeysChooseCodesAndGroupsAsAClickDoes)
{
    open();
    clickRow(list(0), 0, true);
    ASSERT_TRUE(editButtonsShown());
    list(0)->setFocus();
    QTest::keyClick(list(0), Qt::Key_Down);
    EXPECT_EQ(text(4)->text(), QStringLiteral("7"));
    EXPECT_TRUE(editButtonsHidden());

    list(1)->setFocus();
    QTest::keyClick(list(1), Qt::Key_Down); // first entry ΕΝΟΙΚΙΑ
    QTest::keyClick(list(1), Qt::Key_Down); // ΛΟΙΠΑ
    EXPECT_EQ(texts(list(2)), QStringList{QStringLiteral("   20 Ρεύμα")});
}

TEST_F(CodesPageTest, GroupClicksListItsCodesAndAttachTheGroupToTheNextCodeSaved)
{
    open();
    clickRow(list(1), 0, false);
    EXPECT_EQ(texts(list(2)), QStringList{QStringLiteral("    7 Ενοίκιο")});
    EXPECT_TRUE(text(6)->text().isEmpty());

    clickRow(list(1), 0, true);
    EXPECT_EQ(text(6)->text(), QStringLiteral("ΕΝΟΙΚΙΑ"));
    text(4)->setText(QStringLiteral("9"));
    text(5)->setText(QStringLiteral("Ενοίκιο αποθήκης"));
    page->InsertCode();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(texts(list(0)).contains(QStringLiteral("    9 Ενοίκιο αποθήκης")));
    EXPECT_EQ(texts(list(2)), (QStringList{QStringLiteral("    7 Ενοίκιο"), QStringLiteral("    9 Ενοίκιο αποθήκης")}));
    const auto inRent = codes::codesOfGroup(folder.main(), rent);
    ASSERT_EQ(inRent.size(), 2);
    EXPECT_EQ(inRent[1].kvdikos, 9);
    EXPECT_EQ(inRent[1].omada, QStringLiteral("ΕΝΟΙΚΙΑ"));
}

TEST_F(CodesPageTest, DoubleClickOnAnEmptyGroupListDoesNothing)
{
    folder.main().execute(QStringLiteral("DELETE FROM omades"));
    open();
    ASSERT_EQ(list(1)->count(), 0);
    text(6)->setText(QStringLiteral("ΚΑΤΙ"));
    const QPoint middle = list(1)->viewport()->rect().center();
    QTest::mouseClick(list(1)->viewport(), Qt::LeftButton, {}, middle);
    QTest::mouseDClick(list(1)->viewport(), Qt::LeftButton, {}, middle);
    EXPECT_EQ(text(6)->text(), QStringLiteral("ΚΑΤΙ"));
    EXPECT_EQ(texts(list(2)), QStringList{QStringLiteral("    3 Διάφορα")});
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(CodesPageTest, DeleteRemovesTheCodeFromTheListsAndHidesTheButtons)
{
    open();
    clickRow(list(0), 2, true);
    ASSERT_TRUE(editButtonsShown());
    messages.answerNext(msg::Answer::Ok);
    page->DeleteCode();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Να γίνει η διαγραφή του κωδικού;")});
    EXPECT_EQ(texts(list(0)), (QStringList{QStringLiteral("    3 Διάφορα"), QStringLiteral("    7 Ενοίκιο")}));
    EXPECT_TRUE(editButtonsHidden());
}

TEST_F(CodesPageTest, ChangeMovesTheCodeAndEnteringThePageClearsTheFields)
{
    open();
    clickRow(list(0), 1, true);
    clickRow(list(1), 1, true); // ΛΟΙΠΑ
    text(5)->setText(QStringLiteral("Ενοίκιο γραφείου"));
    messages.answerNext(msg::Answer::Ok);
    page->ChangeCode();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Να γίνει η μεταβολή των στοιχείων;")});
    EXPECT_EQ(texts(list(0))[1], QStringLiteral("    7 Ενοίκιο γραφείου"));
    EXPECT_EQ(codes::codesOfGroup(folder.main(), other).size(), 2);

    page->EnterPage();
    for (int i : {4, 5, 6})
        EXPECT_TRUE(text(i)->text().isEmpty()) << i;
    EXPECT_FALSE(check(1)->isChecked());
    EXPECT_TRUE(editButtonsHidden());
}

// The group window is modal: the test drives it from inside its own event loop.
TEST_F(CodesPageTest, EditGroupsRequeriesTheGroupsAndTheLoadedGroupNameFollowsARename)
{
    open();
    clickRow(list(0), 1, true); // code 7, group ΕΝΟΙΚΙΑ
    ModalSteps steps([&](QWidget *modal) {
        auto *window = qobject_cast<OmadaKvdikvn *>(modal);
        ASSERT_NE(window, nullptr);
        auto *groupList = window->findChild<QListWidget *>(QStringLiteral("DBList1"));
        clickRow(groupList, 0, true);
        auto *name = window->findChild<QLineEdit *>(QStringLiteral("Text1"));
        name->setText(QStringLiteral("ΕΝΟΙΚΙΑ ΓΡΑΦΕΙΟΥ"));
        messages.answerNext(msg::Answer::Ok);
        QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("Command1(2)")), Qt::LeftButton);
        name->setText(QStringLiteral("ΝΕΑ"));
        QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("Command1(1)")), Qt::LeftButton);
        QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("Command1(0)")), Qt::LeftButton);
    });
    page->EditGroups();
    EXPECT_TRUE(steps.ran());
    EXPECT_EQ(texts(list(1)), (QStringList{QStringLiteral("ΕΝΟΙΚΙΑ ΓΡΑΦΕΙΟΥ"), QStringLiteral("ΛΟΙΠΑ"),
                                           QStringLiteral("ΝΕΑ")}));
    EXPECT_EQ(text(6)->text(), QStringLiteral("ΕΝΟΙΚΙΑ ΓΡΑΦΕΙΟΥ"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Every Text1 box selects its text on receiving the focus.
TEST_F(CodesPageTest, CodeFieldsSelectTheirTextOnFocus)
{
    open();
    clickRow(list(0), 1, true);
    for (int i : {4, 5, 6}) {
        text(i)->setFocus();
        QTRY_COMPARE_WITH_TIMEOUT(text(i)->selectedText(), text(i)->text(), 1000);
        EXPECT_FALSE(text(i)->text().isEmpty()) << i;
    }
}

namespace {

// Pixels clearly darker than the background inside a widget's area of a grab:
// drawn text.
int darkPixels(const QImage &image, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ++n;
    return n;
}

QRect areaIn(QWidget *top, QWidget *w)
{
    return QRect(w->mapTo(top, QPoint(0, 0)), w->size()).adjusted(2, 2, -2, -2);
}

} // namespace

// What a person sees: the lists and the loaded fields are drawn with their
// text. The pictures are also saved for a look
// when KELVORA_SHOT_DIR names a folder.
TEST_F(CodesPageTest, PageAndGroupWindowDrawTheirTexts)
{
    folder.addCode(12345, QStringLiteral("Προμήθειες γραφικής ύλης και αναλωσίμων Ο'ΝΙΛ"), false, rent);
    open();
    clickRow(list(0), 1, true);
    clickRow(list(1), 0, false);
    const QImage page = host.grab().toImage();
    ASSERT_EQ(page.size(), host.size() * host.devicePixelRatio());
    for (int i : {0, 1})
        EXPECT_GT(darkPixels(page, areaIn(&host, list(i))), 50) << "DBList1(" << i << ")";
    for (int i : {4, 5, 6})
        EXPECT_GT(darkPixels(page, areaIn(&host, text(i))), 10) << "Text1(" << i << ")";

    OmadaKvdikvn window(folder.main(), &host);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto *groupList = window.findChild<QListWidget *>(QStringLiteral("DBList1"));
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    clickRow(groupList, 1, true);
    const QImage groups = window.grab().toImage();
    EXPECT_GT(darkPixels(groups, areaIn(&window, groupList)), 50);
    EXPECT_GT(darkPixels(groups, areaIn(&window, name)), 10);

    const QString dir = qEnvironmentVariable("KELVORA_SHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(page.save(dir + QStringLiteral("/codes-page.png")));
        EXPECT_TRUE(groups.save(dir + QStringLiteral("/group-window.png")));
    }
}

} // namespace
