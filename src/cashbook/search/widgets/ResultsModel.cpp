#include "ResultsModel.h"

#include "platform/regional/GreekFormats.h"
#include "platform/regional/SafeText.h"

namespace search {
namespace {

enum Column { Day, Code, Description, Income, Expense, Cheque, Columns };

QString amount(Money m)
{
    return m.isZero() ? QStringLiteral("0") : regional::formatMoney(m);
}

} // namespace

void ResultsModel::setResults(Results results)
{
    beginResetModel();
    m_results = std::move(results);
    endResetModel();
}

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_results.rows.size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_results.rows.size())
        return {};
    const Found &f = m_results.rows[index.row()];
    if (role == Qt::TextAlignmentRole)
        return index.column() == Income || index.column() == Expense || index.column() == Code
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Day: return regional::formatDate(f.day);
    case Code: return QString::number(f.code);
    // Stored invisible characters show as marks, as in the day list.
    case Description: return regional::isolateRightToLeft(regional::markInvisible(f.description));
    case Income: return amount(f.income);
    case Expense: return amount(f.expense);
    case Cheque: return f.cheque ? QStringLiteral("§") : QString();
    }
    return {};
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QString names[Columns] = {QStringLiteral("Ημερ/νια"), QStringLiteral("Κωδ."),
                                           QStringLiteral("Περιγραφή"), QStringLiteral("Εσοδα"),
                                           QStringLiteral("Εξοδα"), QStringLiteral("Επ.")};
    return names[section];
}

} // namespace search
