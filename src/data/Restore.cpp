#include "Restore.h"

#include "DataFolder.h"
#include "InUseMarker.h"
#include "Schema.h"
#include "SchemaUpgrade.h"
#include "UsersFileUpgrade.h"
#include "YearTotals.h"
#include "platform/db/Database.h"
#include "platform/desktop/WorkstationNames.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <sys/stat.h>
#include <unistd.h>

namespace restore {
namespace {

const QString HolderName = QStringLiteral("kelvora-newdb");

RenameFile &renameFile()
{
    static RenameFile rename;
    return rename;
}

bool renameNow(const QString &from, const QString &to)
{
    if (renameFile())
        return renameFile()(from, to);
    return QFile::rename(from, to); // never replaces an existing file
}

// Holds the in-use marker for the time of the restore, so that no program
// takes it meanwhile. A folder without a readable marker has no holder to
// wait for; its marker is left as it is.
class MarkerHold
{
public:
    explicit MarkerHold(const QString &dataFolder) : m_marker(datafolder::marker(dataFolder))
    {
        const InUseMarker::Record record = m_marker.read();
        switch (record.state) {
        case InUseMarker::Record::State::Taken:
            m_refusal = InUseMarker::holderText(record) +
                        QStringLiteral(" (kelvora.dat): end Kelvora on that workstation first");
            return;
        case InUseMarker::Record::State::Unreachable:
            m_refusal = InUseMarker::problemText(record);
            return;
        case InUseMarker::Record::State::NotAFile:
            m_refusal = QStringLiteral("kelvora.dat is not a regular file (a link?); it is left as it is");
            return;
        case InUseMarker::Record::State::Unreadable:
        case InUseMarker::Record::State::Missing:
            return;
        case InUseMarker::Record::State::Free:
            break;
        }
        if (m_marker.tryTake(HolderName, workstation::machineName()) == InUseMarker::TakeResult::Taken)
            m_taken = true;
        else
            m_refusal = QStringLiteral("the in-use marker kelvora.dat was taken meanwhile or cannot be written");
    }
    ~MarkerHold()
    {
        if (m_taken)
            m_marker.release(QString(), QString());
    }
    MarkerHold(const MarkerHold &) = delete;
    MarkerHold &operator=(const MarkerHold &) = delete;

