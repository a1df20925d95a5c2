#include "platform/pages/document.h"

#include <algorithm>
#include <cstring>

namespace pages {

bool operator==(const RecordingRef &a, const RecordingRef &b)
{
    if (!a || !b)
        return !a && !b;
    if (a.get() == b.get())
        return true;
    const QPicture &x = a->picture;
    const QPicture &y = b->picture;
    return a->frame == b->frame && x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size()) == 0;
}

QStringList Page::texts() const
{
    QStringList out;
    for (const PageItem &item : items) {
        if (item.kind == ItemKind::Text)
            out.append(item.text);
    }
    return out;
}

QStringList Page::texts(ItemRole role) const
{
    QStringList out;
    for (const PageItem &item : items) {
        if (item.kind == ItemKind::Text && item.role == role)
            out.append(item.text);
    }
    return out;
}

const PageItem *Page::findText(const QString &text) const
{
    for (const PageItem &item : items) {
        if (item.kind == ItemKind::Text && item.text == text)
            return &item;
    }
    return nullptr;
}

const PageItem *Page::findTextContaining(const QString &part) const
{
    for (const PageItem &item : items) {
        if (item.kind == ItemKind::Text && item.text.contains(part))
            return &item;
    }
    return nullptr;
}

std::vector<const PageItem *> Page::itemsWithRole(ItemRole role) const
{
    std::vector<const PageItem *> out;
    for (const PageItem &item : items) {
        if (item.role == role)
            out.push_back(&item);
    }
    return out;
}

int Document::tableCount() const
{
    int count = 0;
    for (const Page &page : pages) {
        for (const PageItem &item : page.items)
            count = std::max(count, item.table);
    }
    return count;
}

namespace {

void addCell(QStringList &cells, const PageItem &item)
{
    while (cells.size() < item.column)
        cells.append(QString());
    QString &cell = cells[item.column - 1];
    cell = cell.isEmpty() ? item.text : cell + QLatin1Char(' ') + item.text;
}

}  // namespace

std::vector<QStringList> Document::tableRows(int table) const
{
    std::vector<QStringList> rows;
    int lastRow = 0;
    for (const Page &page : pages) {
        for (const PageItem &item : page.items) {
            if (item.table != table || item.role != ItemRole::TableCell || item.column < 1)
                continue;
            // Body rows are numbered from 1 in the order they were written.
            while (lastRow < item.row) {
                rows.emplace_back();
                ++lastRow;
            }
            addCell(rows[size_t(item.row - 1)], item);
        }
    }
    // Trailing empty cells leave no item: give every row the table's width.
    qsizetype width = tableHeading(table).size();
    for (const QStringList &row : rows)
        width = std::max(width, row.size());
    for (QStringList &row : rows) {
        while (row.size() < width)
            row.append(QString());
    }
    return rows;
}

QStringList Document::tableHeading(int table) const
{
    QStringList cells;
    for (const Page &page : pages) {
        bool found = false;
        for (const PageItem &item : page.items) {
            if (item.table == table && item.role == ItemRole::TableHeader && item.column >= 1) {
                addCell(cells, item);
                found = true;
            }
        }
        if (found)
            break;
    }
    return cells;
}

const Page *Document::page(int number) const
{
    if (number < 1 || number > pageCount())
        return nullptr;
    return &pages[size_t(number - 1)];
}

}  // namespace pages
