// A form made in Qt Designer, compiled by uic: every property it sets must
// reach the control through the setters uic calls.
#include "label3d_test_support.h"
#include "ui_label3d_form.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kelvora::Label3D;
using kelvora::OleColor;
using namespace label3dtest;

TEST(Label3DForm, DesignerFormSetsEveryProperty)
{
    QWidget form;
    Ui::Label3DForm ui;
    ui.setupUi(&form);
    const Label3D &title = *ui.title;

    EXPECT_EQ(title.caption(), u"Κεντρικό"_s);
    EXPECT_EQ(backCopy(title)->text(), u"Κεντρικό"_s);
    EXPECT_EQ(title.alignment(), Label3D::Center);
    EXPECT_EQ(title.phase(), 3);
    EXPECT_EQ(positionTwips(frontCopy(title)), QPoint(15, 15));
    EXPECT_EQ(title.foreColor1(), OleColor(0x0000FFu));
    EXPECT_EQ(title.foreColor2(), OleColor(0xFF0000u));
    EXPECT_EQ(title.backColor(), OleColor(0x008000u));
    EXPECT_EQ(title.borderStyle(), Label3D::FixedSingle);
    EXPECT_FALSE(title.labelsEnabled());
    EXPECT_EQ(frontCopy(title)->font().family(), u"DejaVu Serif"_s);
    EXPECT_TRUE(frontCopy(title)->font().bold());
    EXPECT_EQ(title.sizeTwips(), QSize(2250, 450));
}
