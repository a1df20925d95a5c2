#include "groups/GroupQueries.h"
#include "groups/widgets/OmadaKvdikvn.h"
#include "support/ModalSteps.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Types Greek text key by key, as a keyboard would (QTest::keyClicks takes ASCII only).
void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

class OmadaKvdikvnTest : public ::testing::Test
{
protected:
    void open()
    {
        window = std::make_unique<OmadaKvdikvn>(folder.main());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    template <typename T> T *child(const char *name)
    {
        auto *w = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit *nameBox() { return child<QLineEdit>("Text1"); }
    QListWidget *list() { return child<QListWidget>("DBList1"); }
    QToolButton *button(int i) { return child<QToolButton>(QStringLiteral("Command1(%1)").arg(i).toLatin1().constData()); }
    QLabel *caption(int i) { return child<QLabel>(QStringLiteral("Label2(%1)").arg(i).toLatin1().constData()); }

    void click(int element)
    {
        QToolButton *b = button(element);
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << "Command1(" << element << ")";
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void clickRow(int row, bool twice)
    {
        QListWidget *l = list();
        const QPoint at = l->visualItemRect(l->item(row)).center();
        // A real double click: press and release, then the double-click press and its release.
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, at);
        }
    }
    // Rename and delete with their captions are shown or hidden together.
    void expectEditMode(bool edit)
    {
        for (int i : {2, 3}) {
            EXPECT_EQ(button(i)->isVisible(), edit) << "Command1(" << i << ")";
            EXPECT_EQ(caption(i)->isVisible(), edit) << "Label2(" << i << ")";
        }
        for (int i : {0, 1}) {
            EXPECT_TRUE(button(i)->isVisible());
            EXPECT_TRUE(caption(i)->isVisible());
        }
    }
    QStringList listTexts()
    {
        QStringList t;
        for (int i = 0; i < list()->count(); ++i)
            t << list()->item(i)->text();
        return t;
    }

    TestDataFolder folder;
    ScriptedMessages messages;
    std::unique_ptr<OmadaKvdikvn> window;
};

TEST_F(OmadaKvdikvnTest, TypedLettersBecomeCapitalsAndAreStoredSo)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ομάδες κωδικών"));
    expectEditMode(false);

    typeText(nameBox(), QStringLiteral("  ενοίκιας "));
    EXPECT_EQ(nameBox()->text(), QStringLiteral("  ΕΝΟΙΚΙΑΣ "));
    click(1);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(listTexts(), QStringList{QStringLiteral("ΕΝΟΙΚΙΑΣ")});
    ASSERT_EQ(groups::listGroups(folder.main()).size(), 1);
    EXPECT_EQ(groups::listGroups(folder.main())[0].perigrafh, QStringLiteral("ΕΝΟΙΚΙΑΣ"));
    EXPECT_EQ(nameBox()->text(), QStringLiteral("  ΕΝΟΙΚΙΑΣ ")); // the box keeps what was typed

    click(1);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Η περιγραφή υπάρχει ήδη καταχωρημένη")});
    EXPECT_EQ(list()->count(), 1);
}

TEST_F(OmadaKvdikvnTest, DoubleClickLoadsAGroupAndSingleClickResets)
{
    folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    folder.addGroup(QStringLiteral("ΜΙΣΘΟΙ"));
    open();

    clickRow(1, true);
    expectEditMode(true);
    EXPECT_EQ(nameBox()->text(), QStringLiteral("ΜΙΣΘΟΙ"));

    clickRow(0, false);
    expectEditMode(false);
    EXPECT_TRUE(nameBox()->text().isEmpty());
}

TEST_F(OmadaKvdikvnTest, MovingToAnotherGroupWithTheKeysLeavesTheLoadedOne)
{
    folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    folder.addGroup(QStringLiteral("ΜΙΣΘΟΙ"));
    open();

    clickRow(1, true);
    expectEditMode(true);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Up);
    ASSERT_EQ(list()->currentRow(), 0);
    // Rename and delete would act on ΜΙΣΘΟΙ while ΕΝΟΙΚΙΑ is highlighted.
    expectEditMode(false);
    EXPECT_TRUE(nameBox()->text().isEmpty());

    // Loading the highlighted group again acts on that one.
    clickRow(0, true);
    messages.answerNext(msg::Answer::Ok);
    click(3);
    EXPECT_EQ(listTexts(), QStringList{QStringLiteral("ΜΙΣΘΟΙ")});
}

