#include "CommandLine.h"

namespace commandline {

Request parse(const QStringList &args)
{
    Request r;
    for (const QString &a : args) {
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            return {Action::Help, {}};
        if (a == QLatin1String("--version") || a == QLatin1String("-v"))
            return {Action::Version, {}};
    }
    for (const QString &a : args) {
        if (a == QLatin1String("--check-startup"))
            r.action = Action::CheckStartup;
        else if (r.refused.isEmpty())
            r.refused = a;
    }
    if (!r.refused.isEmpty())
        r.action = Action::Refuse;
    return r;
}

QString helpText()
{
    return QStringLiteral("Usage: kelvora [--check-startup | --help | --version]\n"
                          "The cash book of a cash desk. The data folder is named in DIADROMH.DAT\n"
                          "(beside the program, or in ~/.config/Kelvora/).\n"
                          "\n"
                          "  --check-startup  go as far as the log-in window, say so and end\n"
                          "  -h, --help       print this text and end\n"
                          "  -v, --version    print the version and end\n");
}

QString versionText()
{
    return QStringLiteral("kelvora " KELVORA_VERSION "\n");
}

QString refusalText(const Request &request)
{
    return QStringLiteral("kelvora: unknown option '") + request.refused
        + QStringLiteral("'\nTry 'kelvora --help' for the options.\n");
}

} // namespace commandline
