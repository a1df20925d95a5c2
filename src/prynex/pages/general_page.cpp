#include "prynex/pages/general_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace prynex {

GeneralPage::GeneralPage(QWidget *parent) : PropertyPage(u"General"_s, parent)
{
    setObjectName(u"General"_s);
    auto *column = new QVBoxLayout(this);
    column->setSpacing(2);
    auto place = [&](const QString &name, const QString &label, const QString &text) {
        QLineEdit *edit = addTextField(name, label, text);
        column->addWidget(findChild<QLabel *>(label));
        column->addWidget(edit);
        column->addSpacing(6);
        return edit;
    };
    QLineEdit *header = place(u"txtHeader"_s, u"lblHeader"_s, u"Header:"_s);
    QLineEdit *footer = place(u"txtFooter"_s, u"lblFooter"_s, u"Footer:"_s);
    QLineEdit *fileName = place(u"txtFileName"_s, u"lblFileName"_s, u"FileName:"_s);
    column->addStretch(1);

    std::vector<Field> order = {{u"Header"_s, header}, {u"Footer"_s, footer}, {u"FileName"_s, fileName}};
    setFields(std::move(order));
}

}  // namespace prynex
