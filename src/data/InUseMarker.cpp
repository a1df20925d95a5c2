#include "InUseMarker.h"

#include "platform/regional/GreekCodePage.h"

#include <QElapsedTimer>
#include <QFile>
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
    enum class Mode { Read, Change, Rewrite }; // only a rewrite creates a missing file

    LockedFile(const QString &path, Mode mode)
    {
        const int flags = mode == Mode::Read ? O_RDONLY : mode == Mode::Change ? O_RDWR : O_RDWR | O_CREAT;
        m_fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
        if (m_fd < 0) {
            m_missing = errno == ENOENT;
            return;
        }
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
    bool m_timedOut = false;
};

// The record of a file that could not be reached, with the workstation its
// record names when it is taken (read without the lock). The number of the
// process that holds the lock means nothing to a clerk and is not told.
InUseMarker::Record unreachable(const QString &path)
{
    InUseMarker::Record r;
    r.state = InUseMarker::Record::State::Unreachable;
    QFile unlocked(path);
    if (unlocked.open(QIODevice::ReadOnly)) {
        const InUseMarker::Record seen = InUseMarker::decode(unlocked.read(InUseMarker::RecordLength + 1));
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
    if (f.missing())
        return Record{}; // unreadable: the unlock creates it
    return unreachable(m_path);
}

InUseMarker::TakeResult InUseMarker::tryTake(const QString &user, const QString &computer) const
{
    LockedFile f(m_path, LockedFile::Mode::Change);
    if (f.missing())
        return TakeResult::NotFree; // no record to take: unreadable until the unlock writes one
    if (!f.ok())
        return TakeResult::Failed;
    if (!decode(f.readRecord()).isFree())
        return TakeResult::NotFree;
    return f.writeRecord(encode('1', user, computer)) ? TakeResult::Taken : TakeResult::Failed;
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
    if (record.state == Record::State::Unreachable) {
        QString text = QStringLiteral("Δεν είναι δυνατή η πρόσβαση στο αρχείο κλειδώματος kelvora.dat.");
        if (!record.lockHolder.isEmpty())
            text += QStringLiteral("\nΤο κρατά ") + record.lockHolder + QLatin1Char('.');
        return text;
    }
    return QStringLiteral("Το αρχείο κλειδώματος kelvora.dat δεν διαβάζεται.\n"
                          "Ο διαχειριστής να ξεκλειδώσει τη βάση από την είσοδο.");
}

QString InUseMarker::problemTitle(const Record &record)
{
    return record.state == Record::State::Unreachable
        ? QStringLiteral("Το αρχείο kelvora.dat δεν είναι προσβάσιμο")
        : QStringLiteral("Το αρχείο kelvora.dat δεν διαβάζεται");
}
