// Tables: column boxes from the format, cells broken into lines, rows placed
// with their shades and borders, the heading repeated on every page the table
// continues on, and each row kept as built in the document's tables.

#include "platform/pages/layout.h"

#include "platform/pages/cellwrap.h"
#include "platform/pages/engine.h"
#include "platform/pages/layoutmetrics.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pages {

using namespace layoutmetrics;

// ---------------------------------------------------------------- tables

std::vector<Layout::ColumnBox> Layout::columnBoxes(const std::vector<ColumnFormat> &columns) const
{
    const int start = lineStartX();
    const int frameWidth = std::max(1, lineEndX() - start);
    int given = 0;
    int unsized = 0;
    for (const ColumnFormat &column : columns) {
        given += column.width;
        unsized += column.width == 0 ? 1 : 0;
    }
    const int unsizedWidth = unsized ? std::max(360, (frameWidth - given) / unsized) : 0;
    const double total = given + unsized * unsizedWidth;
    // Columns wider than the frame are narrowed in proportion rather than
    // running off the paper.
    const double scale = total > frameWidth ? frameWidth / total : 1.0;
    const int width = int(std::lround(total * scale));
    int left = start;
    if (m_settings.textAlign == textalign::Right)
        left = lineEndX() - width;
    else if (m_settings.textAlign == textalign::Center)
        left = start + (frameWidth - width) / 2;
    std::vector<ColumnBox> boxes;
    boxes.reserve(columns.size());
    double edge = 0;
    for (const ColumnFormat &column : columns) {
        const int from = left + int(std::lround(edge * scale));
        edge += column.width ? column.width : unsizedWidth;
        const int to = left + int(std::lround(edge * scale));
        boxes.push_back({from, to - from});
    }
    return boxes;
}

std::vector<Layout::Cell> Layout::wrapCells(QStringList cells, const std::vector<ColumnFormat> &columns,
                                            const std::vector<ColumnBox> &boxes, const FontCache::Entry &font,
                                            int row, bool heading)
{
    std::vector<Cell> out(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        QString text = qsizetype(i) < cells.size() ? cells[qsizetype(i)] : QString();
        if (m_events) {
            // Handlers take every argument by reference; the copies keep a
            // handler's change of the position from moving the cell.
            int rowNumber = row, column = int(i) + 1;
            emit m_events->NewTableCell(rowNumber, column, text);
        }
        out[i].lines = wrapCell(text, font, boxes[i].width - 2 * CellPadX);
        out[i].text = std::move(text);
        out[i].align = heading ? columns[i].header : columns[i].body;
    }
    return out;
}

int Layout::rowHeight(const std::vector<Cell> &cells, const FontCache::Entry &font) const
{
    size_t lines = 1;
    for (const Cell &cell : cells)
        lines = std::max(lines, cell.lines.size());
    return int(std::lround(double(lines) * lineHeightOf(font))) + 2 * CellPadY;
}

void Layout::placeRow(const std::vector<Cell> &cells, const std::vector<ColumnBox> &boxes, const FontSpec &fontSpec,
                      QRgb color, uint shade, int row, bool heading, int height)
{
    if (boxes.empty())
        return;
    const FontCache::Entry &font = m_fonts.get(fontSpec);
    const int top = m_y;
    const int left = boxes.front().left;
    const int right = boxes.back().left + boxes.back().width;
    Page &pg = page();
    if (shade != 0) {
        PageItem fill;
        fill.kind = ItemKind::Rect;
        fill.role = ItemRole::TableShade;
        fill.rect = QRect(left, top, right - left, height);
        fill.fill = rgba(shade);
        fill.color = fill.fill;
        fill.table = m_table->id;
        fill.row = row;
        pg.items.push_back(std::move(fill));
    }
    const double lineHeight = lineHeightOf(font);
    const int ascent = int(std::lround(font.metrics.ascent()));
    const int textHeight = ascent + int(std::lround(font.metrics.descent()));
    for (size_t c = 0; c < cells.size() && c < boxes.size(); ++c) {
        const Cell &cell = cells[c];
        const int innerLeft = boxes[c].left + CellPadX;
        const int innerRight = boxes[c].left + boxes[c].width - CellPadX;
        for (size_t l = 0; l < cell.lines.size(); ++l) {
            const CellLine &line = cell.lines[l];
            const int width = int(std::lround(line.width));
            int x = innerLeft;
            if (cell.align == Align::Right)
                x = innerRight - width;
            else if (cell.align == Align::Center)
                x = innerLeft + (innerRight - innerLeft - width) / 2;
            const int lineTop = top + CellPadY + int(std::lround(double(l) * lineHeight));
            PageItem item;
            item.kind = ItemKind::Text;
            item.role = heading ? ItemRole::TableHeader : ItemRole::TableCell;
            item.align = cell.align;
            item.text = line.text;
            item.font = fontSpec;
            item.font.size *= line.scale;
            item.color = color;
            item.rect = QRect(x, lineTop, width, textHeight);
            item.baseline = lineTop + ascent;
            item.table = m_table->id;
            item.row = row;
            item.column = int(c) + 1;
            pg.items.push_back(std::move(item));
        }
    }
    drawRowBorders(boxes, top, top + height, heading);
    m_y = top + height;
    m_x = lineStartX();
    m_pageFresh = false;
    ++m_line;
    if (m_events)
        emit m_events->NewLine();
}

