#include "platform/pages/layout.h"

#include "platform/pages/colors.h"
#include "platform/pages/engine.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace pages {

namespace {

constexpr int CellPadX = 60;      // space between a cell's border and its text
constexpr int CellPadY = 25;
constexpr int ColumnGap = 360;    // between text columns
constexpr int BandGap = 120;      // between the header/footer and the body
constexpr int BorderWidth = 10;   // half a point
constexpr int RuleWidth = 20;     // the firmer rule under a table heading

// Breaks a text into lines no wider than width: at blanks, and inside a word
// only when the word alone is too wide.
QStringList wrapLines(const QString &text, const FontCache::Entry &fm, double width,
                      std::vector<double> &widths)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    const double whole = fm.advance(text);
    if (whole <= width || width <= 0) {
        lines.append(text);
        widths.push_back(whole);
        return lines;
    }
    QString rest = text;
    while (!rest.isEmpty()) {
        const double w = fm.advance(rest);
        if (w <= width) {
            lines.append(rest);
            widths.push_back(w);
            break;
        }
        int cut = -1;
        for (int i = rest.indexOf(QLatin1Char(' '), 1); i > 0; i = rest.indexOf(QLatin1Char(' '), i + 1)) {
            if (fm.advance(rest.left(i)) > width)
                break;
            cut = i;
        }
        if (cut <= 0) {
            cut = 1;
            while (cut < rest.size() && fm.advance(rest.left(cut + 1)) <= width)
                ++cut;
        }
        const QString line = rest.left(cut);
        lines.append(line);
        widths.push_back(fm.advance(line));
        rest = rest.mid(cut);
        while (rest.startsWith(QLatin1Char(' ')))
            rest.remove(0, 1);
    }
    return lines;
}

QRgb rgba(uint color)
{
    return toQColor(color).rgba();
}

}  // namespace

Layout::Layout(const LayoutSettings &settings, Document &document, FontCache &fonts, Engine *events,
               bool unbounded)
    : m_settings(settings), m_document(document), m_fonts(fonts), m_events(events), m_unbounded(unbounded)
{
}

// ------------------------------------------------------------------ pages

void Layout::begin()
{
    openPage();
}

void Layout::finish()
{
    if (m_page < 0)
        return;
    flushPendingHeading();
    closePage();
}

void Layout::ensurePage()
{
    if (m_page < 0)
        openPage();
}

void Layout::openPage()
{
    Page page;
    page.number = int(m_document.pages.size()) + 1;
    page.size = m_settings.pageSize();
    m_document.pages.push_back(std::move(page));
    m_page = int(m_document.pages.size()) - 1;
    m_column = 0;
    m_y = frameTop();
    m_x = lineStartX();
    m_pageFresh = true;
    m_lineItems.clear();
    m_lineHeight = 0;
    if (m_table)
        m_table->headerOnPage = false;
}

void Layout::closePage()
{
    if (!m_lineItems.empty())
        endLine();
    if (m_events) {
        emit m_events->PrepareHeader();
        emit m_events->PrepareFooter();
    }
    drawHeaderFooter();
    if (m_events)
        emit m_events->EndPage();
}

void Layout::newPage()
{
    if (m_unbounded) {
        endLine();
        return;
    }
    ensurePage();
    closePage();
    if (m_events)
        emit m_events->ResetDC();
    openPage();
    if (m_events)
        emit m_events->NewLine();
}

void Layout::newColumn()
{
    ensurePage();
    breakColumn();
}

void Layout::breakColumn()
{
    if (m_column + 1 < std::max(1, m_settings.columns)) {
        if (!m_lineItems.empty())
            endLine();
        ++m_column;
        m_y = frameTop();
        m_x = lineStartX();
        if (m_table)
            m_table->headerOnPage = false;
        if (m_events)
            emit m_events->NewLine();
        return;
    }
    newPage();
}

void Layout::settingsChanged()
{
    if (m_page < 0)
        return;
    if (m_pageFresh) {
        page().size = m_settings.pageSize();
        m_y = frameTop();
    }
    if (m_lineItems.empty())
        m_x = lineStartX();
}

void Layout::moveTo(std::optional<int> x, std::optional<int> y)
{
    ensurePage();
    if (y) {
        if (!m_lineItems.empty())
            endLine();
        m_y = *y;
    }
    if (x)
        m_x = *x;
}

// -------------------------------------------------------------- geometry

int Layout::headerBand() const
{
    return int(std::lround(m_fonts.get(m_settings.hdrFont).metrics.lineSpacing())) + BandGap;
}

