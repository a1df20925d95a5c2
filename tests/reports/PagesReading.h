#pragma once

#include "cashbook/QStringPrinter.h"
#include "platform/pages/document.h"

#include <QColor>
#include <QStringList>
#include <vector>

// Reading a laid-out report back the way a reader sees it.
namespace pagesreading {

// Body rows of a table with every cell trimmed.
inline std::vector<QStringList> rows(const pages::Document &doc, int table = 1)
{
    std::vector<QStringList> out = doc.tableRows(table);
    for (QStringList &r : out)
        for (QString &c : r)
            c = c.trimmed();
    return out;
}

// The heading row of a table with every cell trimmed.
inline QStringList heading(const pages::Document &doc, int table = 1)
{
    QStringList out = doc.tableHeading(table);
    for (QString &c : out)
        c = c.trimmed();
    return out;
}

inline QString header(const pages::Document &doc, int page = 1)
{
    const pages::Page *p = doc.page(page);
    return p ? p->texts(pages::ItemRole::PageHeader).join(QLatin1Char(' ')) : QString();
}

// Every body text of every page (not headers, footers or tables).
inline QStringList bodyTexts(const pages::Document &doc)
{
    QStringList out;
    for (const pages::Page &p : doc.pages)
        out << p.texts(pages::ItemRole::Body);
    return out;
}

// The shade of a body row, as an RGB colour; invalid when the row has none.
inline QColor rowShade(const pages::Document &doc, int table, int row)
{
    for (const pages::Page &p : doc.pages)
        for (const pages::PageItem &item : p.items)
            if (item.role == pages::ItemRole::TableShade && item.table == table && item.row == row
                && qAlpha(item.fill) != 0)
                return QColor(qRed(item.fill), qGreen(item.fill), qBlue(item.fill));
    return QColor();
}

// The colour of the text of a body row's cells.
inline QColor rowTextColour(const pages::Document &doc, int table, int row)
{
    for (const pages::Page &p : doc.pages)
        for (const pages::PageItem &item : p.items)
            if (item.role == pages::ItemRole::TableCell && item.table == table && item.row == row)
                return QColor(qRed(item.color), qGreen(item.color), qBlue(item.color));
    return QColor();
}

} // namespace pagesreading
