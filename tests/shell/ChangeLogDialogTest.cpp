#include "platform/desktop/Settings.h"
#include "shell/login/ChangeLogDialog.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(ChangeLogDialog, ListsTheRowsOfTheChosenDaysReadOnly)
{
    TestDataFolder data;
    for (const char *when : {"2026-03-09T10:00:00", "2026-03-10T11:00:00", "2026-03-11T12:00:00"})
        data.main().execute(QStringLiteral("INSERT INTO allages (pote, xrhsths, staumos, eidos, kinhsh, hmeromhnia, "
                                           "prin, meta, kleisto) VALUES (?1, 'ΜΑΡΙΑ', 'PC1', 'Διαγραφή', 7, "
                                           "'2026-03-01', '10 ΠΩΛΗΣΕΙΣ, έσοδα 5,00', '', -1)"),
                            QString::fromLatin1(when));
    ScriptedMessages boxes;
    ChangeLogDialog dialog(data.store());
    dialog.setRange(QDate(2026, 3, 10), QDate(2026, 3, 11));
    QTableWidget *table = dialog.table();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("11-03-2026 12:00:00"));
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("10-03-2026 11:00:00"));
    EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("Διαγραφή"));
    EXPECT_EQ(table->item(0, 4)->text(), QStringLiteral("01-03-2026"));
    EXPECT_EQ(table->item(0, 5)->text(), QStringLiteral("Ναι"));
    EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);

    dialog.setRange(QDate(2026, 3, 1), QDate(2026, 3, 31));
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(boxes.count(), 0);
}

// Long movements before and after: both columns start inside the window, the
// last one is not pushed off its right edge.
TEST(ChangeLogDialog, TheAfterColumnStaysInTheWindow)
{
    TestDataFolder data;
    static QTemporaryDir settingsDir; // outlives the test: later tests of this program may write settings
    settings::useFile(settingsDir.filePath(QStringLiteral("kelvora.ini")));
    const QString longText = QStringLiteral("10 ΠΩΛΗΣΕΙΣ ΚΑΤΑΣΤΗΜΑΤΟΣ ΚΕΝΤΡΙΚΟΥ, έσοδα 1.234.567,89, Λ τάξεως 0,00, επιταγή");
    data.main().execute(QStringLiteral("INSERT INTO allages (pote, xrhsths, staumos, eidos, kinhsh, hmeromhnia, "
                                       "prin, meta, kleisto) VALUES ('2026-03-10T11:00:00', 'ΜΑΡΙΑ', 'PC1', "
                                       "'Μεταβολή', 7, '2026-03-01', ?1, ?1, 0)"),
                        longText);
    ScriptedMessages boxes;
    ChangeLogDialog dialog(data.store());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.setRange(QDate(2026, 3, 1), QDate(2026, 3, 31));
    QTableWidget *table = dialog.table();
    ASSERT_EQ(table->rowCount(), 1);
    QHeaderView *header = table->horizontalHeader();
    const int viewport = table->viewport()->width();
    EXPECT_LT(header->sectionViewportPosition(7) + 60, viewport) << "the column Μετά starts off the window";
    EXPECT_LE(header->sectionViewportPosition(6) + header->sectionSize(6) + header->sectionSize(7), viewport + 1);
    EXPECT_EQ(table->item(0, 7)->toolTip(), longText);
    EXPECT_LE(dialog.frameGeometry().width(), 1366);
    EXPECT_LE(dialog.frameGeometry().height(), 768);
}