TEST_F(OmadaKvdikvnTest, DoubleClickOnAnEmptyListDoesNothing)
{
    open();
    typeText(nameBox(), QStringLiteral("κατι"));
    const QPoint middle = list()->viewport()->rect().center();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, middle);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, middle);
    QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, middle);
    expectEditMode(false);
    EXPECT_EQ(nameBox()->text(), QStringLiteral("ΚΑΤΙ"));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(OmadaKvdikvnTest, AfterARenameTheNameStaysAndInsertingItIsRefused)
{
    const int g = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false, g);
    open();

    clickRow(0, true);
    nameBox()->selectAll();
    typeText(nameBox(), QStringLiteral("ενοικια γραφειου"));
    messages.answerNext(msg::Answer::Ok);
    click(2);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Να γίνει η μεταβολή των στοιχείων;")});
    expectEditMode(false);
    EXPECT_EQ(nameBox()->text(), QStringLiteral("ΕΝΟΙΚΙΑ ΓΡΑΦΕΙΟΥ"));
    EXPECT_EQ(listTexts(), QStringList{QStringLiteral("ΕΝΟΙΚΙΑ ΓΡΑΦΕΙΟΥ")});
    EXPECT_EQ(folder.main().scalar(QStringLiteral("SELECT omada FROM kvdikoi WHERE kvdikos = 7")).toString(),
              QStringLiteral("ΕΝΟΙΚΙΑ ΓΡΑΦΕΙΟΥ"));

    messages.clear();
    click(1);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Η περιγραφή υπάρχει ήδη καταχωρημένη")});
    EXPECT_EQ(list()->count(), 1);
}

TEST_F(OmadaKvdikvnTest, DeleteClearsTheNameAndReturnsToInsertMode)
{
    folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    const int g = folder.addGroup(QStringLiteral("ΜΙΣΘΟΙ"));
    folder.addCode(7, QStringLiteral("Μισθοί"), false, g);
    open();

    clickRow(1, true);
    messages.answerNext(msg::Answer::Cancel);
    click(3);
    expectEditMode(true);
    EXPECT_EQ(list()->count(), 2);

    messages.answerNext(msg::Answer::Ok);
    click(3);
    expectEditMode(false);
    EXPECT_TRUE(nameBox()->text().isEmpty());
    EXPECT_EQ(listTexts(), QStringList{QStringLiteral("ΕΝΟΙΚΙΑ")});
    EXPECT_EQ(folder.main().scalar(QStringLiteral("SELECT aa_omadas FROM kvdikoi WHERE kvdikos = 7")).toInt(), 0);
}

TEST_F(OmadaKvdikvnTest, EnterMovesOnAndExitEndsTheModalWindow)
{
    OmadaKvdikvn modal(folder.main());
    ModalSteps steps([&](QWidget *shown) {
        ASSERT_EQ(shown, &modal);
        auto *box = modal.findChild<QLineEdit *>(QStringLiteral("Text1"));
        box->setFocus();
        typeText(box, QStringLiteral("λοιπα"));
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_FALSE(box->hasFocus());
        EXPECT_EQ(messages.count(), 0);
        QTest::mouseClick(modal.findChild<QToolButton *>(QStringLiteral("Command1(1)")), Qt::LeftButton);
        QTest::mouseClick(modal.findChild<QToolButton *>(QStringLiteral("Command1(0)")), Qt::LeftButton);
    });
    EXPECT_EQ(modal.exec(), QDialog::Accepted);
    EXPECT_TRUE(steps.ran());
    EXPECT_FALSE(modal.isVisible());
    ASSERT_EQ(groups::listGroups(folder.main()).size(), 1);
    EXPECT_EQ(groups::listGroups(folder.main())[0].perigrafh, QStringLiteral("ΛΟΙΠΑ"));
}

} // namespace
