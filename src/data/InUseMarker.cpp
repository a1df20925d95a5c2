#include "InUseMarker.h"

#include "platform/regional/GreekCodePage.h"

#include <QFile>
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

// An open marker file with an exclusive POSIX record lock, which also works
// on network file systems. The lock ends when the descriptor closes.
class LockedFile
{
public:
    explicit LockedFile(const QString &path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT, 0666);
        if (m_fd < 0)
            return;
        struct flock lk {};
        lk.l_type = F_WRLCK;
        lk.l_whence = SEEK_SET;
        while (fcntl(m_fd, F_SETLKW, &lk) < 0 && errno == EINTR) {
        }
    }
    ~LockedFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool ok() const { return m_fd >= 0; }

    QByteArray readRecord() const
    {
        QByteArray buf(InUseMarker::RecordLength, '\0');
        const ssize_t n = ::pread(m_fd, buf.data(), size_t(buf.size()), 0);
        buf.resize(n > 0 ? int(n) : 0);
        return buf;
    }
    bool writeRecord(const QByteArray &rec) const
    {
        const bool written = ::pwrite(m_fd, rec.constData(), size_t(rec.size()), 0) == rec.size();
        return written && ::fsync(m_fd) == 0;
    }

private:
    int m_fd = -1;
};

} // namespace

InUseMarker::InUseMarker(const QString &path) : m_path(path) {}

QByteArray InUseMarker::encode(char flag, const QString &user, const QString &computer)
{
    return QByteArray(1, flag) + field(user, NameLength) + field(computer, NameLength);
}

InUseMarker::Record InUseMarker::decode(const QByteArray &bytes)
{
    Record r;
    if (bytes.size() < RecordLength)
        return r; // an empty or short file reads as neither taken nor free
    r.flag = bytes.left(1);
    r.user = unfield(bytes.mid(1, NameLength));
    r.computer = unfield(bytes.mid(1 + NameLength, NameLength));
    return r;
}

InUseMarker::Record InUseMarker::read() const
{
    LockedFile f(m_path);
    return f.ok() ? decode(f.readRecord()) : Record{};
}

bool InUseMarker::tryTake(const QString &user, const QString &computer) const
{
    LockedFile f(m_path);
    if (!f.ok() || !decode(f.readRecord()).isFree())
        return false;
    return f.writeRecord(encode('1', user, computer));
}

void InUseMarker::release(const QString &user, const QString &computer) const
{
    LockedFile f(m_path);
    if (f.ok())
        f.writeRecord(encode('0', user, computer));
}

QString InUseMarker::holderText(const Record &record)
{
    return QStringLiteral("Η βάση χρησιμοποιήτε από τον (την) ") + record.user + QStringLiteral(" στον Η/Υ ")
        + record.computer;
}
