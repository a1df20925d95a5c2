#include "GroupColumns.h"

#include "platform/desktop/Settings.h"

#include <QRegularExpression>

namespace groups {

namespace {

const QString ListsSection = QStringLiteral("Listes");
const QString ConditionsSection = QStringLiteral("Omades");
const QString NamesSection = QStringLiteral("P_Omadvn");
const QString Term = QStringLiteral(" aa_omada=");
const QString Joiner = QStringLiteral("  or");

QString listsKey(int column) { return QStringLiteral("List1(%1)").arg(column); }
QString conditionKey(int column) { return QStringLiteral("Omada(%1)").arg(column); }
QString namesKey(int column) { return QStringLiteral("P_omadvn%1").arg(column); }

} // namespace

StoredColumn storedColumn(const QList<GroupEntry> &groups, const QList<bool> &marked)
{
    StoredColumn out;
    QString condition = QStringLiteral("(");
    for (int k = 0; k < groups.size(); ++k) {
        if (k >= marked.size() || !marked[k])
            continue;
        out.positions += QString::number(k) + QLatin1Char(',');
        condition += Term + QString::number(groups[k].number) + Joiner;
        out.names += groups[k].name + QStringLiteral(", ");
    }
    if (condition == QStringLiteral("("))
        condition.clear();
    else
        condition = condition.left(condition.size() - Joiner.size()) + QLatin1Char(')');
    out.condition = condition;
    if (out.names.endsWith(QStringLiteral(", ")))
        out.names.chop(2);
    return out;
}

bool saveColumn(int column, const StoredColumn &stored)
{
    // A failed write abandons the rest of this column only.
    return settings::write(ListsSection, listsKey(column), stored.positions)
        && settings::write(ConditionsSection, conditionKey(column), stored.condition)
        && settings::write(NamesSection, namesKey(column), stored.names);
}

QList<int> positionsToRestore(const QString &stored)
{
    if (stored.trimmed().isEmpty())
        return {};
    // Count the fields: one per comma found, stopping at a comma that is the
    // last character, plus one.
    int count = 1;
    for (qsizetype at = stored.indexOf(QLatin1Char(',')); at >= 0;
         at = stored.indexOf(QLatin1Char(','), at + 1)) {
        ++count;
        if (at == stored.size() - 1)
            break;
    }
    const QStringList fields = stored.split(QLatin1Char(','));
    QList<int> out;
    for (int n = 1; n <= count - 1 && n <= fields.size(); ++n) {
        bool ok = false;
        const int position = fields[n - 1].trimmed().toInt(&ok);
        if (ok && position >= 0)
            out << position;
    }
    return out;
}

QList<int> storedPositions(int column)
{
    return positionsToRestore(settings::read(ListsSection, listsKey(column)));
}

std::optional<QList<qint64>> parseGroupCondition(const QString &condition)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^\( aa_omada=(\d{1,18})(?:  or aa_omada=\d{1,18})*\)$)"));
    if (!form.match(condition).hasMatch())
        return std::nullopt;
    static const QRegularExpression number(QStringLiteral(R"(aa_omada=(\d{1,18}))"));
    QList<qint64> out;
    for (auto it = number.globalMatch(condition); it.hasNext();)
        out << it.next().captured(1).toLongLong();
    return out;
}

ColumnChoice readColumnChoice(int column)
{
    ColumnChoice choice;
    choice.heading = settings::read(NamesSection, namesKey(column), QStringLiteral("Χωρίς επιλογή"));
    const QString condition = settings::read(ConditionsSection, conditionKey(column));
    if (const auto numbers = parseGroupCondition(condition))
        choice.groups = *numbers;
    return choice;
}

} // namespace groups
