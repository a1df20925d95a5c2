#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// kelvora.dat in the data folder: one 51-byte record saying which workstation
// may change the data (flag "1", the holder's user and computer name, each 25
// characters padded with blanks) or that nobody holds it (flag "0").
//
// Workstations that start together must not both take it, so every
// read-check-write holds an advisory lock on the file itself; the record and
// its format stay what every workstation reads.
//
// A missing file is made free and taken by the first workstation that wants
// it. A file that holds no such record (empty, another size, a flag that is
// neither) reads as unreadable: changes are refused as when another
// workstation holds it, until the unlock button of the log-in window rewrites
// it. The lock is held for a moment only, so it is waited for a short time
// (one second); a file that stays locked (a stalled network share, a stuck
// process) reads as unreachable, and while the wait lasts the program shows
// that it is busy. The file is never opened
// through a symbolic link, nor when it is not a regular file: such a marker
// is refused and left as it is.
class InUseMarker
{
public:
    static constexpr int RecordLength = 51;
    static constexpr int NameLength = 25;
    static constexpr int DefaultLockWaitMs = 1000;

    struct Record
    {
        enum class State { Free, Taken, Unreadable, Unreachable, Missing, NotAFile };
        State state = State::Unreadable;
        QByteArray flag;    // "0", "1", or what a damaged file holds
        QString user;       // trailing blanks removed
        QString computer;   // trailing blanks removed
        QString lockHolder; // for an unreachable file: the workstation its record names, when it is taken

        bool isTaken() const { return state == State::Taken; }
        bool isFree() const { return state == State::Free; }
        bool isUsable() const { return isTaken() || isFree(); }
    };

    enum class TakeResult { Taken, TakenOver, NotFree, Failed };

    explicit InUseMarker(const QString &path);

    const QString &path() const { return m_path; }

    // Reads record 1 (the file is neither created nor changed).
    Record read() const;
    // Takes the marker when its flag is "0", or when there is no file yet.
    TakeResult tryTake(const QString &user, const QString &computer) const;
    // The same, and also takes over a marker held in exactly these names
    // (TakenOver then). Only for a start where no other copy of the program
    // runs for this user on this computer: the record is then stale, left by
    // a copy that did not end in order.
    TakeResult takeOverOwn(const QString &user, const QString &computer) const;
    // True when the record names this user and computer as the file keeps them.
    static bool namesThisWorkstation(const Record &record, const QString &user, const QString &computer);
    // Writes flag "0" with the given names, whatever the file held, leaving a
    // file of exactly one record. False when it could not be written.
    bool release(const QString &user, const QString &computer) const;

    // "Η βάση χρησιμοποιήτε από τον (την) <user> στον Η/Υ <computer>"
    static QString holderText(const Record &record);
    // What the user is told when the record is neither free nor taken.
    static QString problemText(const Record &record);
    // The window title's words for the same.
    static QString problemTitle(const Record &record);

    // The 51 bytes of a record (names cut to 25 characters, never overflowing).
    static QByteArray encode(char flag, const QString &user, const QString &computer);
    static Record decode(const QByteArray &bytes);

    // How long every access waits for the lock; tests shorten it.
    static void setLockWait(int ms);
    // Called with true when an access has to wait for the lock and with false
    // when the wait is over, so the program can show the busy pointer.
    static void setWaitHook(std::function<void(bool waiting)> hook);

private:
    TakeResult take(const QString &user, const QString &computer, bool alsoOwnStale) const;

    QString m_path;
};