    const QString &refusal() const { return m_refusal; }

private:
    InUseMarker m_marker;
    QString m_refusal;
    bool m_taken = false;
};

// The working copies beside the live files; whatever is left of them goes.
struct IncomingFiles
{
    QString paths[2];
    ~IncomingFiles()
    {
        for (const QString &p : paths)
            QFile::remove(p);
    }
};

// Table name (lower case) -> column names (lower case), without the engine's own.
using Shape = QMap<QString, QStringList>;

Shape shapeOf(db::Database &db)
{
    Shape shape;
    QStringList tables;
    db::Statement st = db.prepare(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"));
    while (st.next())
        tables << st.text(0);
    for (const QString &table : tables) {
        QStringList columns;
        for (const QString &c : db.columnNames(table))
            columns << c.toLower();
        shape.insert(table.toLower(), columns);
    }
    return shape;
}

// What a file of each kind holds at a version: made by the program's own
// steps in a scratch database, so it cannot drift from them.
Shape expectedMainShape(int version)
{
    auto scratch = db::Database::create(QStringLiteral(":memory:"), QString());
    schema::createMainTables(*scratch);
    if (version >= 2)
        scratch->executeScript(QStringLiteral("ALTER TABLE kinhseis ADD COLUMN L_tajeos INTEGER DEFAULT 0;"));
    if (version >= 4)
        schema::createChangeLogTable(*scratch);
    if (version >= 6)
        schema::createSearchTables(*scratch);
    if (version >= 7)
        yeartotals::create(*scratch);
    return shapeOf(*scratch);
}

Shape expectedUsersShape(int version)
{
    auto scratch = db::Database::create(QStringLiteral(":memory:"), QString());
    schema::createUsersTables(*scratch);
    if (version >= 1)
        usersupgrade::upgradeUsersFile(*scratch);
    return shapeOf(*scratch);
}

// Empty when the file holds every table and column of its kind.
QString shapeProblem(const Shape &found, const Shape &expected)
{
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (!found.contains(it.key()))
            return QStringLiteral("it has no table ") + it.key();
        for (const QString &column : it.value())
            if (!found.value(it.key()).contains(column))
                return QStringLiteral("its table ") + it.key() + QStringLiteral(" has no column ") + column;
    }
    return QString();
}

// Why the copy of kelvora.mdb cannot be put back (empty: it can).
QString mainCopyProblem(const QString &path, const QString &key)
{
    auto copy = db::Database::open(path, key);
    const Shape found = shapeOf(*copy);
    if (!found.contains(QStringLiteral("taytothta")) || !found.contains(QStringLiteral("kinhseis")))
        return found.contains(QStringLiteral("codes"))
                   ? QStringLiteral("it holds the users, not the cash book (are the two files swapped?)")
                   : QStringLiteral("it is not a cash book (no table taytothta or kinhseis)");
    const int version = schemaupgrade::currentVersion(*copy);
    if (version > schema::CurrentVersion)
        return QStringLiteral("its version %1 is newer than this program's %2")
            .arg(version)
            .arg(schema::CurrentVersion);
    return shapeProblem(found, expectedMainShape(version));
}

QString usersCopyProblem(const QString &path, const QString &key)
{
    auto copy = db::Database::open(path, key);
    const Shape found = shapeOf(*copy);
    if (!found.contains(QStringLiteral("codes")))
        return found.contains(QStringLiteral("kinhseis"))
                   ? QStringLiteral("it holds the cash book, not the users (are the two files swapped?)")
                   : QStringLiteral("it is not a users file (no table codes)");
    const int version = usersupgrade::usersVersion(*copy);
    if (version > usersupgrade::CurrentUsersVersion)
        return QStringLiteral("its version %1 is newer than this program's %2")
            .arg(version)
            .arg(usersupgrade::CurrentUsersVersion);
    return shapeProblem(found, expectedUsersShape(version));
}

// Owner and group of the live file and its permissions, limited to owner and
// group; without a live file, the group may read and write when the folder is
// shared by a group (group-writable), else the owner alone.
void takeOverAccess(const QString &incoming, const QString &live, const QString &dataFolder)
{
    const QByteArray in = QFile::encodeName(incoming);
    struct stat st = {};
    mode_t mode = 0600;
    if (::stat(QFile::encodeName(live).constData(), &st) == 0) {
        if (::chown(in.constData(), st.st_uid, st.st_gid) != 0) {
            // Not allowed (only root gives files away): the copy stays ours.
        }
        mode = st.st_mode & 0660;
    } else if (::stat(QFile::encodeName(dataFolder).constData(), &st) == 0 && (st.st_mode & S_IWGRP)) {
        mode = 0660;
    }
    ::chmod(in.constData(), mode | S_IRUSR | S_IWUSR);
}

// ".before-restore-YYYYMMDD-HHMMSS", or with "-2", "-3", ... when a file of
// that name is already there for either database.
QString freeKeptSuffix(const QString (&targets)[2])
{
    const QString base =
        QStringLiteral(".before-restore-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1;; ++n) {
        const QString suffix = n == 1 ? base : base + QStringLiteral("-%1").arg(n);
        bool free = true;
        for (const QString &t : targets)
            free = free && !QFileInfo::exists(t + suffix) && !QFileInfo(t + suffix).isSymLink();
        if (free)
            return suffix;
    }
}

struct Move
{
    QString from;
    QString to;
};

} // namespace

void setRenameForTests(RenameFile rename)
{
    renameFile() = std::move(rename);
}

Result fromBackup(const QString &dataFolder, const QString &backupFolder, const QString &key)
{
    Result r;
    const QString sources[2] = {datafolder::mainDatabase(backupFolder), datafolder::usersDatabase(backupFolder)};
    const QString targets[2] = {datafolder::mainDatabase(dataFolder), datafolder::usersDatabase(dataFolder)};

    const MarkerHold hold(dataFolder);
    if (!hold.refusal().isEmpty()) {
        r.error = hold.refusal();
        return r;
    }
    for (const QString &t : targets) {
        const QString journal = t + QStringLiteral("-journal");
        if (QFileInfo::exists(journal)) {
            r.error = journal + QStringLiteral(" is there: a workstation is writing, or one stopped in the middle of "
                                               "a write. Start Kelvora once and end it (the write is finished or "
                                               "undone), then restore");
            return r;
        }
    }

    IncomingFiles incoming{{targets[0] + QStringLiteral(".restoring"), targets[1] + QStringLiteral(".restoring")}};
    for (int i = 0; i < 2; ++i) {
        QFile::remove(incoming.paths[i]); // left by a restore that was killed
        if (!QFile::copy(sources[i], incoming.paths[i])) {
            r.error = QStringLiteral("cannot copy ") + sources[i] + QStringLiteral(" to ") + incoming.paths[i];
            return r;
        }
        takeOverAccess(incoming.paths[i], targets[i], dataFolder);
    }
    // The copies beside the live files are what will be put in place: they
    // are the ones checked.
    for (int i = 0; i < 2; ++i) {
        QString problem;
        try {
            problem = i == 0 ? mainCopyProblem(incoming.paths[i], key) : usersCopyProblem(incoming.paths[i], key);
        } catch (const db::DbError &e) {
            problem = e.message(); // another key, not encrypted, damaged
        }
        if (!problem.isEmpty()) {
            r.error = sources[i] + QStringLiteral(" cannot be restored: ") + problem;
            return r;
        }
    }

    const QString suffix = freeKeptSuffix(targets);
    QList<Move> steps;
    for (const QString &t : targets)
        if (QFileInfo::exists(t))
            steps.append({t, t + suffix});
    for (int i = 0; i < 2; ++i)
        steps.append({incoming.paths[i], targets[i]});

    QList<Move> done;
    for (const Move &m : steps) {
        if (renameNow(m.from, m.to)) {
            done.append(m);
            continue;
        }
        r.error = QStringLiteral("cannot rename ") + m.from + QStringLiteral(" to ") + m.to;
        for (qsizetype i = done.size() - 1; i >= 0; --i) {
            if (!renameNow(done[i].to, done[i].from))
                r.error += QStringLiteral("; and cannot move ") + done[i].to + QStringLiteral(" back to ") +
                           done[i].from + QStringLiteral(": do it by hand before Kelvora is started");
        }
        return r;
    }
    for (const Move &m : steps)
        if (m.to.endsWith(suffix))
            r.keptFiles << m.to;
    r.ok = true;
    return r;
}

} // namespace restore