int Layout::footerBand() const
{
    return headerBand();
}

int Layout::frameTop() const
{
    if (m_unbounded)
        return 0;
    return m_settings.marginTop + headerBand();
}

int Layout::frameBottom() const
{
    if (m_unbounded)
        return INT_MAX / 4;
    const int height = m_page >= 0 ? m_document.pages[size_t(m_page)].size.height()
                                   : m_settings.pageSize().height();
    return height - m_settings.marginBottom - footerBand();
}

int Layout::frameLeft() const
{
    const int width = m_page >= 0 ? m_document.pages[size_t(m_page)].size.width()
                                  : m_settings.pageSize().width();
    const int bodyLeft = m_settings.marginLeft;
    const int bodyWidth = width - m_settings.marginRight - bodyLeft;
    const int columns = std::max(1, m_settings.columns);
    const int columnWidth = (bodyWidth - (columns - 1) * ColumnGap) / columns;
    return bodyLeft + m_column * (columnWidth + ColumnGap);
}

int Layout::frameRight() const
{
    const int width = m_page >= 0 ? m_document.pages[size_t(m_page)].size.width()
                                  : m_settings.pageSize().width();
    const int bodyWidth = width - m_settings.marginRight - m_settings.marginLeft;
    const int columns = std::max(1, m_settings.columns);
    const int columnWidth = (bodyWidth - (columns - 1) * ColumnGap) / columns;
    return frameLeft() + columnWidth;
}

double Layout::lineHeightOf(const FontCache::Entry &font) const
{
    return font.metrics.lineSpacing() * std::max(1, m_settings.lineSpacing) / 100.0;
}

QRect Layout::extent() const
{
    QRect box;
    for (const Page &page : m_document.pages) {
        for (const PageItem &item : page.items)
            box = box.united(item.rect);
    }
    return box;
}

// ------------------------------------------------------------------ text

void Layout::startLineIfNeeded(const FontCache::Entry &font)
{
    if (!m_lineItems.empty())
        return;
    const double height = lineHeightOf(font);
    if (m_y + height > frameBottom() && m_y > frameTop())
        breakColumn();
    m_lineTop = m_y;
    m_lineHeight = 0;
}

void Layout::placeRun(const QString &run, const FontCache::Entry &font, const FontSpec &fontSpec, QRgb color)
{
    if (run.isEmpty())
        return;
    const double width = font.advance(run);
    const int ascent = int(std::lround(font.metrics.ascent()));
    const int descent = int(std::lround(font.metrics.descent()));
    PageItem item;
    item.kind = ItemKind::Text;
    item.role = ItemRole::Body;
    item.text = run;
    item.font = fontSpec;
    item.color = color;
    item.angle = qint16(m_settings.textAngle);
    item.rect = QRect(m_x, m_lineTop, int(std::lround(width)), ascent + descent);
    item.baseline = m_lineTop + ascent;
    page().items.push_back(std::move(item));
    m_lineItems.push_back(page().items.size() - 1);
    m_lineHeight = std::max(m_lineHeight, lineHeightOf(font));
    m_x += int(std::lround(width));
    m_pageFresh = false;
}

void Layout::flowPiece(const QString &piece, const FontSpec &fontSpec, QRgb color)
{
    const FontCache::Entry &font = m_fonts.get(fontSpec);
    const QStringList segments = piece.split(QLatin1Char('\t'));
    for (qsizetype s = 0; s < segments.size(); ++s) {
        if (s > 0) {
            startLineIfNeeded(font);
            const int tab = m_settings.indentTab > 0 ? m_settings.indentTab : 720;
            const int from = lineStartX();
            m_x = from + ((m_x - from) / tab + 1) * tab;
            m_pageFresh = false;
        }
        QString rest = segments[s];
        while (!rest.isEmpty()) {
            startLineIfNeeded(font);
            const double available = lineEndX() - m_x;
            const double width = font.advance(rest);
            if (width <= available) {
                placeRun(rest, font, fontSpec, color);
                break;
            }
            int cut = -1;
            for (int i = rest.indexOf(QLatin1Char(' '), 1); i > 0; i = rest.indexOf(QLatin1Char(' '), i + 1)) {
                if (font.advance(rest.left(i)) > available)
                    break;
                cut = i;
            }
            const bool atLineStart = m_lineItems.empty() && m_x <= lineStartX() + m_settings.indentFirst;
            if (cut <= 0) {
                if (!atLineStart) {
                    endWrappedLine();
                    while (rest.startsWith(QLatin1Char(' ')))
                        rest.remove(0, 1);
                    continue;
                }
                // A word wider than the line: break inside it.
                cut = 1;
                while (cut < rest.size() && font.advance(rest.left(cut + 1)) <= available)
                    ++cut;
            }
            placeRun(rest.left(cut), font, fontSpec, color);
            rest = rest.mid(cut);
            while (rest.startsWith(QLatin1Char(' ')))
                rest.remove(0, 1);
            endWrappedLine();
        }
    }
}

