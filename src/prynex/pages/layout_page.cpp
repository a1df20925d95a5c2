#include "prynex/pages/layout_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace prynex {

LayOutPage::LayOutPage(QWidget *parent) : PropertyPage(u"LayOut"_s, parent)
{
    setObjectName(u"LayOut"_s);
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(2);

    // Each label stands above its box; a column fills from the top.
    int rows[2] = {0, 0};
    auto placeText = [&](int column, const QString &name, const QString &label, const QString &text) {
        QLineEdit *edit = addTextField(name, label, text);
        grid->addWidget(findChild<QLabel *>(label), rows[column]++, column);
        grid->addWidget(edit, rows[column]++, column);
        return edit;
    };
    auto placeCheck = [&](int column, const QString &name, const QString &caption) {
        QCheckBox *check = addCheckField(name, caption);
        grid->addWidget(check, rows[column]++, column);
        return check;
    };
    QLineEdit *columns = placeText(0, u"txtColumns"_s, u"lblColumns"_s, u"Columns:"_s);
    QLineEdit *marginLeft = placeText(0, u"txtMarginLeft"_s, u"lblMarginLeft"_s, u"MarginLeft:"_s);
    QLineEdit *marginRight = placeText(0, u"txtMarginRight"_s, u"lblMarginRight"_s, u"MarginRight:"_s);
    QLineEdit *marginTop = placeText(0, u"txtMarginTop"_s, u"lblMarginTop"_s, u"MarginTop:"_s);
    QCheckBox *mousePage = placeCheck(0, u"chkMousePage"_s, u"MousePage"_s);
    QCheckBox *mouseScroll = placeCheck(1, u"chkMouseScroll"_s, u"MouseScroll"_s);
    QCheckBox *mouseZoom = placeCheck(1, u"chkMouseZoom"_s, u"MouseZoom"_s);
    QCheckBox *preview = placeCheck(1, u"chkPreview"_s, u"Preview"_s);
    QLineEdit *spaceAfter = placeText(1, u"txtSpaceAfter"_s, u"lblSpaceAfter"_s, u"SpaceAfter:"_s);
    QLineEdit *zoom = placeText(1, u"txtZoom"_s, u"lblZoom"_s, u"Zoom:"_s);
    grid->setRowStretch(std::max(rows[0], rows[1]), 1);

    std::vector<Field> order = {
        {u"Zoom"_s, zoom},
        {u"SpaceAfter"_s, spaceAfter},
        {u"Preview"_s, preview},
        {u"MouseZoom"_s, mouseZoom},
        {u"MouseScroll"_s, mouseScroll},
        {u"MousePage"_s, mousePage},
        {u"MarginTop"_s, marginTop},
        {u"MarginRight"_s, marginRight},
        {u"MarginLeft"_s, marginLeft},
        {u"Columns"_s, columns},
    };
    setFields(std::move(order));
}

}  // namespace prynex
