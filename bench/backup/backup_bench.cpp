// The backup of both databases taken when a day is closed, on the generated
// ten-year book, with the real key derivation (each copy is a new encrypted
// file). Usage: kelvora-bench-backup [FOLDER]  (a book is generated into a
// temporary folder when none is given).
#include "bench/support/BookGenerator.h"
#include "data/AppGlobals.h"
#include "data/Backup.h"
#include "data/DataFolder.h"
#include "data/Store.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp;
    // A given book is copied first: the backups and their pruning never touch it.
    const QString given = app.arguments().value(1);
    const QString folder = temp.filePath(QStringLiteral("book"));
    if (!given.isEmpty()) {
        QDir().mkpath(folder);
        QFile::copy(datafolder::mainDatabase(given), datafolder::mainDatabase(folder));
        QFile::copy(datafolder::usersDatabase(given), datafolder::usersDatabase(folder));
    } else {
        std::printf("generating the ten-year book...\n");
        const benchsupport::GeneratedBook b = benchsupport::generateBook(folder);
        std::printf("book: %d days, %d movements\n", b.days, b.movements);
    }
    std::printf("kelvora.mdb %.1f MB, mapcodes.mdb %.1f kB\n",
                double(QFileInfo(datafolder::mainDatabase(folder)).size()) / 1e6,
                double(QFileInfo(datafolder::usersDatabase(folder)).size()) / 1e3);

    Store store(folder, globals().DbPassword);
    store.main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis")); // opened, as in the running program
    store.users().scalar(QStringLiteral("SELECT count(*) FROM codes"));

    std::vector<double> runs;
    const QDate day(2026, 12, 1);
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        const backup::Result r = backup::backupDay(store, day.addDays(i));
        runs.push_back(double(t.nsecsElapsed()) / 1e6);
        if (!r.ok) {
            std::fprintf(stderr, "backup failed: %s\n", qPrintable(r.error));
            return 1;
        }
    }
    std::sort(runs.begin(), runs.end());
    std::printf("backup at close (both files, %zu runs): median %.1f ms, min %.1f ms, max %.1f ms\n", runs.size(),
                runs[runs.size() / 2], runs.front(), runs.back());
    return 0;
}
