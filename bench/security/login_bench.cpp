// What the password hash costs a user at log-in: from pressing OK in the
// log-in window to the main window shown, beside the bare hash (its floor),
// for a password stored
//   - at the program's count (every log-in from now on),
//   - at the old 55.000 iterations, the first log-in with this program (it is
//     verified at the old count, then hashed again at the new one),
//   - at the old count under the old program's setting (the time users had).
//
//   login_bench [RUNS]

#include "app/Program.h"
#include "bench/support/Timing.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/Schema.h"
#include "data/UserPasswords.h"
#include "platform/db/Database.h"
#include "platform/desktop/Messages.h"
#include "platform/security/PasswordHash.h"
#include "shell/login/Login.h"
#include "shell/mainwindow/kentrikh.h"
#include "tools/NewInstallation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using benchsupport::median;
using benchsupport::millis;

namespace {

constexpr int OldIterations = 55'000;
const QString Name = QStringLiteral("benchuser");
const QString Password = QStringLiteral("Κλειδί-2026");

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "login_bench: %s\n", what);
    std::exit(1);
}

// A data folder at the current schema (no opening-balance question) with one user.
QString makeBook(QTemporaryDir &scratch)
{
    const QString folder = scratch.filePath(QStringLiteral("book"));
    newinstall::createDatabases(folder, globals().DbPassword);
    auto main = db::Database::open(datafolder::mainDatabase(folder), globals().DbPassword);
    main->executeScript(QStringLiteral("INSERT INTO taytothta (ariumos) VALUES (4);"
                                       "ALTER TABLE kinhseis ADD COLUMN L_tajeos INTEGER DEFAULT 0;"));
    schema::createChangeLogTable(*main);
    auto users = db::Database::open(datafolder::usersDatabase(folder), globals().DbPassword);
    newinstall::addUser(*users, {Name, Password});
    return folder;
}

void storeHash(const QString &book, int iterations)
{
    auto users = db::Database::open(datafolder::usersDatabase(book), globals().DbPassword);
    users->execute(QStringLiteral("UPDATE codes SET upass = ?1 WHERE uname = ?2"),
                   passwordhash::hash(userpassword::folded(Password), iterations), Name);
}

int storedIterations(const QString &book)
{
    auto users = db::Database::open(datafolder::usersDatabase(book), globals().DbPassword);
    return users->scalar(QStringLiteral("SELECT upass FROM codes WHERE uname = ?1"), Name)
        .toString()
        .section(QLatin1Char('$'), 1, 1)
        .toInt();
}

// One log-in through the real window to the main window shown, in ms.
double logInToMainWindow(const QString &programDir)
{
    Program program(programDir);
    if (!program.start() || !QTest::qWaitForWindowExposed(program.login()))
        fail("the log-in window did not show");
    program.login()->findChild<QLineEdit *>(QStringLiteral("Text1(0)"))->setText(Name);
    program.login()->findChild<QLineEdit *>(QStringLiteral("Text1(1)"))->setText(Password);
    const double ms = millis([&] {
        program.login()->findChild<QAbstractButton *>(QStringLiteral("Command1(0)"))->click();
        if (!program.mainWindow() || !QTest::qWaitForWindowExposed(program.mainWindow()))
            fail("the main window did not show");
    });
    if (globals().CurrentUserName != Name)
        fail("nobody was logged in");
    program.mainWindow()->close();
    QApplication::processEvents();
    return ms;
}

struct Series
{
    const char *what;
    int storedAt;
    int programCount;
    std::vector<double> ms;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
    int boxes = 0;
    msg::install([&boxes](const msg::Box &b) {
        ++boxes;
        return b.defaultButton;
    });

    QTemporaryDir scratch;
    const QString book = makeBook(scratch);
    QFile path(scratch.filePath(QStringLiteral("DIADROMH.DAT")));
    if (!path.open(QIODevice::WriteOnly))
        fail("DIADROMH.DAT not written");
    path.write(book.toUtf8() + '\n');
    path.close();

    std::vector<double> bare;
    const QString stored = passwordhash::hash(userpassword::folded(Password));
    for (int i = 0; i < runs; ++i)
        bare.push_back(millis([&] {
            if (!passwordhash::verify(userpassword::folded(Password), stored))
                fail("the bare hash did not verify");
        }));

    Series series[] = {
        {"stored at the program's count     ", passwordhash::DefaultIterations, passwordhash::DefaultIterations, {}},
        {"stored at 55.000, first log-in    ", OldIterations, passwordhash::DefaultIterations, {}},
        {"stored at 55.000, old program     ", OldIterations, OldIterations, {}},
    };
    for (Series &s : series) {
        passwordhash::setIterations(s.programCount);
        for (int i = 0; i < runs; ++i) {
            storeHash(book, s.storedAt);
            s.ms.push_back(logInToMainWindow(scratch.path()));
            if (storedIterations(book) != s.programCount)
                fail("the stored hash is not at the program's count after the log-in");
        }
    }
    passwordhash::setIterations(passwordhash::DefaultIterations);

    std::printf("iterations: %d (old: %d)\n", passwordhash::DefaultIterations, OldIterations);
    const auto least = [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); };
    std::printf("bare hash at %d iterations            : median %.1f ms (min %.1f, %d runs)\n",
                passwordhash::DefaultIterations, median(bare), least(bare), runs);
    for (const Series &s : series)
        std::printf("log-in to main window, %s: median %.1f ms (min %.1f, %d runs)\n", s.what, median(s.ms),
                    least(s.ms), runs);
    std::printf("added by the new count to every log-in: %.1f ms\n", median(series[0].ms) - median(series[2].ms));
    std::printf("message boxes answered: %d\n", boxes);
    return boxes == 0 ? 0 : 1;
}
