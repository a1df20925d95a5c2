#pragma once

#include <QString>
#include <functional>

// Every message box of the program goes through ask(): the logic decides what
// to say, the installed presenter shows it. The program installs a presenter
// that shows a real modal box; tests install a scripted one that records what
// was shown and answers, so nothing ever blocks on a box in a test.
namespace msg {

enum class Icon { None, Information, Critical, Exclamation, Question };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct Box
{
    QString title;
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultButton = Answer::Ok;
};

using Presenter = std::function<Answer(const Box &)>;

// Installs the presenter; returns the one it replaces.
Presenter install(Presenter presenter);

Answer ask(const Box &box);

// The shapes the program uses everywhere.
void information(const QString &title, const QString &text);
void critical(const QString &title, const QString &text);
void exclamation(const QString &title, const QString &text);
bool confirmOkCancel(const QString &title, const QString &text);
bool confirmYesNo(const QString &title, const QString &text, Answer defaultButton = Answer::Yes);

} // namespace msg
