// The property pages and the property sheet, driven as a host drives them.
#include "prynex/pages/general_page.h"
#include "prynex/pages/layout_page.h"
#include "prynex/pages/property_sheet.h"
#include "prynex_test_support.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QLineEdit *field(QWidget &page, const QString &name)
{
    auto *edit = page.findChild<QLineEdit *>(name);
    EXPECT_NE(edit, nullptr) << name.toStdString();
    return edit;
}

}  // namespace

TEST(PrynexPages, LayOutFillsFromTheFirstSelectedControl)
{
    Prynex first, second;
    first.setZoom(80);
    first.setSpaceAfter(120);
    first.setPreview(false);
    first.setMouseZoom(true);
    first.setMarginTop(500);
    first.setColumns(2);
    second.setZoom(30);
    prynex::LayOutPage page;
    EXPECT_EQ(page.windowTitle(), u"LayOut"_s);
    page.setSelectedControls({&first, &second});
    EXPECT_EQ(field(page, u"txtZoom"_s)->text(), u"80"_s);
    EXPECT_EQ(field(page, u"txtSpaceAfter"_s)->text(), u"120"_s);
    EXPECT_EQ(field(page, u"txtMarginTop"_s)->text(), u"500"_s);
    EXPECT_EQ(field(page, u"txtColumns"_s)->text(), u"2"_s);
    EXPECT_FALSE(page.findChild<QCheckBox *>(u"chkPreview"_s)->isChecked());
    EXPECT_TRUE(page.findChild<QCheckBox *>(u"chkMouseZoom"_s)->isChecked());
    EXPECT_EQ(page.findChild<QLabel *>(u"lblZoom"_s)->text(), u"Zoom:"_s);
    EXPECT_FALSE(page.isChanged()) << "filling is not an edit";
}

TEST(PrynexPages, ApplyWritesIntoTheFirstSelectedControlOnly)
{
    Prynex first, second;
    first.setZoom(80);
    second.setZoom(30);
    prynex::LayOutPage page;
    page.setSelectedControls({&first, &second});
    field(page, u"txtZoom"_s)->setText(u"50"_s);
    ASSERT_TRUE(page.applyChanges());
    EXPECT_EQ(first.Zoom(), 50);
    EXPECT_EQ(second.Zoom(), 30);
    EXPECT_FALSE(page.isChanged());
}

TEST(PrynexPages, CheckingPreviewAndApplyingSetsIt)
{
    Prynex control;
    control.setPreview(false);
    prynex::LayOutPage page;
    page.setSelectedControls({&control});
    auto *preview = page.findChild<QCheckBox *>(u"chkPreview"_s);
    ASSERT_FALSE(preview->isChecked());
    preview->click();
    EXPECT_TRUE(page.isChanged());
    EXPECT_FALSE(control.Preview()) << "not before Apply";
    ASSERT_TRUE(page.applyChanges());
    EXPECT_TRUE(control.Preview());
}

TEST(PrynexPages, TypingWithoutApplyChangesNothingButReportsChanges)
{
    Prynex control;
    control.setHeader(u"Head"_s);
    prynex::GeneralPage page;
    page.setSelectedControls({&control});
    EXPECT_EQ(field(page, u"txtHeader"_s)->text(), u"Head"_s);
    field(page, u"txtFooter"_s)->setText(u"Page %d"_s);
    EXPECT_TRUE(page.isChanged());
    EXPECT_EQ(control.Footer(), QString());
}

TEST(PrynexPages, AnEmptyHeaderAppliedClearsTheHeader)
{
    Prynex control;
    control.setHeader(u"Head"_s);
    prynex::GeneralPage page;
    page.setSelectedControls({&control});
    field(page, u"txtHeader"_s)->clear();
    field(page, u"txtFileName"_s)->setText(u"report.doc"_s);
    ASSERT_TRUE(page.applyChanges());
    EXPECT_EQ(control.Header(), QString());
    EXPECT_EQ(control.FileName(), u"report.doc"_s);
}

TEST(PrynexPages, LettersStopApplyAtThatPropertyKeepingEarlierOnes)
{
    Prynex control;
    control.setZoom(80);
    control.setMarginTop(500);
    control.setColumns(2);
    prynex::LayOutPage page;
    page.setSelectedControls({&control});
    field(page, u"txtZoom"_s)->setText(u"abc"_s);
    QString failed;
    EXPECT_FALSE(page.applyChanges(&failed));
    EXPECT_EQ(failed, u"Zoom"_s);
    EXPECT_EQ(control.Zoom(), 80);

    field(page, u"txtZoom"_s)->setText(u"60"_s);
    field(page, u"txtMarginTop"_s)->setText(u"top"_s);
    field(page, u"txtColumns"_s)->setText(u"3"_s);
    EXPECT_FALSE(page.applyChanges(&failed));
    EXPECT_EQ(failed, u"MarginTop"_s);
    EXPECT_EQ(control.Zoom(), 60) << "written before the faulty field";
    EXPECT_EQ(control.Columns(), 2) << "after it, not applied";
    EXPECT_TRUE(page.isChanged());
}

