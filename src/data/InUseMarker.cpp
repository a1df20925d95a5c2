#include "InUseMarker.h"

#include "FileModes.h"
#include "platform/regional/GreekCodePage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <sys/stat.h>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The record is single-byte text in the Greek code page.
QByteArray field(const QString &text, int length)
{
    QByteArray out;
    out.reserve(length);
    out += regional::toGreekCodePage(text.left(length));
    while (out.size() < length)
        out += ' ';
    return out;
}

QString unfield(const QByteArray &bytes)
{
    QString s = regional::fromGreekCodePage(bytes);
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

int &lockWaitMs()
{
    static int value = InUseMarker::DefaultLockWaitMs;
    return value;
}

std::function<void(bool)> &waitHook()
{
    static std::function<void(bool)> hook;
    return hook;
}

// Tells the hook that a wait began, and that it ended when this goes away.
class WaitShown
{
public:
    void begin()
    {
        if (!m_shown && waitHook()) {
            m_shown = true;
            waitHook()(true);
        }
    }
    ~WaitShown()
    {
        if (m_shown && waitHook())
            waitHook()(false);
    }

private:
    bool m_shown = false;
};

// An open marker file with a POSIX record lock (shared for reading, exclusive
// for a read-check-write), which also works on network file systems. The lock
// is waited for a bounded time; the lock ends when the descriptor closes.
class LockedFile
{
public:
    // Change never creates; Create makes a missing file (and only a missing
    // one); Rewrite opens or creates whatever is there.
    enum class Mode { Read, Change, Create, Rewrite };

    LockedFile(const QString &path, Mode mode)
    {
        // A link is never followed (it could point at any file the user may
        // write), and the open never waits on something that is not a file.
        int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        switch (mode) {
        case Mode::Read: flags |= O_RDONLY; break;
        case Mode::Change: flags |= O_RDWR; break;
        case Mode::Create: flags |= O_RDWR | O_CREAT | O_EXCL; break;
        case Mode::Rewrite: flags |= O_RDWR | O_CREAT; break;
        }
        const QString folder = QFileInfo(path).path();
        const QByteArray name = QFile::encodeName(path);
        bool created = false;
        if (mode == Mode::Rewrite) {
            // Made when missing (with exactly its mode), else opened as it is.
            m_fd = ::open(name.constData(), flags | O_EXCL, filemodes::fileMode(folder));
            created = m_fd >= 0;
            if (m_fd < 0 && errno == EEXIST)
                m_fd = ::open(name.constData(), flags & ~O_CREAT);
        } else {
            m_fd = ::open(name.constData(), flags, filemodes::fileMode(folder));
            created = m_fd >= 0 && mode == Mode::Create;
        }
        if (m_fd < 0) {
            m_missing = errno == ENOENT;
            m_exists = errno == EEXIST;
            m_notAFile = errno == ELOOP;
            return;
        }
        struct stat st {};
        if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            m_notAFile = true;
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        if (created)
            ::fchmod(m_fd, filemodes::fileMode(folder)); // exactly, whatever the umask
        struct flock lk {};
        lk.l_type = mode == Mode::Read ? F_RDLCK : F_WRLCK;
        lk.l_whence = SEEK_SET;
        QElapsedTimer waited;
        waited.start();
        WaitShown shown;
        for (;;) {
            if (fcntl(m_fd, F_SETLK, &lk) == 0)
                break;
            if (errno != EACCES && errno != EAGAIN && errno != EINTR)
                break; // a file system without locks: the access goes on unlocked, as before locking
            if (waited.elapsed() >= lockWaitMs()) {
                m_timedOut = true;
                return;
            }
            shown.begin();
            ::usleep(20'000);
        }
        m_locked = true;
    }
    ~LockedFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    LockedFile(const LockedFile &) = delete;
    LockedFile &operator=(const LockedFile &) = delete;

    bool ok() const { return m_fd >= 0 && m_locked; }
    bool missing() const { return m_missing; }
    bool alreadyThere() const { return m_exists; }
    bool notAFile() const { return m_notAFile; }
    bool timedOut() const { return m_timedOut; }

    // Reads one byte more than a record, so a longer file shows.
    QByteArray readRecord() const
    {
        QByteArray buf(InUseMarker::RecordLength + 1, '\0');
        const ssize_t n = ::pread(m_fd, buf.data(), size_t(buf.size()), 0);
        buf.resize(n > 0 ? int(n) : 0);
        return buf;
    }
    bool writeRecord(const QByteArray &rec) const
    {
        const bool written = ::pwrite(m_fd, rec.constData(), size_t(rec.size()), 0) == rec.size();
        return written && ::ftruncate(m_fd, rec.size()) == 0 && ::fsync(m_fd) == 0;
    }

private:
    int m_fd = -1;
    bool m_locked = false;
    bool m_missing = false;
    bool m_exists = false;
    bool m_notAFile = false;
    bool m_timedOut = false;
};

InUseMarker::Record notAFile()
{
    InUseMarker::Record r;
    r.state = InUseMarker::Record::State::NotAFile;
    return r;
}

// The record of a file that could not be reached, with the workstation its
// record names when it is taken (read without the lock). The number of the
// process that holds the lock means nothing to a clerk and is not told.
InUseMarker::Record unreachable(const QString &path)
{
    InUseMarker::Record r;
    r.state = InUseMarker::Record::State::Unreachable;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        QByteArray bytes(InUseMarker::RecordLength + 1, '\0');
        const ssize_t n = ::pread(fd, bytes.data(), size_t(bytes.size()), 0);
        ::close(fd);
        bytes.resize(n > 0 ? int(n) : 0);
        const InUseMarker::Record seen = InUseMarker::decode(bytes);
        if (seen.isTaken())
            r.lockHolder = QStringLiteral("ο (η) ") + seen.user + QStringLiteral(" στον Η/Υ ") + seen.computer;
    }
    return r;
}

} // namespace

