#pragma once

// The laid-out document: pages of positioned items, in twips from the top-left
// corner of each sheet. The engine writes it, the painter draws it on any
// device, the file format stores it, and tests read it.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPicture>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <deque>
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

// The pages of a document. A short document keeps its pages as they are; in
// a long one each page is packed (pagecodec.h) once the next one opens, and a
// page read is unpacked into a small cache of recently read pages. A page
// reference therefore stays valid while fewer than CachedPages other packed
// pages are read; the page being written (the last) never moves.
class PageList {
public:
    static constexpr size_t KeptWhole = 24;    // pages never packed in a short document
    static constexpr size_t CachedPages = 12;  // packed pages kept unpacked after a read

    PageList() = default;
    PageList(const PageList &other);
    PageList &operator=(const PageList &other);
    PageList(PageList &&) noexcept = default;
    PageList &operator=(PageList &&) noexcept = default;

    size_t size() const { return m_slots.size(); }
    bool empty() const { return m_slots.empty(); }
    const Page &operator[](size_t i) const;
    const Page &front() const { return (*this)[0]; }
    const Page &back() const { return (*this)[size() - 1]; }
    Page &last();                 // the page being written
    void push_back(Page page);    // packs the page before it in a long document
    void clear();

    // Bytes the pages take, for measuring: packed sizes plus unpacked items.
    qint64 packedBytes() const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Page;
        using difference_type = std::ptrdiff_t;
        using pointer = const Page *;
        using reference = const Page &;
        const_iterator(const PageList *list, size_t i) : m_list(list), m_i(i) {}
        const Page &operator*() const { return (*m_list)[m_i]; }
        const Page *operator->() const { return &(*m_list)[m_i]; }
        const_iterator &operator++() { ++m_i; return *this; }
        bool operator==(const const_iterator &o) const { return m_i == o.m_i; }
        bool operator!=(const const_iterator &o) const { return m_i != o.m_i; }

    private:
        const PageList *m_list;
        size_t m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const PageList &a, const PageList &b);

private:
    struct Slot {
        QByteArray packed;           // empty while the page is kept whole
        std::unique_ptr<Page> page;  // null while packed and not read lately
    };
    void pack(Slot &slot) const;
    mutable std::vector<Slot> m_slots;
    mutable std::deque<size_t> m_recent;  // packed pages unpacked by reads, oldest first
};

// A table as its rows were built: each cell's text as the caller gave it
// (after NewTableCell handlers), before layout broke it into lines or
// shortened it to fit. Exports read these values, never the laid-out lines.
// A row is kept as one text, cells joined by CellJoin; every RowsPerBlock
// rows are packed into one compressed block, so a table of a hundred thousand
// rows costs a few megabytes.
class TableContent {
public:
    static constexpr QChar CellJoin = QChar(0x1f);
    static constexpr qsizetype RowsPerBlock = 512;

    QStringList heading;

    qsizetype rowCount() const { return m_packedRows + m_open.size(); }
    QStringList row(qsizetype i) const;
    void addRow(const QStringList &cells);

    friend bool operator==(const TableContent &a, const TableContent &b);

private:
    QStringList block(qsizetype b) const;
    std::vector<QByteArray> m_blocks;  // RowsPerBlock rows each
    qsizetype m_packedRows = 0;
    QStringList m_open;                // the rows after the last block
    mutable qsizetype m_readBlock = -1;
    mutable QStringList m_read;        // the block read last, unpacked
};

struct Document {
    PageList pages;
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
