#pragma once

#include <QString>
#include <QStringList>

// What `kelvora` was asked to do on its command line. Nothing here starts a
// window or writes a file: --help and --version are answered before anything
// else is made.
namespace commandline {

enum class Action { Run, CheckStartup, Help, Version, Refuse };

struct Request
{
    Action action = Action::Run;
    QString refused; // the option that was not understood
};

// args without the program name. Help and version win over anything else.
Request parse(const QStringList &args);

QString helpText();
QString versionText();
QString refusalText(const Request &request);

} // namespace commandline