InUseMarker::InUseMarker(const QString &path) : m_path(path) {}

void InUseMarker::setLockWait(int ms)
{
    lockWaitMs() = ms;
}

void InUseMarker::setWaitHook(std::function<void(bool waiting)> hook)
{
    waitHook() = std::move(hook);
}

QByteArray InUseMarker::encode(char flag, const QString &user, const QString &computer)
{
    return QByteArray(1, flag) + field(user, NameLength) + field(computer, NameLength);
}

InUseMarker::Record InUseMarker::decode(const QByteArray &bytes)
{
    Record r;
    if (bytes.size() != RecordLength || (bytes[0] != '0' && bytes[0] != '1')) {
        r.flag = bytes.left(1);
        return r; // no record that can be read: neither taken nor free
    }
    r.flag = bytes.left(1);
    r.state = bytes[0] == '1' ? Record::State::Taken : Record::State::Free;
    r.user = unfield(bytes.mid(1, NameLength));
    r.computer = unfield(bytes.mid(1 + NameLength, NameLength));
    return r;
}

InUseMarker::Record InUseMarker::read() const
{
    LockedFile f(m_path, LockedFile::Mode::Read);
    if (f.ok())
        return decode(f.readRecord());
    if (f.missing()) {
        Record r;
        r.state = Record::State::Missing;
        return r;
    }
    if (f.notAFile())
        return notAFile();
    return unreachable(m_path);
}

InUseMarker::TakeResult InUseMarker::take(const QString &user, const QString &computer, bool alsoOwnStale) const
{
    // A missing marker is made free and taken at once (by exactly one
    // workstation: the one whose exclusive create succeeds). Anything else is
    // read under the lock, as always.
    std::optional<LockedFile> f;
    f.emplace(m_path, LockedFile::Mode::Change);
    if (f->missing()) {
        f.emplace(m_path, LockedFile::Mode::Create);
        if (f->alreadyThere()) // another workstation made it meanwhile: read what it wrote
            f.emplace(m_path, LockedFile::Mode::Change);
        else if (f->ok())
            return f->writeRecord(encode('1', user, computer)) ? TakeResult::Taken : TakeResult::Failed;
    }
    if (f->notAFile())
        return TakeResult::NotFree;
    if (!f->ok())
        return TakeResult::Failed;
    const Record record = decode(f->readRecord());
    const bool ownStale = alsoOwnStale && record.isTaken() && namesThisWorkstation(record, user, computer);
    if (!record.isFree() && !ownStale)
        return TakeResult::NotFree;
    if (!f->writeRecord(encode('1', user, computer)))
        return TakeResult::Failed;
    return ownStale ? TakeResult::TakenOver : TakeResult::Taken;
}

InUseMarker::TakeResult InUseMarker::tryTake(const QString &user, const QString &computer) const
{
    return take(user, computer, false);
}

InUseMarker::TakeResult InUseMarker::takeOverOwn(const QString &user, const QString &computer) const
{
    return take(user, computer, true);
}

bool InUseMarker::namesThisWorkstation(const Record &record, const QString &user, const QString &computer)
{
    // Compared as the file keeps names: in the code page, cut at 25 characters.
    const Record own = decode(encode('1', user, computer));
    return record.user == own.user && record.computer == own.computer;
}

bool InUseMarker::release(const QString &user, const QString &computer) const
{
    LockedFile f(m_path, LockedFile::Mode::Rewrite);
    return f.ok() && f.writeRecord(encode('0', user, computer));
}

QString InUseMarker::holderText(const Record &record)
{
    return QStringLiteral("Η βάση χρησιμοποιήτε από τον (την) ") + record.user + QStringLiteral(" στον Η/Υ ")
        + record.computer;
}

QString InUseMarker::problemText(const Record &record)
{
    if (record.state == Record::State::NotAFile)
        return QStringLiteral("Το αρχείο κλειδώματος kelvora.dat δεν είναι κανονικό αρχείο (είναι σύνδεσμος προς "
                              "άλλο αρχείο ή κάτι άλλο) και δεν χρησιμοποιείται ούτε αλλάζει.\n"
                              "Διαγράψτε το από τον φάκελο των δεδομένων· το πρόγραμμα θα φτιάξει νέο.");
    if (record.state == Record::State::Unreachable) {
        QString text = QStringLiteral("Δεν είναι δυνατή η πρόσβαση στο αρχείο κλειδώματος kelvora.dat.");
        if (!record.lockHolder.isEmpty())
            text += QStringLiteral("\nΤο κρατά ") + record.lockHolder + QLatin1Char('.');
        return text;
    }
    return QStringLiteral("Το αρχείο κλειδώματος kelvora.dat δεν διαβάζεται.\n"
                          "Ξεκλειδώστε τη βάση από το παράθυρο εισόδου, με το κουμπί ξεκλειδώματος κάτω από το "
                          "κουμπί τερματισμού (δεν χρειάζεται είσοδος χρήστη).");
}

QString InUseMarker::problemTitle(const Record &record)
{
    if (record.state == Record::State::NotAFile)
        return QStringLiteral("Το αρχείο kelvora.dat δεν είναι κανονικό αρχείο");
    return record.state == Record::State::Unreachable
        ? QStringLiteral("Το αρχείο kelvora.dat δεν είναι προσβάσιμο")
        : QStringLiteral("Το αρχείο kelvora.dat δεν διαβάζεται");
}
