#include "prynex/about/frm_about.h"

#include "prynex/about/logo.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace prynex {

FrmAbout::FrmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"About Prynex..."_s);
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);

    auto *image = new QLabel(this);
    image->setObjectName(u"Image1"_s);
    image->setPixmap(prynexLogo(64));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    grid->addWidget(image, 0, 0, 6, 1);

    auto *title = new QLabel(u"Prynex 1.0"_s, this);
    title->setObjectName(u"lblTitle"_s);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    grid->addWidget(title, 0, 1);

    auto *description = new QLabel(
        u"A page-layout and print-preview control for Qt programs.\n"
        "For licences, support and updates please contact:"_s,
        this);
    description->setObjectName(u"lblDescription"_s);
    grid->addWidget(description, 1, 1);

    const QStringList contacts = {u"Kelvora Software, Odos Ermou 12, 105 63 Athens"_s,
                                  u"Telephone +30 210 000 0000"_s, u"prynex@kelvora.example"_s};
    for (int i = 0; i < contacts.size(); ++i) {
        auto *line = new QLabel(contacts[i], this);
        line->setObjectName(u"lblContact(%1)"_s.arg(i));
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(line, 2 + i, 1);
    }

    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"cmdOK"_s);
    ok->setDefault(true);
    grid->addWidget(ok, 5, 1, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint());
}

}  // namespace prynex
