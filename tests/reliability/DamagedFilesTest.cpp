// Hostile and damaged files met at start: each must end in a clear message
// before the main window, and leave every file of the program and data folders
// byte for byte as it was. A few are not damage at all and must simply work.
#include "UserOperations.h"

#include "app/Program.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "platform/db/Database.h"
#include "platform/desktop/Settings.h"
#include "shell/login/Login.h"
#include "shell/mainwindow/kentrikh.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void flipByte(const QString &path, qint64 offset)
{
    QByteArray b = readBytes(path);
    b[offset] = char(b[offset] ^ 0x5A);
    writeBytes(path, b);
}

// Name and digest of every file under the folders.
QMap<QString, QByteArray> fingerprint(const QStringList &folders)
{
    QMap<QString, QByteArray> out;
    for (const QString &folder : folders) {
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            // No case damages the users file, and every log-in try is written
            // to its log: that file is expected to change.
            if (path.endsWith(QStringLiteral("/mapcodes.mdb")) || path.endsWith(QStringLiteral("/mapcodes.mdb-journal")))
                continue;
            out.insert(path, QCryptographicHash::hash(readBytes(path), QCryptographicHash::Sha256));
        }
    }
    return out;
}

QByteArray windows1253(const QString &text)
{
    QByteArray out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        out += u < 0x80 ? char(u) : char(u - 0x2D0); // Greek letters only
    }
    return out;
}

// Refused: a message and no main window. Warned: a message, the program may go
// on, the file stays as it was. Works: no damage, the program starts.
enum class Expect { Refused, Warned, Works };

struct Case
{
    const char *name;
    Expect expect;
    // Damages the data folder (or the program folder) of a good installation.
    std::function<void(const QString &programDir, const QString &dataDir)> damage;
};

const QString Mdb = QStringLiteral("/kelvora.mdb");

std::vector<Case> cases()
{
    auto mdb = [](const QString &data) { return data + Mdb; };
    return {
        {"plain SQLite file", Expect::Refused,
         [=](const QString &, const QString &d) {
             QFile::remove(mdb(d));
             writeBytes(mdb(d), QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\0'));
         }},
        {"another key", Expect::Refused,
         [=](const QString &, const QString &d) {
             QFile::remove(mdb(d));
             db::Database::create(mdb(d), QStringLiteral("not-the-key"))->executeScript(QStringLiteral("CREATE TABLE t (a);"));
         }},
        {"flipped byte in page 1", Expect::Refused, [=](const QString &, const QString &d) { flipByte(mdb(d), 200); }},
        // A page deep in the file: the integrity check at open finds it, says
        // so, and the book is opened for reading only.
        {"flipped byte in the middle", Expect::Warned,
         [=](const QString &, const QString &d) { flipByte(mdb(d), QFileInfo(mdb(d)).size() / 2 + 100); }},
        {"file cut in half", Expect::Refused,
         [=](const QString &, const QString &d) { writeBytes(mdb(d), readBytes(mdb(d)).left(int(QFileInfo(mdb(d)).size() / 2))); }},
        {"zero-byte database", Expect::Refused, [=](const QString &, const QString &d) { writeBytes(mdb(d), {}); }},
        {"missing mapcodes.mdb", Expect::Refused,
         [](const QString &, const QString &d) { QFile::remove(datafolder::usersDatabase(d)); }},
        {"kelvora.dat of 0 bytes", Expect::Warned,
         [](const QString &, const QString &d) { writeBytes(datafolder::marker(d), {}); }},
        {"kelvora.dat of 10 bytes", Expect::Warned,
         [](const QString &, const QString &d) { writeBytes(datafolder::marker(d), "0ADMIN    "); }},
        {"kelvora.dat of 5000 bytes", Expect::Warned,
         [](const QString &, const QString &d) { writeBytes(datafolder::marker(d), QByteArray(5000, 'Z')); }},
        {"kelvora.dat of junk", Expect::Warned,
         [](const QString &, const QString &d) {
             QByteArray junk;
             for (int i = 0; i < 51; ++i)
                 junk += char((i * 37 + 11) % 256);
             writeBytes(datafolder::marker(d), junk);
         }},
        {"DIADROMH.DAT of junk", Expect::Refused,
         [](const QString &p, const QString &) {
             QByteArray junk;
             for (int i = 0; i < 300; ++i)
                 junk += char((i * 91 + 7) % 256);
             writeBytes(p + QStringLiteral("/DIADROMH.DAT"), junk);
         }},
        {"DIADROMH.DAT of 1 MB", Expect::Refused,
         [](const QString &p, const QString &) { writeBytes(p + QStringLiteral("/DIADROMH.DAT"), QByteArray(1 << 20, 'A')); }},
        {"settings file of junk", Expect::Works,
         [](const QString &p, const QString &) {
             QByteArray junk("[\xff\xfe\n=\n[[[\nkey\xc0=\x01\x02\n");
             junk += QByteArray(2000, '\x07');
             writeBytes(p + QStringLiteral("/settings.ini"), junk);
         }},
    };
}

class DamagedFiles : public ::testing::TestWithParam<Case>
{
};

// Starts the program as a user does and logs in as admin; true when the main
// window is up. A window-modal dialog the test does not expect fails the test
// instead of blocking it.
bool startAndLogIn(Program &program)
{
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a modal window opened: " << modal->objectName().toStdString();
            modal->close();
        }
    });
    guard.start(200);
    if (!program.start())
        return false;
    Login *login = program.login();
    login->findChild<QLineEdit *>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("admin"));
    login->findChild<QLineEdit *>(QStringLiteral("Text1(1)"))->setText(QStringLiteral("admin"));
    login->findChild<QAbstractButton *>(QStringLiteral("Command1(0)"))->click();
    QApplication::processEvents();
    return program.mainWindow() && program.mainWindow()->isVisible();
}