// A line that ends because the next word does not fit (not a carriage return).
void Layout::endWrappedLine()
{
    if (m_settings.textAlign == textalign::Justify)
        justifyLine();
    endLine();
}

// Spreads the words of the line so that it ends at the right edge.
void Layout::justifyLine()
{
    Page &pg = page();
    const size_t count = m_lineItems.size();
    if (count == 0 || m_lineItems.front() != pg.items.size() - count)
        return;  // something else was drawn amid the line: leave it as it is
    std::vector<PageItem> words;
    for (size_t index : m_lineItems) {
        const PageItem &run = pg.items[index];
        const FontCache::Entry &font = m_fonts.get(run.font);
        qsizetype start = 0;
        while (start < run.text.size()) {
            while (start < run.text.size() && run.text[start] == QLatin1Char(' '))
                ++start;
            qsizetype end = run.text.indexOf(QLatin1Char(' '), start);
            if (end < 0)
                end = run.text.size();
            if (end > start) {
                PageItem word = run;
                word.text = run.text.mid(start, end - start);
                const int x = run.rect.left() + int(std::lround(font.advance(run.text.left(start))));
                word.rect = QRect(x, run.rect.top(), int(std::lround(font.advance(word.text))), run.rect.height());
                words.push_back(std::move(word));
            }
            start = end;
        }
    }
    if (words.size() < 2)
        return;
    const int extra = lineEndX() - (words.back().rect.right() + 1);
    if (extra <= 0)
        return;
    const double gap = double(extra) / double(words.size() - 1);
    for (size_t k = 0; k < words.size(); ++k)
        words[k].rect.translate(int(std::lround(k * gap)), 0);
    pg.items.resize(pg.items.size() - count);
    m_lineItems.clear();
    for (PageItem &word : words) {
        pg.items.push_back(std::move(word));
        m_lineItems.push_back(pg.items.size() - 1);
    }
}

void Layout::text(const QString &text)
{
    this->text(text, m_settings.font, rgba(m_settings.textColor));
}

void Layout::text(const QString &text, const FontSpec &font, QRgb color)
{
    ensurePage();
    flushPendingHeading();
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    normal.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    const QStringList pieces = normal.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            endLine();
        flowPiece(pieces[i], font, color);
    }
}

void Layout::paragraph(const QString &text)
{
    ensurePage();
    flushPendingHeading();
    if (!m_lineItems.empty())
        endLine();
    m_y += m_settings.spaceBefore;
    m_x = lineStartX() + m_settings.indentFirst;
    this->text(text);
    endLine();
    m_y += m_settings.spaceAfter;
}

void Layout::endLine()
{
    if (m_page < 0)
        return;
    if (m_lineItems.empty()) {
        m_y += int(std::lround(lineHeightOf(m_fonts.get(m_settings.font))));
    } else {
        // One baseline for the whole line, under its tallest font.
        double ascent = 0;
        for (size_t index : m_lineItems)
            ascent = std::max(ascent, m_fonts.get(page().items[index].font).metrics.ascent());
        const int baseline = m_lineTop + int(std::lround(ascent));
        int right = 0;
        int left = INT_MAX;
        for (size_t index : m_lineItems) {
            PageItem &item = page().items[index];
            const int shift = baseline - item.baseline;
            item.baseline += shift;
            item.rect.translate(0, shift);
            right = std::max(right, item.rect.right() + 1);
            left = std::min(left, item.rect.left());
        }
        int shiftX = 0;
        const int room = lineEndX() - right;
        if (m_settings.textAlign == textalign::Right)
            shiftX = room;
        else if (m_settings.textAlign == textalign::Center)
            shiftX = room / 2;
        if (shiftX > 0) {
            for (size_t index : m_lineItems)
                page().items[index].rect.translate(shiftX, 0);
        }
        m_y = m_lineTop + int(std::lround(m_lineHeight));
    }
    m_pageFresh = false;
    m_lineItems.clear();
    m_lineHeight = 0;
    m_x = lineStartX();
    ++m_line;
    if (m_events)
        emit m_events->NewLine();
}

