// Times the integrity check every start runs on both files of a data folder
// (PRAGMA quick_check), against the time to open the file at all.
//
//   quickcheck_bench [BOOK_FOLDER] [RUNS]
// Without a folder, a 10-year book is generated with kelvora-genbook first.

#include "bench/support/Timing.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "platform/db/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using benchsupport::median;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    QString book = app.arguments().size() > 1 ? app.arguments()[1] : QString();
    if (book.isEmpty()) {
        book = scratch.filePath(QStringLiteral("book"));
        const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/kelvora-genbook");
        std::printf("generating a 10-year book with %s ...\n", qPrintable(tool));
        if (QProcess::execute(tool, {book}) != 0) {
            std::fprintf(stderr, "kelvora-genbook failed\n");
            return 1;
        }
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    for (const QString &file : {datafolder::mainDatabase(book), datafolder::usersDatabase(book)}) {
        std::vector<double> open, check;
        QString answer;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer t;
            t.start();
            auto db = db::Database::open(file, globals().DbPassword);
            open.push_back(t.nsecsElapsed() / 1e6);
            t.restart();
            answer = db->quickCheck();
            check.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("%s (%.1f MB): open median %.1f ms, quick_check median %.1f ms (min %.1f, %d runs), answer %s\n",
                    qPrintable(QFileInfo(file).fileName()), double(QFileInfo(file).size()) / 1e6, median(open),
                    median(check), *std::min_element(check.begin(), check.end()), runs, qPrintable(answer));
    }
    return 0;
}
