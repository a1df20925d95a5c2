#pragma once

#include "platform/regional/Money.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// What a worker process did to a book, as the lines it wrote to its standard
// output, and what the book must hold because of it.
//
// A worker writes "B <id> <kind> <args>" before it starts an operation,
// "C <id> [<new movement number>]" once the operation said it is done and
// "F <id> <told> <text>" when it said it failed (<told> 1 when the user saw a
// message). A killed worker leaves at most one operation begun and never ended.
namespace reliability {

struct LoggedOperation
{
    qint64 id = 0;
    QStringList begin;           // kind and arguments
    enum class End { None, Committed, Failed } end = End::None;
    qint64 newAa = 0;            // for a committed insert
    bool told = false;           // for a failure
    QString failureText;
};

QList<LoggedOperation> parseLog(const QByteArray &output);

// The parts of a book that the workers change.
struct BookState
{
    struct Movement
    {
        QString day, description;
        qint64 income = 0, expense = 0;
        bool operator==(const Movement &) const = default;
    };
    QMap<qint64, Movement> movements;
    QMap<qint64, QString> codeDescriptions; // by kvdikoi.id
    QMap<qint64, QString> groupNames;       // by omades.aa
    QSet<QString> closedDays;

    bool operator==(const BookState &) const = default;
};

BookState readState(const QString &dataFolder);

// The state after the operation; for an insert that never said its number,
// `foundAa` is where the book holds it (nullopt: the insert is not there).
BookState applied(BookState state, const LoggedOperation &op, std::optional<qint64> foundAa = std::nullopt);

// The movement number of the row an insert wrote, when it is in the book.
std::optional<qint64> findInsert(const BookState &state, const LoggedOperation &op);

// Text the worker gives the movement of operation `id`.
QString descriptionOf(qint64 id);

} // namespace reliability
