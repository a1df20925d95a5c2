#include "Messages.h"

#include <QDebug>

namespace msg {
namespace {

Presenter &current()
{
    static Presenter p;
    return p;
}

} // namespace

Presenter install(Presenter presenter)
{
    Presenter old = std::move(current());
    current() = std::move(presenter);
    return old;
}

Answer ask(const Box &given)
{
    // One line-break convention for every box: the old screens broke lines
    // with a carriage return, which a box here would not show as a break.
    Box box = given;
    box.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!current()) {
        qWarning().noquote() << box.title << ":" << box.text;
        return box.defaultButton;
    }
    return current()(box);
}

void information(const QString &title, const QString &text)
{
    ask({title, text, Icon::Information, Buttons::Ok, Answer::Ok});
}

void critical(const QString &title, const QString &text)
{
    ask({title, text, Icon::Critical, Buttons::Ok, Answer::Ok});
}

void exclamation(const QString &title, const QString &text)
{
    ask({title, text, Icon::Exclamation, Buttons::Ok, Answer::Ok});
}

bool confirmOkCancel(const QString &title, const QString &text)
{
    return ask({title, text, Icon::Question, Buttons::OkCancel, Answer::Ok}) == Answer::Ok;
}

bool confirmYesNo(const QString &title, const QString &text, Answer defaultButton)
{
    return ask({title, text, Icon::Question, Buttons::YesNo, defaultButton}) == Answer::Yes;
}

} // namespace msg
