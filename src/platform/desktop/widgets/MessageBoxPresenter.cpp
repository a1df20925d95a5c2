#include "MessageBoxPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace msg {
namespace {

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Answer showMessageBox(const Box &box)
{
    QMessageBox mb(toQt(box.icon), box.title, box.text, QMessageBox::NoButton, QApplication::activeWindow());
    auto add = [&](Answer a, const QString &caption, QMessageBox::ButtonRole role) {
        QPushButton *b = mb.addButton(caption, role);
        b->setProperty("answer", int(a));
        if (a == box.defaultButton)
            mb.setDefaultButton(b);
    };
    switch (box.buttons) {
    case Buttons::Ok:
        add(Answer::Ok, QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::OkCancel:
        add(Answer::Ok, QStringLiteral("OK"), QMessageBox::AcceptRole);
        add(Answer::Cancel, QStringLiteral("Άκυρο"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
        add(Answer::Yes, QStringLiteral("Ναι"), QMessageBox::YesRole);
        add(Answer::No, QStringLiteral("Όχι"), QMessageBox::NoRole);
        break;
    }
    mb.exec();
    if (QAbstractButton *clicked = mb.clickedButton())
        return Answer(clicked->property("answer").toInt());
    return box.buttons == Buttons::YesNo ? Answer::No : (box.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel);
}

void installMessageBoxPresenter()
{
    install(&showMessageBox);
}

} // namespace msg
