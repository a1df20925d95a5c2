#include "platform/pages/layout.h"

#include "platform/pages/cellwrap.h"
#include "platform/pages/layoutmetrics.h"

#include "platform/pages/colors.h"
#include "platform/pages/engine.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace pages {

namespace {

constexpr int ColumnGap = 360;    // between text columns
constexpr int BandGap = 120;      // between the header/footer and the body

}  // namespace

using namespace layoutmetrics;

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
    if (m_events) {
        emit m_events->EndPage();
        emit m_events->pagesGrew(pageNumber());
    }
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