TEST_P(DamagedFiles, EndInAClearMessageAndChangeNoFile)
{
    const Case &c = GetParam();
    QTemporaryDir programDir, dataDir, configHome;
    // A second DIADROMH.DAT may live in the user's configuration folder.
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    {
        TestDataFolder good;
        reliability::copyBook(good.path(), dataDir.path());
    }
    writeBytes(programDir.filePath(QStringLiteral("DIADROMH.DAT")), dataDir.path().toUtf8() + "\r\n");
    c.damage(programDir.path(), dataDir.path());
    settings::useFile(programDir.filePath(QStringLiteral("settings.ini")));
    const auto before = fingerprint({programDir.path(), dataDir.path(), configHome.path()});

    ScriptedMessages messages;
    bool reachedMainWindow = false;
    {
        Program program(programDir.path());
        reachedMainWindow = startAndLogIn(program);
        // An unreadable marker refuses changes: the user hears it at the first one.
        if (reachedMainWindow && c.expect == Expect::Warned)
            program.mainWindow()->findChild<QAbstractButton *>(QStringLiteral("Command1(0)"))->click();
    }
    if (c.expect == Expect::Works) {
        EXPECT_TRUE(reachedMainWindow) << messages.texts().join(QLatin1Char('\n')).toStdString();
        return;
    }
    EXPECT_GE(messages.count(), 1) << "the program went on without a word";
    if (c.expect == Expect::Refused) {
        EXPECT_FALSE(reachedMainWindow);
    }
    EXPECT_EQ(fingerprint({programDir.path(), dataDir.path(), configHome.path()}), before) << "a file changed";
}

INSTANTIATE_TEST_SUITE_P(Reliability, DamagedFiles, ::testing::ValuesIn(cases()),
                         [](const auto &info) {
                             std::string n = info.param.name;
                             for (char &ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

// DIADROMH.DAT written by an older installation holds the folder in the Greek
// single-byte code page; a folder with Greek letters must still be found.
TEST(DamagedFilesCodePage, DiadromhInTheGreekCodePageFindsTheFolder)
{
    QTemporaryDir programDir, base, configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    const QString dataDir = base.filePath(QStringLiteral("ΤΑΜΕΙΟ"));
    ASSERT_TRUE(QDir().mkpath(dataDir));
    {
        TestDataFolder good;
        reliability::copyBook(good.path(), dataDir);
    }
    writeBytes(programDir.filePath(QStringLiteral("DIADROMH.DAT")), windows1253(dataDir) + "\r\n");
    settings::useFile(programDir.filePath(QStringLiteral("settings.ini")));
    ScriptedMessages messages;
    Program program(programDir.path());
    EXPECT_TRUE(startAndLogIn(program)) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

} // namespace