void Layout::placeHeading()
{
    TableState &table = *m_table;
    const FontCache::Entry &font = m_fonts.get(table.headerFont);
    const auto boxes = columnBoxes(table.headerColumns);
    const auto cells = wrapCells(table.headerCells, table.headerColumns, boxes, font, 0, true);
    placeRow(cells, boxes, table.headerFont, table.headerColor, table.headerShade, 0, true,
             rowHeight(cells, font));
    table.headerOnPage = true;
    table.headerEverPlaced = true;
}

void Layout::flushPendingHeading()
{
    if (!m_table || !m_table->hasHeader || m_table->headerEverPlaced)
        return;
    Engine *events = std::exchange(m_events, nullptr);  // measuring only
    const FontCache::Entry &font = m_fonts.get(m_table->headerFont);
    const auto cells = wrapCells(m_table->headerCells, m_table->headerColumns,
                                 columnBoxes(m_table->headerColumns), font, 0, true);
    m_events = events;
    if (m_y + rowHeight(cells, font) > frameBottom() && m_y > frameTop())
        breakColumn();
    placeHeading();
}

void Layout::placeBodyRow(const QString &row, const std::vector<ColumnFormat> &columns, uint shade)
{
    TableState &table = *m_table;
    const FontCache::Entry &font = m_fonts.get(m_settings.font);
    const auto boxes = columnBoxes(columns);
    const int index = ++table.bodyRows;
    const auto cells = wrapCells(splitCells(row, m_settings.columnSeparator, int(columns.size())), columns, boxes,
                                 font, index, false);
    const int height = rowHeight(cells, font);
    if (size_t(table.id) <= m_document.tables.size()) {
        QStringList built;
        built.reserve(qsizetype(cells.size()));
        for (const Cell &cell : cells)
            built.append(cell.text);
        m_document.tables[size_t(table.id) - 1].addRow(built);
    }
    auto headingHeight = [&] {
        if (!table.hasHeader || table.headerOnPage)
            return 0;
        Engine *events = std::exchange(m_events, nullptr);
        const FontCache::Entry &hfont = m_fonts.get(table.headerFont);
        const int h = rowHeight(wrapCells(table.headerCells, table.headerColumns,
                                          columnBoxes(table.headerColumns), hfont, 0, true),
                                hfont);
        m_events = events;
        return h;
    };
    // A row that does not fit moves to the next page, and a heading never
    // stays behind alone at the foot of a page.
    if (m_y + height + headingHeight() > frameBottom() && m_y > frameTop())
        breakColumn();
    if (table.hasHeader && !table.headerOnPage)
        placeHeading();
    placeRow(cells, boxes, m_settings.font, rgba(m_settings.textColor), shade, index, false, height);
}

