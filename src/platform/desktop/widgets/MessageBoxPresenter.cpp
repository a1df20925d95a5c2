#include "MessageBoxPresenter.h"

#include <QApplication>
#include <QGridLayout>
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

int titleFitWidth(const QString &title)
{
    // Window managers draw the title in a larger, bold font and put the icon
    // and the window buttons beside it; the box itself only knows its own font.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    constexpr int iconAndButtons = 160;
    return QFontMetrics(titleFont).horizontalAdvance(title) + iconAndButtons;
}

Answer showMessageBox(const Box &box)
{
    QMessageBox mb(toQt(box.icon), box.title, box.text, QMessageBox::NoButton, QApplication::activeWindow());
    prepareMessageBox(mb, box);
    mb.exec();
    if (QAbstractButton *clicked = mb.clickedButton())
        return Answer(clicked->property("answer").toInt());
    return box.buttons == Buttons::YesNo ? Answer::No : (box.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel);
}

void prepareMessageBox(QMessageBox &mb, const Box &box)
{
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
    // A message box sizes itself to its text; a spacer across its grid keeps
    // it wide enough for the whole title.
    if (auto *grid = qobject_cast<QGridLayout *>(mb.layout()))
        grid->addItem(new QSpacerItem(titleFitWidth(box.title), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void installMessageBoxPresenter()
{
    install(&showMessageBox);
}

} // namespace msg
