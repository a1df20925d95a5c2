#include "BookModel.h"

#include "BookInspection.h"

#include "data/DataFolder.h"
#include "platform/db/Database.h"

namespace reliability {

QList<LoggedOperation> parseLog(const QByteArray &output)
{
    QList<LoggedOperation> ops;
    for (const QByteArray &raw : output.split('\n')) {
        const QStringList f = QString::fromUtf8(raw).split(QLatin1Char(' '));
        if (f.size() < 2)
            continue;
        const qint64 id = f[1].toLongLong();
        if (f[0] == QLatin1String("B") && f.size() > 2) {
            LoggedOperation op;
            op.id = id;
            op.begin = f.mid(2);
            ops << op;
            continue;
        }
        if (ops.isEmpty() || ops.last().id != id)
            continue;
        if (f[0] == QLatin1String("C")) {
            ops.last().end = LoggedOperation::End::Committed;
            ops.last().newAa = f.value(2).toLongLong();
        } else if (f[0] == QLatin1String("F")) {
            ops.last().end = LoggedOperation::End::Failed;
            ops.last().told = f.value(2) == QLatin1String("1");
            ops.last().failureText = f.mid(3).join(QLatin1Char(' '));
        }
    }
    return ops;
}

QString descriptionOf(qint64 id)
{
    return QStringLiteral("OP%1").arg(id);
}

BookState readState(const QString &dataFolder)
{
    BookState s;
    auto main = inspect::openPart(dataFolder, datafolder::mainDatabase(dataFolder));
    auto users = inspect::openPart(dataFolder, datafolder::usersDatabase(dataFolder));
    db::Statement m = main->prepare(QStringLiteral("SELECT aa, hmeromhnia, perigrafh, esoda, ejoda FROM kinhseis"));
    while (m.next())
        s.movements.insert(m.integer(0), {m.text(1), m.text(2), m.integer(3), m.integer(4)});
    db::Statement c = main->prepare(QStringLiteral("SELECT id, perigrafh FROM kvdikoi"));
    while (c.next())
        s.codeDescriptions.insert(c.integer(0), c.text(1));
    db::Statement g = main->prepare(QStringLiteral("SELECT aa, perigrafh FROM omades"));
    while (g.next())
        s.groupNames.insert(g.integer(0), g.text(1));
    db::Statement k = users->prepare(QStringLiteral("SELECT Hmeraklhsimatos FROM KlhsimoTameioy"));
    while (k.next())
        s.closedDays.insert(k.text(0));
    return s;
}

std::optional<qint64> findInsert(const BookState &state, const LoggedOperation &op)
{
    const QString description = descriptionOf(op.id);
    for (auto it = state.movements.cbegin(); it != state.movements.cend(); ++it)
        if (it->description == description)
            return it.key();
    return std::nullopt;
}

// ins <day> <code> <income> <expense> | chg <aa> <income> <expense> | del <aa>
// | close <day> | code <id> <description> | group <aa> <name> (| newcode <number> <description>: desk runs only)
BookState applied(BookState s, const LoggedOperation &op, std::optional<qint64> foundAa)
{
    const QStringList &a = op.begin;
    const QString kind = a.value(0);
    if (kind == QLatin1String("ins")) {
        const qint64 aa = op.newAa ? op.newAa : foundAa.value_or(0);
        if (aa)
            s.movements.insert(aa, {a.value(1), descriptionOf(op.id), a.value(3).toLongLong(), a.value(4).toLongLong()});
    } else if (kind == QLatin1String("chg")) {
        auto it = s.movements.find(a.value(1).toLongLong());
        if (it != s.movements.end()) {
            it->description = descriptionOf(op.id);
            it->income = a.value(2).toLongLong();
            it->expense = a.value(3).toLongLong();
        }
    } else if (kind == QLatin1String("del")) {
        s.movements.remove(a.value(1).toLongLong());
    } else if (kind == QLatin1String("close")) {
        s.closedDays.insert(a.value(1));
    } else if (kind == QLatin1String("code")) {
        s.codeDescriptions[a.value(1).toLongLong()] = a.value(2);
    } else if (kind == QLatin1String("group")) {
        s.groupNames[a.value(1).toLongLong()] = a.value(2);
    }
    return s;
}

} // namespace reliability
