#pragma once

// The laid-out document: pages of positioned items, in twips from the top-left
// corner of each sheet. The engine writes it, the painter draws it on any
// device, the file format stores it, and tests read it.

#include <QColor>
#include <QImage>
#include <QPicture>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace pages {

// A font as the caller named it ("Arial greek", 10 pt, bold); the painter
// resolves the name to an installed family (see fontmap.h).
struct FontSpec {
    QString name = QStringLiteral("Arial");
    double size = 10.0;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    friend bool operator==(const FontSpec &, const FontSpec &) = default;
};

enum class ItemKind : quint8 { Text, Rect, Line, Ellipse, Polygon, Polyline, Picture, Recording };

// Painter commands recorded once and replayed on every device at its own
// resolution, so a drawing made elsewhere (a chart) stays vector in print and
// PDF and its texts stay text. The recorded area from (0, 0) to `frame`, in
// the recording's own units, is scaled to fill the item's box.
struct Recording {
    QPicture picture;
    QSizeF frame;
};

// Shared and read-only: copying a page item stays cheap, and an item that
// holds no recording costs one empty pointer. Equal when the commands and the
// frame are, so a document loaded from a file equals the one saved.
class RecordingRef {
public:
    RecordingRef() = default;
    explicit RecordingRef(Recording recording)
        : m_recording(std::make_shared<const Recording>(std::move(recording))) {}

    const Recording *get() const { return m_recording.get(); }
    const Recording *operator->() const { return m_recording.get(); }
    explicit operator bool() const { return bool(m_recording); }

    friend bool operator==(const RecordingRef &a, const RecordingRef &b);

private:
    std::shared_ptr<const Recording> m_recording;
};

// What produced an item; lets tests and the painter tell table shades from
// drawings without guessing from geometry.
enum class ItemRole : quint8 {
    Body,         // text written with Text / Paragraph / TextRTF
    PageHeader,
    PageFooter,
    TableHeader,  // text of a table's heading row
    TableCell,    // text of a table's body row
    TableShade,   // background of a heading or body row
    TableBorder,
    PageBorder,
    Drawing,      // Draw..., Polygon, Polyline, Picture, DrawRecording
};

enum class Align : quint8 { Left, Center, Right };

struct PageItem {
    ItemKind kind = ItemKind::Text;
    ItemRole role = ItemRole::Body;
    Align align = Align::Left;  // how a text was placed in its box
    QRect rect;                 // bounding box; lines use rect.topLeft()->bottomRight()
    int baseline = 0;           // texts: y of the baseline
    QString text;
    FontSpec font;
    QRgb color = 0xff000000;    // text colour, or the pen of a drawing
    QRgb fill = 0;              // brush of rectangles, ellipses, polygons (alpha 0: none)
    int penWidth = 0;           // twips; 0 draws the thinnest line the device has
    quint8 penStyle = 0;        // Engine pen styles: 0 solid ... 5 invisible
    quint8 brushStyle = 0;      // Engine brush styles: 0 solid, 1 none, 2..7 hatches
    qint16 angle = 0;           // text rotation, tenths of a degree
    int radiusX = 0;            // rounded rectangles
    int radiusY = 0;
    qint16 startAngle = 0;      // arcs/pies of ellipses, sixteenths of a degree (Qt's unit)
    qint16 spanAngle = 0;       // 0 = the whole ellipse
    bool pie = false;           // arc closed to the centre
    QPolygon points;            // polygons and polylines
    QImage picture;
    RecordingRef recording;     // ItemKind::Recording
    int table = -1;             // table number within the document, for cells/shades/borders
    int row = -1;               // 0 is the heading row, body rows count from 1
    int column = -1;            // from 1

    friend bool operator==(const PageItem &, const PageItem &) = default;
};

struct Page {
    int number = 0;   // from 1
    QSize size;       // twips, orientation applied
    std::vector<PageItem> items;

    // Helpers for readers of the model.
    QStringList texts() const;                               // every text, in paint order
    QStringList texts(ItemRole role) const;
    const PageItem *findText(const QString &text) const;     // first exact match
    const PageItem *findTextContaining(const QString &part) const;
    std::vector<const PageItem *> itemsWithRole(ItemRole role) const;

    friend bool operator==(const Page &, const Page &) = default;
};

// A table as its rows were built: each cell's text as the caller gave it
// (after NewTableCell handlers), before layout broke it into lines or
// shortened it to fit. Exports read these values, never the laid-out lines.
// Rows are kept as one text each, cells joined by CellJoin, which costs far
// less than a list per row on a report of a hundred thousand rows.
struct TableContent {
    static constexpr QChar CellJoin = QChar(0x1f);

    QStringList heading;
    QStringList rows;

    qsizetype rowCount() const { return rows.size(); }
    QStringList row(qsizetype i) const { return rows.at(i).split(CellJoin); }
    void addRow(const QStringList &cells) { rows.append(cells.join(CellJoin)); }

    friend bool operator==(const TableContent &, const TableContent &) = default;
};

struct Document {
    std::vector<Page> pages;
    // Tables in the order they were written: tables[n - 1] is table n of the pages.
    std::vector<TableContent> tables;

    int pageCount() const { return int(pages.size()); }
    const Page *page(int number) const;  // from 1; nullptr outside
    void clear() { pages.clear(); tables.clear(); }

    // Tables as their cells read, for tests and checks. Tables count from 1
    // in the order they were written; a cell wrapped over several lines reads
    // as its lines joined by a blank; empty cells are empty strings.
    int tableCount() const;
    std::vector<QStringList> tableRows(int table) const;  // body rows, across pages
    QStringList tableHeading(int table) const;            // the heading as first laid out

    // Documents are equal when their pages are: a document file keeps the
    // pages (or a range of them), not the values the tables were built from.
    friend bool operator==(const Document &a, const Document &b) { return a.pages == b.pages; }
};

}  // namespace pages