void Layout::addDrawing(PageItem item)
{
    ensurePage();
    m_pageFresh = false;
    page().items.push_back(std::move(item));
}

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
            int rowNumber = row, column = int(i) + 1;
            emit m_events->NewTableCell(rowNumber, column, text);
        }
        std::vector<double> widths;
        out[i].lines = wrapLines(text, font, boxes[i].width - 2 * CellPadX, widths);
        out[i].widths = std::move(widths);
        out[i].align = heading ? columns[i].header : columns[i].body;
    }
    return out;
}

int Layout::rowHeight(const std::vector<Cell> &cells, const FontCache::Entry &font) const
{
    qsizetype lines = 1;
    for (const Cell &cell : cells)
        lines = std::max(lines, cell.lines.size());
    return int(std::lround(lines * lineHeightOf(font))) + 2 * CellPadY;
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
        for (qsizetype l = 0; l < cell.lines.size(); ++l) {
            const int width = int(std::lround(cell.widths[size_t(l)]));
            int x = innerLeft;
            if (cell.align == Align::Right)
                x = innerRight - width;
            else if (cell.align == Align::Center)
                x = innerLeft + (innerRight - innerLeft - width) / 2;
            const int lineTop = top + CellPadY + int(std::lround(l * lineHeight));
            PageItem item;
            item.kind = ItemKind::Text;
            item.role = heading ? ItemRole::TableHeader : ItemRole::TableCell;
            item.align = cell.align;
            item.text = cell.lines[l];
            item.font = fontSpec;
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

// --------------------------------------------------------- header/footer

void Layout::drawHeaderFooter()
{
    if (m_unbounded)
        return;
    Page &pg = page();
    const int left = m_settings.marginLeft;
    const int right = pg.size.width() - m_settings.marginRight;
    const FontCache::Entry &font = m_fonts.get(m_settings.hdrFont);
    const int ascent = int(std::lround(font.metrics.ascent()));
    const int height = ascent + int(std::lround(font.metrics.descent()));
    const int lineHeight = int(std::lround(font.metrics.lineSpacing()));
    const QRgb color = rgba(m_settings.hdrColor);

    auto place = [&](const QString &text, int top, ItemRole role) {
        // "left|centre|right"
        const QStringList parts = text.split(QLatin1Char('|'));
        for (qsizetype k = 0; k < parts.size() && k < 3; ++k) {
            if (parts[k].isEmpty())
                continue;
            const int width = int(std::lround(font.advance(parts[k])));
            PageItem item;
            item.kind = ItemKind::Text;
            item.role = role;
            item.text = parts[k];
            item.font = m_settings.hdrFont;
            item.color = color;
            item.align = k == 0 ? Align::Left : k == 1 ? Align::Center : Align::Right;
            const int x = k == 0 ? left : k == 1 ? left + (right - left - width) / 2 : right - width;
            item.rect = QRect(x, top, width, height);
            item.baseline = top + ascent;
            pg.items.push_back(std::move(item));
        }
    };
    const int headerTop = m_settings.marginTop;
    const int footerTop = pg.size.height() - m_settings.marginBottom - lineHeight;
    QString footer = m_settings.footer;
    footer.replace(QStringLiteral("%d"), QString::number(pg.number));
    if (!m_settings.header.isEmpty())
        place(m_settings.header, headerTop, ItemRole::PageHeader);
    if (!footer.isEmpty())
        place(footer, footerTop, ItemRole::PageFooter);

    const int flags = m_settings.pageBorder;
    if ((flags & pageborder::UnderHeader) && !m_settings.header.isEmpty()) {
        const int y = headerTop + lineHeight + BandGap / 2;
        addLine(left, y, right, y, ItemRole::PageBorder, BorderWidth);
    }
    if ((flags & pageborder::OverFooter) && !footer.isEmpty()) {
        const int y = footerTop - BandGap / 2;
        addLine(left, y, right, y, ItemRole::PageBorder, BorderWidth);
    }
    if (flags & pageborder::Box) {
        PageItem box;
        box.kind = ItemKind::Rect;
        box.role = ItemRole::PageBorder;
        box.rect = QRect(left, m_settings.marginTop, right - left,
                         pg.size.height() - m_settings.marginBottom - m_settings.marginTop);
        box.penWidth = BorderWidth;
        pg.items.push_back(std::move(box));
    }
}

}  // namespace pages