void Layout::table(const QString &format, const QString &header, const QString &body, uint headerShade,
                   uint bodyShade, bool append)
{
    ensurePage();
    if (!m_lineItems.empty())
        endLine();
    std::vector<ColumnFormat> columns = parseTableFormat(format, m_settings.columnSeparator);
    QStringList rows = splitRows(body, m_settings.rowSeparator);
    if (!append || !m_table) {
        flushPendingHeading();
        TableState table;
        table.id = ++m_tableCount;
        table.hasHeader = !header.isEmpty();
        table.headerCells = header.split(m_settings.columnSeparator);
        table.headerFont = m_settings.font;
        table.headerColor = rgba(m_settings.textColor);
        table.headerShade = headerShade;
        if (columns.empty()) {
            // Without a format, one left-aligned column of equal share per heading or cell.
            const qsizetype count = std::max(table.headerCells.size(),
                                             rows.isEmpty() ? qsizetype(1) : rows.first().split(m_settings.columnSeparator).size());
            columns.assign(size_t(count), ColumnFormat{});
        }
        table.headerColumns = columns;
        TableContent content;
        if (table.hasHeader)
            content.heading = table.headerCells;
        m_document.tables.push_back(std::move(content));
        m_table = std::move(table);
        // A table is opened with a row of empty cells; that row is not written.
        if (rows.size() == 1 && isBlankRow(rows.first(), m_settings.columnSeparator))
            rows.clear();
    } else if (columns.empty()) {
        columns = m_table->headerColumns;
    }
    for (const QString &row : rows)
        placeBodyRow(row, columns, bodyShade);
}

// --------------------------------------------------------------- borders

void Layout::addLine(int x1, int y1, int x2, int y2, ItemRole role, int width)
{
    PageItem line;
    line.kind = ItemKind::Line;
    line.role = role;
    line.rect = QRect(QPoint(x1, y1), QPoint(x2, y2));
    line.color = 0xff000000;
    line.penWidth = width;
    if (m_table && role == ItemRole::TableBorder)
        line.table = m_table->id;
    page().items.push_back(std::move(line));
}

void Layout::drawRowBorders(const std::vector<ColumnBox> &boxes, int top, int bottom, bool heading)
{
    const int flags = m_settings.tableBorder;
    if (flags == tableborder::None || boxes.empty())
        return;
    TableState &table = *m_table;
    const int left = boxes.front().left;
    const int right = boxes.back().left + boxes.back().width;
    if (table.borderPage != m_page || table.lastBottom != top) {
        table.verticals.clear();
        table.boxBottomItem = -1;
        table.borderPage = m_page;
        if (flags & tableborder::Box)
            addLine(left, top, right, top, ItemRole::TableBorder, BorderWidth);
    }
    if (flags & tableborder::Grid) {
        addLine(left, bottom, right, bottom, ItemRole::TableBorder, BorderWidth);
    } else if (flags & tableborder::Box) {
        if (table.boxBottomItem >= 0) {
            page().items[size_t(table.boxBottomItem)].rect.moveTop(bottom);
        } else {
            addLine(left, bottom, right, bottom, ItemRole::TableBorder, BorderWidth);
            table.boxBottomItem = int(page().items.size()) - 1;
        }
    }
    if (heading && (flags & tableborder::UnderHeader))
        addLine(left, bottom, right, bottom, ItemRole::TableBorder, RuleWidth);

    std::vector<int> xs;
    if (flags & tableborder::Box)
        xs.push_back(left);
    if (flags & tableborder::Grid) {
        for (size_t i = 1; i < boxes.size(); ++i)
            xs.push_back(boxes[i].left);
    }
    if (flags & tableborder::Box)
        xs.push_back(right);
    // Column lines continue down from the row above when it ends where this
    // row starts, so a page holds one line per column rather than per cell.
    std::vector<std::pair<int, int>> verticals;
    for (int x : xs) {
        auto open = std::find_if(table.verticals.begin(), table.verticals.end(),
                                 [x](const auto &v) { return v.first == x; });
        if (open != table.verticals.end()) {
            page().items[size_t(open->second)].rect.setBottom(bottom);
            verticals.push_back(*open);
        } else {
            addLine(x, top, x, bottom, ItemRole::TableBorder, BorderWidth);
            verticals.emplace_back(x, int(page().items.size()) - 1);
        }
    }
    table.verticals = std::move(verticals);
    table.lastBottom = bottom;
}

}  // namespace pages