TEST(PrynexPages, TheSheetOpensOnTheBoundPage)
{
    Prynex control;
    prynex::PropertySheet sheet({&control});
    QStringList captions;
    for (prynex::PropertyPage *page : sheet.pages())
        captions.append(page->caption());
    EXPECT_EQ(captions, (QStringList{u"LayOut"_s, u"General"_s, u"Font"_s, u"Color"_s}));
    const struct {
        QString property;
        QString page;
    } bindings[] = {{u"Zoom"_s, u"LayOut"_s},      {u"Columns"_s, u"LayOut"_s}, {u"MouseZoom"_s, u"LayOut"_s},
                    {u"Header"_s, u"General"_s},   {u"Footer"_s, u"General"_s}, {u"FileName"_s, u"General"_s},
                    {u"TextColor"_s, u"LayOut"_s}};
    for (const auto &binding : bindings) {
        sheet.openOn(binding.property);
        EXPECT_EQ(sheet.currentPage()->caption(), binding.page) << binding.property.toStdString();
    }
}

TEST(PrynexPages, TheSheetEnablesApplyOnEditAndReportsARefusedValue)
{
    RecordedMessages messages;
    Prynex control;
    control.setZoom(80);
    prynex::PropertySheet sheet({&control});
    sheet.openOn(u"Zoom"_s);
    EXPECT_FALSE(sheet.applyButton()->isEnabled());
    field(*sheet.currentPage(), u"txtZoom"_s)->setText(u"5O"_s);
    EXPECT_TRUE(sheet.applyButton()->isEnabled());
    sheet.applyButton()->click();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts.first().contains(u"Zoom"_s));
    EXPECT_EQ(control.Zoom(), 80);

    field(*sheet.currentPage(), u"txtZoom"_s)->setText(u"50"_s);
    sheet.accept();
    EXPECT_EQ(control.Zoom(), 50);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
}

TEST(PrynexPages, TheColourPageChangesOnlyTheColourEdited)
{
    Prynex control;
    ASSERT_EQ(control.EmptyColor(), 0x8000000Cu) << "a system colour";
    prynex::PropertySheet sheet({&control});
    prynex::PropertyPage *colours = sheet.pages().at(3);
    auto *property = colours->findChild<QComboBox *>(u"cboProperty"_s);
    auto *dialog = colours->findChild<QColorDialog *>(u"colours"_s);
    ASSERT_TRUE(property && dialog);
    property->setCurrentText(u"TextColor"_s);
    EXPECT_FALSE(colours->isChanged());
    dialog->setCurrentColor(QColor(255, 0, 0));
    EXPECT_TRUE(colours->isChanged());
    ASSERT_TRUE(colours->applyChanges());
    EXPECT_EQ(control.TextColor(), 0x0000FFu);
    EXPECT_EQ(control.EmptyColor(), 0x8000000Cu) << "left as it was, not resolved to RGB";
}

TEST(PrynexPages, ApplyStaysEnabledWhileAnyPageHasUnappliedChanges)
{
    Prynex control;
    control.setZoom(80);
    control.setHeader(u"Head"_s);
    prynex::PropertySheet sheet({&control});
    sheet.openOn(u"Zoom"_s);
    field(*sheet.currentPage(), u"txtZoom"_s)->setText(u"50"_s);
    sheet.openOn(u"Header"_s);
    EXPECT_TRUE(sheet.applyButton()->isEnabled()) << "LayOut still has changes";

    // Apply takes every page's changes, not only the one on view.
    field(*sheet.currentPage(), u"txtHeader"_s)->setText(u"Title"_s);
    sheet.applyButton()->click();
    EXPECT_EQ(control.Zoom(), 50);
    EXPECT_EQ(control.Header(), u"Title"_s);
    EXPECT_FALSE(sheet.applyButton()->isEnabled());
}

TEST(PrynexPages, TheFontPageKeepsTheFontNameUnlessAnotherIsPicked)
{
    Prynex control;
    control.setPropertyByName(u"FontName"_s, u"Arial"_s);
    control.setPropertyByName(u"FontSize"_s, 9.75);
    control.setPropertyByName(u"HdrFontName"_s, u"Courier New"_s);
    prynex::PropertySheet sheet({&control});
    prynex::PropertyPage *fonts = sheet.pages().at(2);
    auto *bold = fonts->findChild<QCheckBox *>(u"chkBold"_s);
    ASSERT_NE(bold, nullptr);
    bold->click();
    ASSERT_TRUE(fonts->applyChanges());
    EXPECT_EQ(control.propertyByName(u"FontName"_s).toString(), u"Arial"_s) << "not the family it resolves to";
    EXPECT_TRUE(control.propertyByName(u"FontBold"_s).toBool());
    EXPECT_DOUBLE_EQ(control.propertyByName(u"FontSize"_s).toDouble(), 9.75);
    EXPECT_EQ(control.propertyByName(u"HdrFontName"_s).toString(), u"Courier New"_s);

    // A family the user picks is taken.
    auto *family = fonts->findChild<QFontComboBox *>(u"cboFontName"_s);
    ASSERT_NE(family, nullptr);
    family->setCurrentFont(QFont(u"Liberation Serif"_s));
    ASSERT_TRUE(fonts->applyChanges());
    EXPECT_EQ(control.propertyByName(u"FontName"_s).toString(), u"Liberation Serif"_s);
    EXPECT_TRUE(control.propertyByName(u"FontBold"_s).toBool());
}
