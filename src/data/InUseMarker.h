#pragma once

#include <QByteArray>
#include <QString>

// kelvora.dat in the data folder: one 51-byte record saying which workstation
// may change the data (flag "1", the holder's user and computer name, each 25
// characters padded with blanks) or that nobody holds it (flag "0").
//
// Workstations that start together must not both take it, so every
// read-check-write holds an advisory lock on the file itself; the record and
// its format stay what every workstation reads.
class InUseMarker
{
public:
    static constexpr int RecordLength = 51;
    static constexpr int NameLength = 25;

    struct Record
    {
        QByteArray flag;    // "0", "1", or anything else for an empty or short file
        QString user;       // trailing blanks removed
        QString computer;   // trailing blanks removed

        bool isTaken() const { return flag == "1"; }
        bool isFree() const { return flag == "0"; }
    };

    explicit InUseMarker(const QString &path);

    // Reads record 1; the file is created empty when it does not exist.
    Record read() const;
    // Takes the marker when its flag is "0"; true when this call took it.
    bool tryTake(const QString &user, const QString &computer) const;
    // Writes flag "0" with the given names, whatever the flag was.
    void release(const QString &user, const QString &computer) const;

    // "Η βάση χρησιμοποιήτε από τον (την) <user> στον Η/Υ <computer>"
    static QString holderText(const Record &record);

    // The 51 bytes of a record (names cut to 25 characters, never overflowing).
    static QByteArray encode(char flag, const QString &user, const QString &computer);
    static Record decode(const QByteArray &bytes);

private:
    QString m_path;
};
