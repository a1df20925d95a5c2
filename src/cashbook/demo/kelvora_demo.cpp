// kelvora-demo FOLDER: fills a new data folder with a demo cash book.
#include "DemoBook.h"

#include "platform/db/DbError.h"
#include "platform/regional/Clock.h"
#include "platform/regional/GreekFormats.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: kelvora-demo FOLDER\n"
                             "Creates the databases in FOLDER (or uses the new, empty ones there) and books a\n"
                             "demo cash book of three months up to yesterday. Log in as demo / demo.\n");
        return 2;
    }
    const QString folder = QDir(args[1]).absolutePath();
    try {
        const demobook::Summary s = demobook::build(folder, Clock::today());
        std::printf("demo book in %s: opening balance 1.500,00 on %s, %d movements on %d days, %d days closed\n"
                    "log in as user \"demo\" with password \"demo\"\n",
                    qPrintable(folder), qPrintable(regional::formatDate(s.openingDay)), s.movements, s.days,
                    s.closedDays);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "kelvora-demo: %s\n", e.what());
        return 1;
    }
}
