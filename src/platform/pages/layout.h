#pragma once

// Flows text, paragraphs and tables into pages: the cursor, line breaking,
// page and column breaks, table rows with shades and borders, a table's
// heading repeated on every page it continues on, and the page header and
// footer drawn as each page closes (after the page events, so a handler may
// still change them).

#include "platform/pages/cellwrap.h"
#include "platform/pages/document.h"
#include "platform/pages/fontmap.h"
#include "platform/pages/layoutsettings.h"
#include "platform/pages/tableformat.h"

#include <optional>

namespace pages {

class Engine;

class Layout {
public:
    // events: the engine whose signals are raised, or nullptr to lay out
    // silently (measuring). unbounded: one endless page, for measuring.
    Layout(const LayoutSettings &settings, Document &document, FontCache &fonts,
           Engine *events, bool unbounded = false);

    void begin();    // the first page
    void finish();   // closes the last page
    bool started() const { return m_page >= 0; }

    void text(const QString &text);
    void text(const QString &text, const FontSpec &font, QRgb color);
    void paragraph(const QString &text);
    void table(const QString &format, const QString &header, const QString &body,
               uint headerShade, uint bodyShade, bool append);
    void endLine();
    void newPage();
    void newColumn();
    void settingsChanged();  // margins, paper or orientation changed
    void addDrawing(PageItem item);

    int x() const { return m_x; }
    int y() const { return m_y; }
    void moveTo(std::optional<int> x, std::optional<int> y);
    int pageNumber() const { return m_page + 1; }
    int lineNumber() const { return m_line; }
    int columnNumber() const { return m_column + 1; }
    bool lineIsEmpty() const { return m_lineItems.empty(); }

    // The box of what was laid out (measuring).
    QRect extent() const;

private:
    struct TableState {
        int id = 0;
        std::vector<ColumnFormat> headerColumns;
        QStringList headerCells;
        bool hasHeader = false;
        FontSpec headerFont;
        QRgb headerColor = 0;
        uint headerShade = 0;
        bool headerOnPage = false;
        bool headerEverPlaced = false;
        int bodyRows = 0;
        // borders of the run of rows on the current page
        int borderPage = -1;
        int lastBottom = -1;
        std::vector<std::pair<int, int>> verticals;  // x, item index
        int boxBottomItem = -1;
    };
    struct Cell {
        QString text;                 // as built (after NewTableCell)
        std::vector<CellLine> lines;  // as laid out
        Align align = Align::Left;
    };
    struct ColumnBox {
        int left;
        int width;
    };

    Page &page() { return m_document.pages.last(); }
    void ensurePage();
    void openPage();
    void closePage();
    void breakColumn();
    int frameLeft() const;
    int frameRight() const;
    int frameTop() const;
    int frameBottom() const;
    int lineStartX() const { return frameLeft() + m_settings.indentLeft; }
    int lineEndX() const { return frameRight() - m_settings.indentRight; }
    double lineHeightOf(const FontCache::Entry &font) const;
    int headerBand() const;
    int footerBand() const;

    void placeRun(const QString &run, const FontCache::Entry &font, const FontSpec &fontSpec, QRgb color);
    void flowPiece(const QString &piece, const FontSpec &fontSpec, QRgb color);
    void startLineIfNeeded(const FontCache::Entry &font);
    void endWrappedLine();
    void justifyLine();

    std::vector<ColumnBox> columnBoxes(const std::vector<ColumnFormat> &columns) const;
    std::vector<Cell> wrapCells(QStringList cells, const std::vector<ColumnFormat> &columns,
                                const std::vector<ColumnBox> &boxes, const FontCache::Entry &font,
                                int row, bool heading);
    int rowHeight(const std::vector<Cell> &cells, const FontCache::Entry &font) const;
    void placeRow(const std::vector<Cell> &cells, const std::vector<ColumnBox> &boxes,
                  const FontSpec &fontSpec, QRgb color, uint shade, int row, bool heading, int height);
    void placeHeading();
    void placeBodyRow(const QString &row, const std::vector<ColumnFormat> &columns, uint shade);
    void flushPendingHeading();
    void drawRowBorders(const std::vector<ColumnBox> &boxes, int top, int bottom, bool heading);
    void addLine(int x1, int y1, int x2, int y2, ItemRole role, int width);
    void drawHeaderFooter();

    const LayoutSettings &m_settings;
    Document &m_document;
    FontCache &m_fonts;
    Engine *m_events;
    bool m_unbounded;

    int m_page = -1;
    int m_column = 0;
    int m_x = 0;
    int m_y = 0;
    int m_line = 1;
    bool m_pageFresh = true;
    // the line being written
    int m_lineTop = 0;
    double m_lineHeight = 0;
    std::vector<size_t> m_lineItems;
    std::optional<TableState> m_table;
    int m_tableCount = 0;
};

}  // namespace pages
