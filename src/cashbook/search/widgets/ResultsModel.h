#pragma once

#include "cashbook/search/MovementSearch.h"

#include <QAbstractTableModel>

namespace search {

// The found movements as the results table shows them: day, code,
// description, income, expense and the cheque mark.
class ResultsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setResults(Results results);
    const Results &results() const { return m_results; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Results m_results;
};

} // namespace search
