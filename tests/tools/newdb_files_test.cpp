// What kelvora-newdb makes in a data folder, seen from outside: nothing
// through a link, and nothing wider than its owner (and the group of a folder
// set up for a group).
#include "data/DataFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

int newdb(const QString &folder, QString *errors = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(KELVORA_NEWDB), {folder, QStringLiteral("--admin-code"), QStringLiteral("Ταμείο-2026")});
    p.closeWriteChannel();
    p.waitForFinished(60000);
    if (errors)
        *errors = QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}

mode_t modeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

QByteArray digest(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

} // namespace

// A kelvora.dat (or a book's name) that is a dangling link would have its
// target made wherever it points; a link to a file would have it overwritten.
TEST(NewDbFiles, LinksInTheFolderAreRefusedAndTheirTargetsUntouched)
{
    for (const char *name : {"kelvora.dat", "kelvora.mdb", "mapcodes.mdb"}) {
        SCOPED_TRACE(name);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("data"));
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString nowhere = dir.filePath(QStringLiteral("made-through-the-link"));
        ASSERT_TRUE(QFile::link(nowhere, folder + QLatin1Char('/') + QLatin1String(name)));
        QString errors;
        EXPECT_NE(newdb(folder, &errors), 0);
        EXPECT_TRUE(errors.contains(QStringLiteral("link"))) << errors.toStdString();
        EXPECT_FALSE(QFileInfo::exists(nowhere));
        EXPECT_FALSE(QFileInfo(datafolder::usersDatabase(folder)).isFile() && QString::fromLatin1(name) != u"mapcodes.mdb");
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = dir.filePath(QStringLiteral("precious"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a marker");
    }
    const QByteArray before = digest(target);
    ASSERT_TRUE(QFile::link(target, datafolder::marker(folder)));
    EXPECT_NE(newdb(folder), 0);
    EXPECT_EQ(digest(target), before);
}

// A new folder is its owner's; a folder set up for a group gives the group
// read and write on every file, never anything to others.
TEST(NewDbFiles, FilesAreNoWiderThanTheFolderGives)
{
    QTemporaryDir dir;
    const QString privateFolder = dir.filePath(QStringLiteral("private"));
    ASSERT_EQ(newdb(privateFolder), 0);
    EXPECT_EQ(modeOf(privateFolder), mode_t(0700));
    for (const QString &f : {datafolder::mainDatabase(privateFolder), datafolder::usersDatabase(privateFolder),
                             datafolder::marker(privateFolder)})
        EXPECT_EQ(modeOf(f), mode_t(0600)) << qPrintable(f);

    const QString shared = dir.filePath(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 02770), 0);
    ASSERT_EQ(newdb(shared), 0);
    EXPECT_EQ(modeOf(shared), mode_t(02770));
    for (const QString &f : {datafolder::mainDatabase(shared), datafolder::usersDatabase(shared),
                             datafolder::marker(shared)})
        EXPECT_EQ(modeOf(f), mode_t(0660)) << qPrintable(f);
}
